// Box blur of 24-bit DIB buffers.
//
// The sum of a clipped box is the sum of its column sums, so the blur keeps one running sum per
// column and channel over the box's rows and slides a running sum along each row: every pixel
// costs a few additions and one division per channel whatever the box's size, and the results
// equal the per-pixel sums exactly (integer sums, integer division).
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "imaging/dib.h"
#include "imaging/dib_layout.h"

namespace {

template <typename Sum>
class ColumnSums {
 public:
  explicit ColumnSums(int width)
      : values_(static_cast<Sum*>(std::calloc(static_cast<std::size_t>(width) * 3, sizeof(Sum)))),
        count_(static_cast<std::size_t>(width) * 3) {}
  bool ok() const { return values_ != nullptr; }
  const Sum* values() const { return values_.get(); }

  // Sums and rows never overlap: saying so lets the compiler vectorise the loops.
  void add(const BYTE* __restrict row) {
    Sum* __restrict sums = values_.get();
    for (std::size_t i = 0; i < count_; ++i) sums[i] += row[i];
  }
  void subtract(const BYTE* __restrict row) {
    Sum* __restrict sums = values_.get();
    for (std::size_t i = 0; i < count_; ++i) sums[i] -= row[i];
  }

 private:
  std::unique_ptr<Sum[], dib::FreeDeleter> values_;
  std::size_t count_;
};

// One blurred row from the column sums of rows high: a window sliding along the row.
template <typename Sum>
void blurRow(const Sum* __restrict columnSums, int width, int boxWidth, Sum rowsInBox,
             BYTE* __restrict out) {
  Sum sum[3] = {0, 0, 0};
  int first = 0;
  int last = -1;  // columns first .. last are in sum
  std::uint64_t count = 0;
  std::uint64_t reciprocal = 0;
  for (int x = 0; x < width; ++x) {
    const dib::Window window = dib::boxWindow(x, boxWidth, width);
    for (; last < window.last; ++last) {
      for (int c = 0; c < 3; ++c) sum[c] += columnSums[3 * (last + 1) + c];
    }
    for (; first < window.first; ++first) {
      for (int c = 0; c < 3; ++c) sum[c] -= columnSums[3 * first + c];
    }
    // The count changes only where the box meets the picture's edges.
    const std::uint64_t pixels =
        std::uint64_t{rowsInBox} * static_cast<std::uint64_t>(last - first + 1);
    if (pixels != count) {
      count = pixels;
      reciprocal = dib::reciprocalOf(count);
    }
    for (int c = 0; c < 3; ++c) out[3 * x + c] = dib::averageOf(sum[c], count, reciprocal);
  }
}

template <typename Sum>
bool blurInto(const BITMAPINFOHEADER* dib, int boxWidth, int boxHeight, BITMAPINFOHEADER* out) {
  const int width = dib->biWidth;
  const int height = dib->biHeight;
  ColumnSums<Sum> columns(width);
  if (!columns.ok()) return false;
  int first = 0;
  int last = -1;  // rows first .. last are in the column sums
  for (int y = 0; y < height; ++y) {
    const dib::Window window = dib::boxWindow(y, boxHeight, height);
    for (; last < window.last; ++last) columns.add(dib::rowAt(dib, last + 1));
    for (; first < window.first; ++first) columns.subtract(dib::rowAt(dib, first));
    blurRow<Sum>(columns.values(), width, boxWidth, static_cast<Sum>(last - first + 1),
                 dib::rowAt(out, y));
  }
  return true;
}

}  // namespace

BITMAPINFOHEADER* blurDib(const BITMAPINFOHEADER* dib, int boxWidth, int boxHeight) {
  if (!dib::isPlainRgbDib(dib) || boxWidth < 1 || boxHeight < 1) return nullptr;
  BITMAPINFOHEADER* blurred = dib::newDibBuffer(dib->biWidth, dib->biHeight);
  if (blurred == nullptr) return nullptr;
  const bool done = dib::boxSumsFit32(dib->biWidth, dib->biHeight, boxWidth, boxHeight)
                        ? blurInto<std::uint32_t>(dib, boxWidth, boxHeight, blurred)
                        : blurInto<std::uint64_t>(dib, boxWidth, boxHeight, blurred);
  if (!done) {
    std::free(blurred);
    return nullptr;
  }
  return blurred;
}
