// Pictures, JPEG files and folders for the JPEG tests. Files that the tests hand to the code
// under test are made here with libjpeg-turbo directly, so their content is known.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/win_types.h"

using Bytes = std::vector<std::uint8_t>;

struct Bgr {
  std::uint8_t b, g, r;
};

// A 24-bit DIB in a buffer of exactly its size, with a pixel reader by picture row (0 = top).
class TestDib {
 public:
  // color(x, row) gives each pixel; padding bytes are 0xEE.
  TestDib(int width, int height, const std::function<Bgr(int x, int row)>& color);
  BITMAPINFOHEADER* header() { return reinterpret_cast<BITMAPINFOHEADER*>(block_.data()); }
  int stride() const { return (width_ * 3 + 3) & ~3; }

 private:
  std::vector<std::uint32_t> block_;
  int width_;
};

// The pixel at picture row `row` (0 = top) of a bottom-up 24-bit DIB.
Bgr dibPixel(const BITMAPINFOHEADER* dib, int x, int row);

struct JpegOptions {
  int components = 3;  // 1 grey, 3 RGB -> YCbCr, 4 CMYK
  bool ycck = false;   // 4 components stored as YCCK
  int quality = 90;
  bool progressive = false;
  bool everyCoefficientOwnScan = false;  // progressive with one scan per AC coefficient
};

// A JPEG of a picture given top row first: color(x, row) for 3 channels; for grey the green
// value is taken, for CMYK the bytes b, g, r and 255 - g.
Bytes encodeJpeg(int width, int height, const std::function<Bgr(int x, int row)>& color,
                 const JpegOptions& options = {});

// Decodes a trusted JPEG into top-down B, G, R rows (grey expanded), without the code under test.
std::vector<Bytes> decodeJpegRows(const Bytes& jpeg);

Bytes readBytes(const std::string& path);
void writeBytes(const std::string& path, const Bytes& bytes);
bool fileExists(const std::string& path);

// A fresh folder, removed with its content at the end of the test.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  std::string file(const char* name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};
