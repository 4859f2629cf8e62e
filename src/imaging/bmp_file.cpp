// A DIB handle written as a BMP file: the 14-byte file header, then the handle's whole block.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "imaging/dib.h"

namespace {

void putLittleEndian(BYTE* at, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) at[i] = static_cast<BYTE>(value >> (8 * i));
}

// The file header: "BM", the file size (the block's size + 14), two reserved zero words, and
// the offset of the pixel rows after the DIB header and its colour table.
void fillFileHeader(BYTE (&fileHeader)[14], std::uint32_t blockSize, const void* dib) {
  DWORD headerSize;
  std::memcpy(&headerSize, dib, sizeof headerSize);
  std::memset(fileHeader, 0, sizeof fileHeader);
  fileHeader[0] = 'B';
  fileHeader[1] = 'M';
  putLittleEndian(fileHeader + 2, blockSize + 14, 4);
  putLittleEndian(fileHeader + 10, 14 + headerSize + dibColorTableSize(dib), 4);
}

}  // namespace

// A block too small for its own header, or too large for the file header's 32-bit size, is
// refused before the file is created. A write that fails (a full disk) gives false too.
bool writeDibToBmpFile(const char* path, HGLOBAL dib) {
  if (path == nullptr || dib == nullptr) return false;
  const SIZE_T blockSize = GlobalSize(dib);
  const BYTE* block = static_cast<const BYTE*>(GlobalLock(dib));
  if (block == nullptr) return false;
  DWORD headerSize = 0;
  if (blockSize >= sizeof headerSize) std::memcpy(&headerSize, block, sizeof headerSize);
  const bool fits =
      blockSize >= sizeof(BITMAPCOREHEADER) && headerSize <= blockSize &&
      (headerSize == sizeof(BITMAPCOREHEADER) || headerSize >= sizeof(BITMAPINFOHEADER)) &&
      static_cast<ULONGLONG>(blockSize) <= MAXDWORD - 14;
  bool written = false;
  if (fits) {
    std::FILE* file = std::fopen(path, "wb");
    if (file != nullptr) {
      BYTE fileHeader[14];
      fillFileHeader(fileHeader, static_cast<std::uint32_t>(blockSize), block);
      written = std::fwrite(fileHeader, 1, sizeof fileHeader, file) == sizeof fileHeader &&
                std::fwrite(block, 1, blockSize, file) == blockSize;
      written = std::fclose(file) == 0 && written;
    }
  }
  GlobalUnlock(dib);
  return written;
}
