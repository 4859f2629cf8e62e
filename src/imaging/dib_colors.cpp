// Colour tables of packed DIBs with a 40-byte header or the older 12-byte core header.
#include <cstring>

#include "imaging/dib.h"

namespace {

constexpr DWORD kCoreHeaderSize = 12;

DWORD headerSize(const void* header) {
  DWORD size;
  std::memcpy(&size, header, sizeof size);
  return size;
}

// Only a header whose size says 12 is a core header. A 40-byte header and its longer successors
// share the 40-byte layout, so they are all read as one.
bool isCoreHeader(const void* header) { return headerSize(header) == kCoreHeaderSize; }

}  // namespace

WORD dibColorCount(const void* header) {
  if (header == nullptr) return 0;
  WORD bitCount;
  if (isCoreHeader(header)) {
    bitCount = static_cast<const BITMAPCOREHEADER*>(header)->bcBitCount;
  } else {
    const auto* info = static_cast<const BITMAPINFOHEADER*>(header);
    if (info->biClrUsed != 0) return static_cast<WORD>(info->biClrUsed);  // kept to 16 bits
    bitCount = info->biBitCount;
  }
  switch (bitCount) {
    case 1:
      return 2;
    case 4:
      return 16;
    case 8:
      return 256;
    default:
      return 0;
  }
}

// 4 bytes per entry (RGBQUAD) after a 40-byte header, 3 (RGBTRIPLE) after a core header. A
// count above 16383 has no 16-bit byte size: it answers 0xFFFF rather than a wrapped small one.
WORD dibColorTableSize(const void* header) {
  if (header == nullptr) return 0;
  const DWORD entrySize = isCoreHeader(header) ? 3 : 4;
  const DWORD size = dibColorCount(header) * entrySize;
  return size > 0xFFFF ? WORD{0xFFFF} : static_cast<WORD>(size);
}
