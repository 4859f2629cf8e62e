#include "imaging/sampled_blur.h"

#include <cstdlib>
#include <memory>

namespace dib {

namespace {

IndexTable newTable(int count) {
  return IndexTable(static_cast<int*>(std::malloc(sizeof(int) * static_cast<std::size_t>(count))));
}

}  // namespace

bool SampledBlur::prepare(int sourceWidth, int sourceHeight, int width, int height, int boxWidth,
                          int boxHeight) {
  sourceWidth_ = sourceWidth;
  sourceHeight_ = sourceHeight;
  width_ = width;
  height_ = height;
  boxHeight_ = boxHeight;
  const IndexTable columns = sourceIndexes(sourceWidth, width);
  rows_ = sourceIndexes(sourceHeight, height);
  // Which source columns some picked pixel's box covers, and each one's place among them.
  std::unique_ptr<int[], FreeDeleter> place(
      static_cast<int*>(std::calloc(static_cast<std::size_t>(sourceWidth), sizeof(int))));
  firstNeeded_ = newTable(width);
  lastNeeded_ = newTable(width);
  if (!columns || !rows_ || !place || !firstNeeded_ || !lastNeeded_) return false;
  for (int x = 0; x < width; ++x) {
    const Window window = boxWindow(columns[x], boxWidth, sourceWidth);
    for (int column = window.first; column <= window.last; ++column) place[column] = 1;
  }
  neededCount_ = 0;
  for (int column = 0; column < sourceWidth; ++column) {
    if (place[column] != 0) place[column] = ++neededCount_;  // 1-based while marking
  }
  needed_ = newTable(neededCount_);
  sums_.reset(static_cast<std::uint64_t*>(
      std::malloc(sizeof(std::uint64_t) * 3 * static_cast<std::size_t>(neededCount_))));
  if (!needed_ || !sums_) return false;
  for (int column = 0; column < sourceWidth; ++column) {
    if (place[column] != 0) needed_[place[column] - 1] = column;
  }
  for (int x = 0; x < width; ++x) {
    const Window window = boxWindow(columns[x], boxWidth, sourceWidth);
    firstNeeded_[x] = place[window.first] - 1;
    lastNeeded_[x] = place[window.last] - 1;
  }
  return true;
}

void SampledBlur::sumColumns(const BYTE* row) {
  std::uint64_t* sums = sums_.get();
  for (int i = 0; i < neededCount_; ++i) {
    const BYTE* pixel = row + 3 * static_cast<std::size_t>(needed_[i]);
    sums[3 * i] += pixel[0];
    sums[3 * i + 1] += pixel[1];
    sums[3 * i + 2] += pixel[2];
  }
}

// The needed columns of a box are consecutive in needed_, since every column of the box is.
void SampledBlur::averageInto(std::uint64_t rowsInBox, BYTE* out) const {
  const std::uint64_t* sums = sums_.get();
  for (int x = 0; x < width_; ++x) {
    std::uint64_t sum[3] = {0, 0, 0};
    for (int i = firstNeeded_[x]; i <= lastNeeded_[x]; ++i) {
      sum[0] += sums[3 * i];
      sum[1] += sums[3 * i + 1];
      sum[2] += sums[3 * i + 2];
    }
    const std::uint64_t count =
        rowsInBox * static_cast<std::uint64_t>(lastNeeded_[x] - firstNeeded_[x] + 1);
    for (int c = 0; c < 3; ++c) out[3 * x + c] = static_cast<BYTE>(sum[c] / count);
  }
}

}  // namespace dib
