// Layout of the 24-bit DIB buffers that the thumbnail operations read and make, and the checks
// that keep them from reading outside a buffer handed in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "common/win_types.h"

namespace dib {

constexpr std::size_t kHeaderSize = 40;
// The largest DIB buffer (header and rows) these operations accept or make: 1 GiB, about 357
// million 24-bit pixels, far above any camera picture and well inside a 32-bit process.
constexpr std::uint64_t kMaxBufferBytes = std::uint64_t{1} << 30;

// Bytes per stored row of a 24-bit picture: 3 per pixel, padded to a multiple of 4.
inline std::size_t rowStride(int width) {
  return (static_cast<std::size_t>(width) * 3 + 3) & ~static_cast<std::size_t>(3);
}

// Whether a width x height 24-bit DIB buffer is positive in both directions and within the cap.
bool sizeFits(int width, int height);

// Whether the buffer is a 24-bit DIB whose rows directly follow its 40-byte header: bit count
// 24, uncompressed, no colour table, positive width and height within the cap, and a
// biSizeImage (when given) that covers the rows.
bool isPlainRgbDib(const BITMAPINFOHEADER* dib);

// A new malloc block of 40 + height x stride bytes with a 24-bit header, or null.
BITMAPINFOHEADER* newDibBuffer(int width, int height);

inline BYTE* rowAt(BITMAPINFOHEADER* dib, int y) {
  return reinterpret_cast<BYTE*>(dib) + kHeaderSize +
         static_cast<std::size_t>(y) * rowStride(dib->biWidth);
}
inline const BYTE* rowAt(const BITMAPINFOHEADER* dib, int y) {
  return reinterpret_cast<const BYTE*>(dib) + kHeaderSize +
         static_cast<std::size_t>(y) * rowStride(dib->biWidth);
}

// The rows or columns [first, last] that a box of the given length centred on position covers
// inside 0 .. count - 1. The box starts length / 2 before position, so an even box reaches one
// further towards 0 than away from it.
struct Window {
  int first;
  int last;
};
inline Window boxWindow(int position, int length, int count) {
  const std::int64_t first = std::int64_t{position} - length / 2;
  const std::int64_t last = first + length - 1;
  return Window{first < 0 ? 0 : static_cast<int>(first),
                last >= count ? count - 1 : static_cast<int>(last)};
}

// Whether 255 times the most pixels a box can cover inside the picture fits 32 bits, so the
// box blur's sums can be 32-bit.
inline bool boxSumsFit32(int width, int height, int boxWidth, int boxHeight) {
  const std::uint64_t columns = static_cast<std::uint64_t>(boxWidth < width ? boxWidth : width);
  const std::uint64_t rows = static_cast<std::uint64_t>(boxHeight < height ? boxHeight : height);
  return 255 * columns * rows <= UINT32_MAX;
}

// The box blur's average: a sum of at most 255 x count divided by count. For counts up to 4103
// the division is a multiplication by ceil(2^32 / count) and a shift: the reciprocal's error
// stays below one count's worth of the fraction while 255 x count x count < 2^32, so the
// quotient is exact. reciprocalOf gives 0 for larger counts, which divide.
inline std::uint64_t reciprocalOf(std::uint64_t count) {
  constexpr std::uint64_t kLargestExactCount = 4103;
  return count <= kLargestExactCount ? ((std::uint64_t{1} << 32) - 1) / count + 1 : 0;
}
inline BYTE averageOf(std::uint64_t sum, std::uint64_t count, std::uint64_t reciprocal) {
  return static_cast<BYTE>(reciprocal != 0 ? (sum * reciprocal) >> 32 : sum / count);
}

// Owns a malloc block; null-safe.
struct FreeDeleter {
  void operator()(void* block) const { std::free(block); }
};

}  // namespace dib
