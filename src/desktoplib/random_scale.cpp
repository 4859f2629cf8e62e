#include "desktoplib/random_scale.h"

#include <algorithm>
#include <cmath>

namespace {

// A value rounded to float for real: on i686 the x87 unit otherwise carries the extra precision
// of a difference or a sum into the next operation, and the result would differ from x86_64's.
float asFloat(double value) {
  volatile float stored = static_cast<float>(value);
  return stored;
}

}  // namespace

float scaleRandomDraw(int draw, float low, float high) {
  const float difference = asFloat(static_cast<double>(high) - low);
  return asFloat(low + static_cast<double>(draw) / kRandomDrawMax * difference);
}

int randomIntFromDraw(int draw, int low, int high) {
  const double value = std::floor(scaleRandomDraw(draw, asFloat(low + 0.01), asFloat(high + 0.99)));
  // Bounds beyond 2^24 lose their units as floats; clamping keeps the result in range (and in
  // int) instead of letting it land next to a bound.
  const double lowest = std::min(low, high);
  const double highest = std::max(low, high);
  return static_cast<int>(std::clamp(value, lowest, highest));
}
