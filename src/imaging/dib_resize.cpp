// Nearest-neighbour resize of 24-bit DIB buffers.
#include <cstdlib>

#include "imaging/dib.h"
#include "imaging/dib_sampling.h"

namespace dib {

namespace {

// Rounded to single precision on every build (the i686 one computes in wider x87 registers).
float singleSum(float a, float b) {
  volatile float result = a + b;
  return result;
}
float singleQuotient(float a, float b) {
  volatile float result = a / b;
  return result;
}

}  // namespace

IndexTable sourceIndexes(int oldSize, int newSize) {
  IndexTable table(static_cast<int*>(std::malloc(sizeof(int) * static_cast<std::size_t>(newSize))));
  if (!table) return table;
  const float step = singleQuotient(static_cast<float>(oldSize), static_cast<float>(newSize));
  float position = 0.0f;
  for (int i = 0; i < newSize; ++i) {
    // The sum with 0.5 is exact in double precision, so only the accumulator's roundings count.
    const int index = static_cast<int>(static_cast<double>(position) + 0.5);
    table[i] = index < oldSize ? index : oldSize - 1;
    position = singleSum(position, step);
  }
  return table;
}

}  // namespace dib

BITMAPINFOHEADER* resizeDib(const BITMAPINFOHEADER* dib, int width, int height) {
  if (!dib::isPlainRgbDib(dib) || !dib::sizeFits(width, height)) return nullptr;
  const dib::IndexTable columns = dib::sourceIndexes(dib->biWidth, width);
  const dib::IndexTable rows = dib::sourceIndexes(dib->biHeight, height);
  if (!columns || !rows) return nullptr;
  BITMAPINFOHEADER* resized = dib::newDibBuffer(width, height);
  if (resized == nullptr) return nullptr;
  for (int y = 0; y < height; ++y) {
    dib::sampleRow(dib::rowAt(dib, rows[y]), columns.get(), width, dib::rowAt(resized, y));
  }
  return resized;
}
