// Test pictures as 24-bit DIB buffers of exactly their own size (so the sanitizers catch any
// read past them), what the tests read back from them, and thumbnails made the literal way.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "imaging/imaging.h"

struct DibFree {
  void operator()(BITMAPINFOHEADER* dib) const { std::free(dib); }
};
using DibPtr = std::unique_ptr<BITMAPINFOHEADER, DibFree>;

inline std::size_t strideOf(int width) { return (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4; }

inline DibPtr blankDib(int width, int height) {
  const std::size_t size = 40 + strideOf(width) * height;
  auto* dib = static_cast<BITMAPINFOHEADER*>(std::calloc(1, size));
  *dib = BITMAPINFOHEADER{40, width, height, 1, 24, 0, 0, 0, 0, 0, 0};
  return DibPtr(dib);
}

inline BYTE* pixel(BITMAPINFOHEADER* dib, int x, int y) {
  return reinterpret_cast<BYTE*>(dib) + 40 + y * strideOf(dib->biWidth) + 3 * x;
}
inline const BYTE* pixel(const BITMAPINFOHEADER* dib, int x, int y) {
  return reinterpret_cast<const BYTE*>(dib) + 40 + y * strideOf(dib->biWidth) + 3 * x;
}

// Noise from a fixed seed; grey pictures have three equal channels.
inline DibPtr noiseDib(int width, int height, std::uint32_t seed, bool grey = false) {
  DibPtr dib = blankDib(width, height);
  std::uint32_t state = seed * 2654435761u + 1;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      BYTE* p = pixel(dib.get(), x, y);
      for (int c = 0; c < 3; ++c) {
        state = state * 1664525u + 1013904223u;
        p[c] = static_cast<BYTE>(state >> 24);
        if (grey) p[c] = p[0];
      }
    }
  }
  return dib;
}

// The pixel bytes row by row, padding left out (its content does not matter).
inline std::string pixelBytes(const BITMAPINFOHEADER* dib) {
  std::string bytes;
  for (int y = 0; y < dib->biHeight; ++y) {
    bytes.append(reinterpret_cast<const char*>(pixel(dib, 0, y)), 3 * dib->biWidth);
  }
  return bytes;
}

// What a thumbnail is by definition: blur the whole picture when its larger side exceeds the
// target width, then resize.
inline DibPtr literalThumbnail(const BITMAPINFOHEADER* dib, int width, int height, int kx, int ky) {
  if (std::max(dib->biWidth, dib->biHeight) <= width) {
    return DibPtr(resizeDib(dib, width, height));
  }
  const DibPtr blurred(blurDib(dib, kx, ky));
  return DibPtr(resizeDib(blurred.get(), width, height));
}
