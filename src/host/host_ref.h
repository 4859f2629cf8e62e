// Holds one reference to a host interface and gives it back with Release when the scope ends.
#pragma once

#include "host/host_interfaces.h"

namespace xtra {

template <class T>
class HostRef {
 public:
  HostRef() = default;
  ~HostRef() { reset(); }
  HostRef(const HostRef&) = delete;
  HostRef& operator=(const HostRef&) = delete;

  T* get() const { return ptr_; }
  T* operator->() const { return ptr_; }
  explicit operator bool() const { return ptr_ != nullptr; }

  // The out-argument for a host call that hands over a reference.
  T** put() {
    reset();
    return &ptr_;
  }
  void** putVoid() { return reinterpret_cast<void**>(put()); }

  void reset() {
    if (ptr_ != nullptr) {
      T* p = ptr_;
      ptr_ = nullptr;
      p->Release();
    }
  }

 private:
  T* ptr_ = nullptr;
};

// Gives back the reference a field holds, if any, and empties the field first, so that the
// field never names an interface already released.
template <class T>
void releaseField(T** field) {
  if (*field == nullptr) return;
  T* held = *field;
  *field = nullptr;
  held->Release();
}

}  // namespace xtra
