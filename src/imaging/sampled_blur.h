// The blurred pixels that a resize picks, computed at those pixels only.
//
// A thumbnail made by blurring a picture and then resizing it keeps one blurred pixel in many.
// This computes exactly those: the resize's row and column tables decide which source pixels are
// picked, and each picked pixel is the integer average of its clipped box, as the box blur
// computes it. Rows come from the caller (a DIB's rows, or rows streaming out of a decoder), so
// the picture need not be held whole.
#pragma once

#include <cstdint>

#include "imaging/dib_layout.h"
#include "imaging/dib_sampling.h"

namespace dib {

// Consecutive source columns: the first one, its number among the needed columns, how many.
struct SampledBlurRun {
  int firstColumn;
  int firstNeeded;
  int count;
};

class SampledBlur {
 public:
  // Plans a width x height resize of a sourceWidth x sourceHeight picture, each picked pixel
  // blurred with the box (1 x 1: not blurred). False when out of memory, or for a box of more
  // than 16,843,009 rows over a picture that high (its column sums would not fit 32 bits).
  bool prepare(int sourceWidth, int sourceHeight, int width, int height, int boxWidth,
               int boxHeight);

  int width() const { return width_; }
  int height() const { return height_; }
  // The stored source rows that row y of the result reads.
  Window sourceRows(int y) const { return boxWindow(rows_[y], boxHeight_, sourceHeight_); }

  // Row y of the result. rowAt(sourceY) gives stored source row sourceY (bottom-up, 3 bytes per
  // pixel) for every row of sourceRows(y).
  template <typename RowAt>
  void computeRow(int y, RowAt rowAt, BYTE* out);

 private:
  void sumColumns(const BYTE* const* rows, int count, bool store);
  void prepareDivisors(std::uint64_t rowsInBox);
  void averageInto(std::uint64_t rowsInBox, BYTE* out);

  int sourceWidth_ = 0;
  int sourceHeight_ = 0;
  int width_ = 0;
  int height_ = 0;
  int boxHeight_ = 1;
  IndexTable rows_;  // source row picked by each result row
  // The source columns inside some picked pixel's box, and the short gaps between them, in
  // runs of consecutive columns: the needed columns, numbered in ascending order.
  std::unique_ptr<SampledBlurRun[], FreeDeleter> runs_;
  int runCount_ = 0;
  int neededCount_ = 0;
  IndexTable firstNeeded_;  // per result column: its box among the needed columns
  IndexTable lastNeeded_;
  // Per needed column and channel, the sum over the box's rows: 32 bits, as prepare() refuses
  // boxes of more rows than 255 x rows can count in them.
  std::unique_ptr<std::uint32_t[], FreeDeleter> sums_;
  // Per result column: reciprocalOf its box's pixel count, for boxes of divisorRows_ rows.
  std::unique_ptr<std::uint64_t[], FreeDeleter> reciprocals_;
  std::uint64_t divisorRows_ = 0;
};

template <typename RowAt>
void SampledBlur::computeRow(int y, RowAt rowAt, BYTE* out) {
  const Window window = sourceRows(y);
  // Up to three rows per pass over the sums; the first pass stores, later ones add.
  const BYTE* rows[3];
  int sourceY = window.first;
  for (bool first = true; sourceY <= window.last; first = false) {
    int count = 0;
    for (; count < 3 && sourceY <= window.last; ++count, ++sourceY) rows[count] = rowAt(sourceY);
    sumColumns(rows, count, first);
  }
  averageInto(static_cast<std::uint64_t>(window.last - window.first + 1), out);
}

}  // namespace dib
