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
  const std::uint64_t rowsInBox =
      static_cast<std::uint64_t>(boxHeight < sourceHeight ? boxHeight : sourceHeight);
  if (255 * rowsInBox > UINT32_MAX) return false;
  const IndexTable columns = sourceIndexes(sourceWidth, width);
  rows_ = sourceIndexes(sourceHeight, height);
  // Which source columns some picked pixel's box covers, and each one's number among them.
  std::unique_ptr<int[], FreeDeleter> place(
      static_cast<int*>(std::calloc(static_cast<std::size_t>(sourceWidth), sizeof(int))));
  firstNeeded_ = newTable(width);
  lastNeeded_ = newTable(width);
  if (!columns || !rows_ || !place || !firstNeeded_ || !lastNeeded_) return false;
  for (int x = 0; x < width; ++x) {
    const Window window = boxWindow(columns[x], boxWidth, sourceWidth);
    for (int column = window.first; column <= window.last; ++column) place[column] = 1;
  }
  // Short gaps between needed columns are summed too: one long run of additions is cheaper
  // than many runs of a few bytes.
  constexpr int kShortGap = 16;
  int lastNeeded = -1;
  for (int column = 0; column < sourceWidth; ++column) {
    if (place[column] == 0) continue;
    if (lastNeeded >= 0 && column - lastNeeded <= kShortGap) {
      for (int gap = lastNeeded + 1; gap < column; ++gap) place[gap] = 1;
    }
    lastNeeded = column;
  }
  neededCount_ = 0;
  runCount_ = 0;
  for (int column = 0; column < sourceWidth; ++column) {
    if (place[column] == 0) continue;
    if (column == 0 || place[column - 1] == 0) ++runCount_;
    place[column] = ++neededCount_;  // numbered from 1 while marking
  }
  runs_.reset(static_cast<SampledBlurRun*>(
      std::malloc(sizeof(SampledBlurRun) * static_cast<std::size_t>(runCount_))));
  sums_.reset(static_cast<std::uint32_t*>(
      std::malloc(sizeof(std::uint32_t) * 3 * static_cast<std::size_t>(neededCount_))));
  reciprocals_.reset(static_cast<std::uint64_t*>(
      std::malloc(sizeof(std::uint64_t) * static_cast<std::size_t>(width))));
  divisorRows_ = 0;
  if (!runs_ || !sums_ || !reciprocals_) return false;
  int run = -1;
  for (int column = 0; column < sourceWidth; ++column) {
    if (place[column] == 0) continue;
    if (column == 0 || place[column - 1] == 0)
      runs_[++run] = SampledBlurRun{column, place[column] - 1, 0};
    ++runs_[run].count;
  }
  for (int x = 0; x < width; ++x) {
    const Window window = boxWindow(columns[x], boxWidth, sourceWidth);
    firstNeeded_[x] = place[window.first] - 1;
    lastNeeded_[x] = place[window.last] - 1;
  }
  return true;
}

namespace {

// sums[i] (+)= the bytes i of one to three rows, over consecutive bytes the compiler vectorises
// (sums and rows never overlap).
template <int kRows, bool kStore>
void sumRun(const BYTE* const* rows, std::size_t offset, std::uint32_t* __restrict sums,
            int bytes) {
  const BYTE* __restrict a = rows[0] + offset;
  const BYTE* __restrict b = rows[kRows > 1 ? 1 : 0] + offset;
  const BYTE* __restrict c = rows[kRows > 2 ? 2 : 0] + offset;
  for (int i = 0; i < bytes; ++i) {
    std::uint32_t sum = a[i];
    if (kRows > 1) sum += b[i];
    if (kRows > 2) sum += c[i];
    sums[i] = kStore ? sum : sums[i] + sum;
  }
}

template <int kRows, bool kStore>
void sumRuns(const BYTE* const* rows, const SampledBlurRun* runs, int runCount,
             std::uint32_t* sums) {
  for (int r = 0; r < runCount; ++r) {
    const SampledBlurRun& run = runs[r];
    sumRun<kRows, kStore>(rows, 3 * static_cast<std::size_t>(run.firstColumn),
                          sums + 3 * static_cast<std::size_t>(run.firstNeeded), 3 * run.count);
  }
}

}  // namespace

void SampledBlur::sumColumns(const BYTE* const* rows, int count, bool store) {
  const SampledBlurRun* runs = runs_.get();
  std::uint32_t* sums = sums_.get();
  if (store) {
    if (count == 1) sumRuns<1, true>(rows, runs, runCount_, sums);
    if (count == 2) sumRuns<2, true>(rows, runs, runCount_, sums);
    if (count == 3) sumRuns<3, true>(rows, runs, runCount_, sums);
  } else {
    if (count == 1) sumRuns<1, false>(rows, runs, runCount_, sums);
    if (count == 2) sumRuns<2, false>(rows, runs, runCount_, sums);
    if (count == 3) sumRuns<3, false>(rows, runs, runCount_, sums);
  }
}

void SampledBlur::prepareDivisors(std::uint64_t rowsInBox) {
  for (int x = 0; x < width_; ++x) {
    reciprocals_[x] =
        reciprocalOf(rowsInBox * static_cast<std::uint64_t>(lastNeeded_[x] - firstNeeded_[x] + 1));
  }
  divisorRows_ = rowsInBox;
}

// Tables read into locals first: the byte stores into out could alias them otherwise.
void SampledBlur::averageInto(std::uint64_t rowsInBox, BYTE* __restrict out) {
  if (rowsInBox != divisorRows_) prepareDivisors(rowsInBox);
  const std::uint32_t* __restrict sums = sums_.get();
  const int* __restrict firstNeeded = firstNeeded_.get();
  const int* __restrict lastNeeded = lastNeeded_.get();
  const std::uint64_t* __restrict reciprocals = reciprocals_.get();
  const int width = width_;
  for (int x = 0; x < width; ++x) {
    const int first = firstNeeded[x];
    const int last = lastNeeded[x];
    std::uint64_t sum[3] = {0, 0, 0};
    if (last - first == 2) {  // the writers' 3-wide box inside the picture, unrolled
      const std::uint32_t* box = sums + 3 * first;
      for (int c = 0; c < 3; ++c) sum[c] = std::uint64_t{box[c]} + box[c + 3] + box[c + 6];
    } else {
      for (int i = first; i <= last; ++i) {
        sum[0] += sums[3 * i];
        sum[1] += sums[3 * i + 1];
        sum[2] += sums[3 * i + 2];
      }
    }
    const std::uint64_t reciprocal = reciprocals[x];
    const std::uint64_t count = rowsInBox * static_cast<std::uint64_t>(last - first + 1);
    for (int c = 0; c < 3; ++c) out[3 * x + c] = averageOf(sum[c], count, reciprocal);
  }
}

}  // namespace dib
