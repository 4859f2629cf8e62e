#include "afx/cstring.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <new>

namespace {

// Length of a text as a CString holds it; null counts as empty, and a text too long for an
// int length is refused (-1).
int textLength(const char* text) {
  if (text == nullptr) return 0;
  const std::size_t length = std::strlen(text);
  return length < static_cast<std::size_t>(INT_MAX) ? static_cast<int>(length) : -1;
}

// Room for length characters and the terminator, or null when memory runs out.
char* allocateText(int length) {
  return new (std::nothrow) char[static_cast<std::size_t>(length) + 1];
}

}  // namespace

CString::CString(const char* text) { assign(text, textLength(text)); }

CString::CString(const CString& other) { assign(other.data_, other.length_); }

CString& CString::operator=(const CString& other) {
  if (this != &other) assign(other.data_, other.length_);
  return *this;
}

CString::CString(CString&& other) noexcept : data_(other.data_), length_(other.length_) {
  other.data_ = nullptr;
  other.length_ = 0;
}

CString& CString::operator=(CString&& other) noexcept {
  if (this != &other) {
    adopt(other.data_, other.length_);
    other.data_ = nullptr;
    other.length_ = 0;
  }
  return *this;
}

CString& CString::operator=(const char* text) {
  assign(text, textLength(text));
  return *this;
}

CString::~CString() { delete[] data_; }

void CString::Empty() { adopt(nullptr, 0); }

void CString::adopt(char* buffer, int length) {
  delete[] data_;
  data_ = buffer;
  length_ = buffer != nullptr ? length : 0;
}

void CString::assign(const char* text, int length) {
  if (length <= 0) {
    Empty();
    return;
  }
  char* copy = allocateText(length);
  if (copy != nullptr) {
    std::memcpy(copy, text, static_cast<std::size_t>(length));
    copy[length] = '\0';
  }
  adopt(copy, length);
}

CString& CString::operator+=(const char* text) {
  const int added = textLength(text);
  if (added == 0) return *this;
  if (added < 0 || added >= INT_MAX - length_) {
    Empty();
    return *this;
  }
  const int total = length_ + added;
  char* joined = allocateText(total);
  if (joined != nullptr) {
    // Both parts are copied before the old buffer goes, so s += s works.
    std::memcpy(joined, static_cast<const char*>(*this), static_cast<std::size_t>(length_));
    std::memcpy(joined + length_, text, static_cast<std::size_t>(added));
    joined[total] = '\0';
  }
  adopt(joined, total);
  return *this;
}

int CString::Remove(char removed) {
  if (data_ == nullptr) return 0;
  char* kept = data_;
  for (const char* read = data_; *read != '\0'; ++read) {
    if (*read != removed) *kept++ = *read;
  }
  *kept = '\0';
  const int count = length_ - static_cast<int>(kept - data_);
  length_ -= count;
  return count;
}

void CString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  FormatV(format, args);
  va_end(args);
}

void CString::FormatV(const char* format, va_list args) {
  va_list measure;
  va_copy(measure, args);
  const int length = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  if (length <= 0 || length == INT_MAX) {
    Empty();
    return;
  }
  // Formatted into a new buffer, since the arguments may point into this string.
  char* text = allocateText(length);
  if (text != nullptr) std::vsnprintf(text, static_cast<std::size_t>(length) + 1, format, args);
  adopt(text, length);
}

int CString::Compare(const char* text) const {
  return std::strcmp(*this, text != nullptr ? text : "");
}
