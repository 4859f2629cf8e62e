// Global memory blocks (DIB handles): ownership and locking, released on every way out.
#pragma once

#include "common/win_types.h"

// Owns a global memory block until it is handed to the caller.
class ScopedGlobal {
 public:
  explicit ScopedGlobal(HGLOBAL block) : block_(block) {}
  ~ScopedGlobal() {
    if (block_ != nullptr) GlobalFree(block_);
  }
  ScopedGlobal(const ScopedGlobal&) = delete;
  ScopedGlobal& operator=(const ScopedGlobal&) = delete;

  HGLOBAL get() const { return block_; }
  HGLOBAL release() {
    HGLOBAL block = block_;
    block_ = nullptr;
    return block;
  }
  // Grows the block; on failure the old block stays owned.
  bool resize(SIZE_T size) {
    HGLOBAL grown = GlobalReAlloc(block_, size, GMEM_MOVEABLE);
    if (grown == nullptr) return false;
    block_ = grown;
    return true;
  }

 private:
  HGLOBAL block_;
};

// A locked global block's address, unlocked when the lock goes.
class GlobalLockGuard {
 public:
  explicit GlobalLockGuard(HGLOBAL block) : block_(block), data_(GlobalLock(block)) {}
  ~GlobalLockGuard() {
    if (data_ != nullptr) GlobalUnlock(block_);
  }
  GlobalLockGuard(const GlobalLockGuard&) = delete;
  GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;

  BYTE* data() const { return static_cast<BYTE*>(data_); }

 private:
  HGLOBAL block_;
  void* data_;
};
