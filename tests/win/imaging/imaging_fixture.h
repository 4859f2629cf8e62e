// Set-up shared by the picture tests under Wine: a temporary folder, DIB handles made from the
// native tests' pictures, and JPEG files read back.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

#include "../../native/imaging/dib_pictures.h"
#include "win_test_support.h"

// A 24-bit packed DIB of noise in a movable block of exactly its size plus extra bytes; another
// bit count is only written into the header.
inline HGLOBAL noiseDibHandle(int width, int height, std::uint32_t seed, SIZE_T extra = 0,
                              WORD bits = 24) {
  DibPtr dib = noiseDib(width, height, seed);
  dib->biSizeImage = static_cast<DWORD>(strideOf(width) * height);
  dib->biBitCount = bits;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 40 + dib->biSizeImage + extra);
  std::memcpy(GlobalLock(block), dib.get(), 40 + dib->biSizeImage);
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

// A JPEG file read back as a DIB (empty when it cannot be read).
struct JpegPicture {
  explicit JpegPicture(const std::string& path) { readJpegFile(path.c_str(), &dib); }
  ~JpegPicture() { ::operator delete(dib); }
  std::pair<int, int> size() const {
    return dib ? std::make_pair(int(dib->biWidth), int(dib->biHeight)) : std::make_pair(0, 0);
  }
  BITMAPINFOHEADER* dib = nullptr;
};

class ImagingWinTest : public ::testing::Test {
 protected:
  std::string path(const std::string& name) const { return folder_.path(name); }
  bool exists(const std::string& name) const { return fileExists(path(name)); }

  TempFolder folder_{"img"};
};
