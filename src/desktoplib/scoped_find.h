// Owns a file search handle and ends the search when the owner goes (Windows only).
#pragma once

#include "common/win_types.h"

class ScopedFind {
 public:
  ScopedFind(const char* pattern, WIN32_FIND_DATAA* found) noexcept
      : handle_(FindFirstFileA(pattern, found)) {}
  ~ScopedFind() {
    if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
  }
  ScopedFind(const ScopedFind&) = delete;
  ScopedFind& operator=(const ScopedFind&) = delete;

  // True when the pattern matched at least one entry.
  explicit operator bool() const noexcept { return handle_ != INVALID_HANDLE_VALUE; }
  // The next matching entry, false when there is none.
  bool next(WIN32_FIND_DATAA* found) noexcept { return FindNextFileA(handle_, found) != FALSE; }

 private:
  HANDLE handle_;
};
