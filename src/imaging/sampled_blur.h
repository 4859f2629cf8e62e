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

class SampledBlur {
 public:
  // Plans a width x height resize of a sourceWidth x sourceHeight picture, each picked pixel
  // blurred with the box (1 x 1: not blurred). False when out of memory.
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
  void sumColumns(const BYTE* row);
  void averageInto(std::uint64_t rowsInBox, BYTE* out) const;

  int sourceWidth_ = 0;
  int sourceHeight_ = 0;
  int width_ = 0;
  int height_ = 0;
  int boxHeight_ = 1;
  IndexTable rows_;    // source row picked by each result row
  IndexTable needed_;  // source columns inside some picked pixel's box, ascending
  int neededCount_ = 0;
  IndexTable firstNeeded_;  // per result column: its box in needed_ (first, last)
  IndexTable lastNeeded_;
  std::unique_ptr<std::uint64_t[], FreeDeleter> sums_;  // per needed column and channel
};

template <typename RowAt>
void SampledBlur::computeRow(int y, RowAt rowAt, BYTE* out) {
  const Window window = sourceRows(y);
  for (int i = 0; i < 3 * neededCount_; ++i) sums_[i] = 0;
  for (int sourceY = window.first; sourceY <= window.last; ++sourceY) sumColumns(rowAt(sourceY));
  averageInto(static_cast<std::uint64_t>(window.last - window.first + 1), out);
}

}  // namespace dib
