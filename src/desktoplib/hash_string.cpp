// hashString. Platform-neutral.
#include <cstdint>

#include "desktoplib/desktoplib.h"

int hashString(const CString& text) {
  const char* characters = text;
  std::uint32_t hash = 0;
  for (int i = 0; i < text.GetLength(); ++i) {
    // The two low bytes trade places, the higher ones go, and the character is added as a
    // signed byte (the unsigned sum wraps modulo 2^32).
    const std::uint32_t swapped = (hash % 256) * 256 + (hash / 256) % 256;
    hash = swapped + static_cast<std::uint32_t>(
                         static_cast<std::int32_t>(static_cast<signed char>(characters[i])));
  }
  return static_cast<int>(hash);
}
