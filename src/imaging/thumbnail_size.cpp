// The side of a square thumbnail and the picture's proportions fitted into it.
#include <cstdint>

#include "imaging/dib.h"

namespace {

// Single-precision arithmetic rounded to single precision at every step, also where the i686
// build keeps floating-point values in wider x87 registers: the thumbnail's proportions and
// the resize's picked pixels depend on these roundings.
float singleQuotient(float a, float b) {
  volatile float result = a / b;
  return result;
}
float singleProduct(float a, float b) {
  volatile float result = a * b;
  return result;
}

}  // namespace

// Four thirds in 64 bits, so no input overflows. A value below 1 gives 1, and values whose
// power of two would be 2^31 give 2^30, the largest one an int holds.
int roundToPowerOfTwo(int value) {
  if (value < 1) return 1;
  std::uint64_t bits = static_cast<std::uint64_t>(value) * 4 / 3;
  while ((bits & (bits - 1)) != 0) bits &= bits - 1;  // clear the lowest set bit
  return bits > (1u << 30) ? 1 << 30 : static_cast<int>(bits);
}

// A negative width or height counts as 0, so both 0 leave 0 x 0 instead of dividing by 0.
void fitThumbnailSize(int& size, int& width, int& height) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  const int larger = width > height ? width : height;
  if (larger < size) size = roundToPowerOfTwo(larger);
  if (size < 64) size = 64;
  if (width > height) {
    const float ratio = singleQuotient(static_cast<float>(height), static_cast<float>(width));
    width = size;
    height = static_cast<int>(singleProduct(static_cast<float>(width), ratio));
  } else if (height > 0) {
    const float ratio = singleQuotient(static_cast<float>(width), static_cast<float>(height));
    height = size;
    width = static_cast<int>(singleProduct(static_cast<float>(height), ratio));
  }
}
