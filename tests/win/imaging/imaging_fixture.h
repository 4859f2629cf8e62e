// Set-up shared by the picture tests under Wine: a temporary folder and DIB handles made from
// bytes.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "imaging/imaging.h"
#include "win_test_support.h"

inline std::uint32_t littleEndianAt(const std::string& bytes, std::size_t offset, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<BYTE>(bytes[offset + i]);
  return value;
}

inline std::size_t stride24(int width) { return (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4; }

// A 24-bit packed DIB of noise in a movable block of exactly its size plus extra bytes.
inline HGLOBAL noiseDibHandle(int width, int height, std::uint32_t seed, SIZE_T extra = 0) {
  const std::size_t image = stride24(width) * height;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 40 + image + extra);
  auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(block));
  header->biSize = 40;
  header->biWidth = width;
  header->biHeight = height;
  header->biPlanes = 1;
  header->biBitCount = 24;
  header->biSizeImage = static_cast<DWORD>(image);
  BYTE* pixels = reinterpret_cast<BYTE*>(header + 1);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < 3 * width; ++x) {
      seed = seed * 1664525u + 1013904223u;
      pixels[y * stride24(width) + x] = static_cast<BYTE>(seed >> 24);
    }
  }
  GlobalUnlock(block);
  return block;
}

// The bytes of a global block.
inline std::string blockBytes(HGLOBAL block) {
  const void* data = GlobalLock(block);
  std::string bytes(static_cast<const char*>(data), GlobalSize(block));
  GlobalUnlock(block);
  return bytes;
}

class ImagingWinTest : public ::testing::Test {
 protected:
  std::string path(const std::string& name) const { return folder_.path(name); }
  bool exists(const std::string& name) const { return fileExists(path(name)); }

  TempFolder folder_{"img"};
};
