// The caps that every JPEG read and write is held to. A file beyond them is refused before
// anything is allocated for its pixels.
#pragma once

#include <cstddef>
#include <cstdint>

// Largest side libjpeg-turbo handles.
constexpr int kJpegMaxSide = 65500;
// Largest picture: 64 Mpx (8192 x 8192, or a 9248 x 6936 camera picture), a DIB of ~192 MiB.
constexpr std::int64_t kJpegMaxPixels = std::int64_t{1} << 26;
// libjpeg-turbo's own working memory (coefficient buffers of progressive files and the like).
constexpr long kJpegMaxLibraryMemory = 256L * 1024 * 1024;
// Progressive files take one pass over their coefficients per scan; ordinary ones have < 20.
constexpr int kJpegMaxScans = 100;

// Row stride of a 24-bit DIB: width x 3 rounded up to a multiple of 4.
constexpr std::int64_t dibStride24(std::int64_t width) {
  return (width * 3 + 3) & ~std::int64_t{3};
}

// True when a 24-bit picture of that size is within the caps, so that its DIB
// (40 + stride x height bytes) also fits a signed 32-bit size.
constexpr bool jpegSizeAllowed(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= kJpegMaxSide && height <= kJpegMaxSide &&
         width * height <= kJpegMaxPixels && 40 + dibStride24(width) * height <= INT32_MAX;
}
