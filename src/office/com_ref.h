// Holds one reference to a COM interface and releases it when the scope ends.
#pragma once

template <class T>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() { reset(); }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;

  T* get() const { return ptr_; }
  T* operator->() const { return ptr_; }

  // The out-argument of a call that hands over a reference (CoCreateInstance, QueryInterface).
  void** receive() {
    reset();
    return reinterpret_cast<void**>(&ptr_);
  }

  void reset() {
    if (ptr_ == nullptr) return;
    T* held = ptr_;
    ptr_ = nullptr;
    held->Release();
  }

 private:
  T* ptr_ = nullptr;
};
