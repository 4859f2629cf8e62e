// 24-bit DIB buffers: their checks and creation, pixels and the frame.
#include <cstring>

#include "imaging/dib.h"
#include "imaging/dib_layout.h"

namespace dib {

bool sizeFits(int width, int height) {
  if (width <= 0 || height <= 0) return false;
  // In 64 bits: a 32-bit size_t would wrap for the widths this refuses.
  const std::uint64_t stride = (static_cast<std::uint64_t>(width) * 3 + 3) & ~std::uint64_t{3};
  const std::uint64_t bytes = kHeaderSize + stride * static_cast<std::uint64_t>(height);
  return bytes <= kMaxBufferBytes;
}

bool isPlainRgbDib(const BITMAPINFOHEADER* dib) {
  if (dib == nullptr) return false;
  if (dib->biSize != kHeaderSize || dib->biBitCount != 24 || dib->biCompression != 0) return false;
  if (dib->biClrUsed != 0) return false;  // a colour table would sit between header and rows
  if (!sizeFits(dib->biWidth, dib->biHeight)) return false;
  const std::uint64_t rows = std::uint64_t{rowStride(dib->biWidth)} * dib->biHeight;
  return dib->biSizeImage == 0 || dib->biSizeImage >= rows;
}

BITMAPINFOHEADER* newDibBuffer(int width, int height) {
  if (!sizeFits(width, height)) return nullptr;
  const std::size_t imageSize = rowStride(width) * static_cast<std::size_t>(height);
  auto* dib = static_cast<BITMAPINFOHEADER*>(std::malloc(kHeaderSize + imageSize));
  if (dib == nullptr) return nullptr;
  std::memset(dib, 0, kHeaderSize);
  dib->biSize = kHeaderSize;
  dib->biWidth = width;
  dib->biHeight = height;
  dib->biPlanes = 1;
  dib->biBitCount = 24;
  dib->biSizeImage = static_cast<DWORD>(imageSize);
  return dib;
}

}  // namespace dib

// A pixel outside the picture is not stored: there is no byte of the picture to store it in.
void setDibPixel(BITMAPINFOHEADER* dib, int x, int y, const BYTE* color) {
  if (color == nullptr || !dib::isPlainRgbDib(dib)) return;
  if (x < 0 || y < 0 || x >= dib->biWidth || y >= dib->biHeight) return;
  std::memcpy(dib::rowAt(dib, y) + 3 * static_cast<std::size_t>(x), color, 3);
}

namespace {

void paintRun(BYTE* row, int first, int last, const BYTE* color) {
  for (int x = first; x <= last; ++x) std::memcpy(row + 3 * static_cast<std::size_t>(x), color, 3);
}

}  // namespace

void drawDibBorder(BITMAPINFOHEADER* dib, const BYTE* color) {
  constexpr int kFrame = 5;
  if (color == nullptr || !dib::isPlainRgbDib(dib)) return;
  const int width = dib->biWidth;
  const int height = dib->biHeight;
  for (int y = 0; y < height; ++y) {
    BYTE* row = dib::rowAt(dib, y);
    if (y < kFrame || y >= height - kFrame) {
      paintRun(row, 0, width - 1, color);  // one of the 5 rows at each end of every column
      continue;
    }
    paintRun(row, 0, (kFrame < width ? kFrame : width) - 1, color);
    paintRun(row, width - kFrame < 0 ? 0 : width - kFrame, width - 1, color);
  }
}
