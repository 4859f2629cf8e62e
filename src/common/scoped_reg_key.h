// Owns an open registry key and closes it when the owner goes (Windows only).
#pragma once

#include "common/win_types.h"

class ScopedRegKey {
 public:
  explicit ScopedRegKey(HKEY key = nullptr) noexcept : key_(key) {}
  ~ScopedRegKey() { reset(); }
  ScopedRegKey(const ScopedRegKey&) = delete;
  ScopedRegKey& operator=(const ScopedRegKey&) = delete;
  ScopedRegKey(ScopedRegKey&& other) noexcept : key_(other.release()) {}
  ScopedRegKey& operator=(ScopedRegKey&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  HKEY get() const noexcept { return key_; }
  explicit operator bool() const noexcept { return key_ != nullptr; }

  // Gives the key up without closing it (for operations that hand a key to their caller).
  HKEY release() noexcept {
    HKEY key = key_;
    key_ = nullptr;
    return key;
  }

  void reset(HKEY key = nullptr) noexcept {
    if (key_ != nullptr) RegCloseKey(key_);
    key_ = key;
  }

  // Closes any held key and gives the slot to an opening call (RegOpenKeyExA's last argument).
  HKEY* receive() noexcept {
    reset();
    return &key_;
  }

 private:
  HKEY key_;
};
