// Pictures, JPEG files and folders for the JPEG tests. The JPEG files handed to the code under
// test are made here with libjpeg-turbo directly, so their content is known.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "dib_pictures.h"

using Bytes = std::vector<std::uint8_t>;

struct Bgr {
  std::uint8_t b, g, r;
};
using Picture = std::function<Bgr(int x, int row)>;  // row 0 is the top row

// A 24-bit DIB in a block of exactly its size; padding bytes are 0xEE.
DibPtr makeDib(int width, int height, const Picture& picture);
// The pixel at picture row `row` (0 = top) of a bottom-up 24-bit DIB.
inline Bgr dibPixel(const BITMAPINFOHEADER* dib, int x, int row) {
  const BYTE* p = pixel(dib, x, dib->biHeight - 1 - row);
  return Bgr{p[0], p[1], p[2]};
}

struct JpegOptions {
  int components = 3;  // 1 grey (the green value), 3 RGB stored as YCbCr, 4 CMYK
  bool ycck = false;   // 4 components stored as YCCK
  bool progressive = false;
  bool scanPerCoefficient = false;  // progressive, one scan per AC coefficient and component
};
Bytes encodeJpeg(int width, int height, const Picture& picture, const JpegOptions& options = {});

Bytes readBytes(const std::string& path);
void writeBytes(const std::string& path, const Bytes& bytes);

// A fresh folder, removed with its content at the end of the test.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  std::string file(const char* name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};
