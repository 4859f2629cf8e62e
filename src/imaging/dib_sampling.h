// The pixels that nearest-neighbour resizing picks, shared by resizeDib and the thumbnail
// paths that compute only those pixels.
#pragma once

#include <memory>

#include "imaging/dib_layout.h"

namespace dib {

using IndexTable = std::unique_ptr<int[], FreeDeleter>;

// For each of newSize positions, the source position: the integer part of a single-precision
// accumulator plus 0.5, the accumulator growing by oldSize / newSize per position (by repeated
// addition), and positions past the end taken as the last one. Null when out of memory.
IndexTable sourceIndexes(int oldSize, int newSize);

// A new row of count pixels, pixel i copied from source pixel columns[i].
inline void sampleRow(const BYTE* source, const int* columns, int count, BYTE* row) {
  for (int i = 0; i < count; ++i) {
    const BYTE* pixel = source + 3 * static_cast<std::size_t>(columns[i]);
    row[3 * i] = pixel[0];
    row[3 * i + 1] = pixel[1];
    row[3 * i + 2] = pixel[2];
  }
}

}  // namespace dib
