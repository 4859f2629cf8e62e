// CString of the application-framework stand-in: a narrow, heap-held text with the MFC
// operations the module uses. It never throws: when memory runs out it is left empty.
#pragma once

#include <cstdarg>

#include "common/format_check.h"
#include "common/win_types.h"

class CString {
 public:
  CString() noexcept = default;
  CString(const char* text);  // NOLINT: implicit like MFC's, so texts pass where a CString goes
  CString(const CString& other);
  CString& operator=(const CString& other);
  // Moving hands the buffer over: it needs no memory, so it cannot fail.
  CString(CString&& other) noexcept;
  CString& operator=(CString&& other) noexcept;
  CString& operator=(const char* text);
  ~CString();

  int GetLength() const { return length_; }
  BOOL IsEmpty() const { return length_ == 0; }
  void Empty();
  operator const char*() const { return data_ != nullptr ? data_ : ""; }

  CString& operator+=(const char* text);
  // Removes every occurrence of a character; returns how many went.
  int Remove(char removed);

  // printf-style formatting of any length; an invalid format or no memory leaves it empty.
  void Format(const char* format, ...) ZORV_PRINTF_FORMAT(2, 3);
  void FormatV(const char* format, va_list args);

  // Byte-wise comparison: negative, zero or positive like strcmp.
  int Compare(const char* text) const;

 private:
  // Replaces the content with length bytes of text (which may point into this string).
  void assign(const char* text, int length);
  // Takes over a buffer of length + 1 bytes (null: out of memory, left empty).
  void adopt(char* buffer, int length);

  char* data_ = nullptr;  // null while empty, else length_ + 1 bytes with a terminator
  int length_ = 0;
};

inline bool operator==(const CString& a, const CString& b) { return a.Compare(b) == 0; }
inline bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
inline bool operator==(const char* a, const CString& b) { return b.Compare(a) == 0; }
inline bool operator!=(const CString& a, const CString& b) { return a.Compare(b) != 0; }
inline bool operator!=(const CString& a, const char* b) { return a.Compare(b) != 0; }
inline bool operator!=(const char* a, const CString& b) { return b.Compare(a) != 0; }
inline bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
