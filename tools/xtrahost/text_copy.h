// Copies text into a caller's buffer the way snprintf does: at most size - 1 bytes and a NUL;
// nothing at all when size is 0 or less.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

namespace xtrahost {

inline void copyText(const std::string& text, char* buffer, std::int32_t size) {
  if (buffer == nullptr || size <= 0) return;
  const std::size_t n = std::min(text.size(), static_cast<std::size_t>(size) - 1);
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
}

// Text for call-log lines: quoted, with control characters escaped.
std::string quoted(const std::string& text);

}  // namespace xtrahost
