#include "desktoplib/random_scale.h"

#include <algorithm>
#include <cmath>

float scaleRandomDraw(int draw, float low, float high) {
  const float difference = high - low;
  return static_cast<float>(low + static_cast<double>(draw) / kRandomDrawMax * difference);
}

int randomIntFromDraw(int draw, int low, int high) {
  const double value = std::floor(
      scaleRandomDraw(draw, static_cast<float>(low + 0.01), static_cast<float>(high + 0.99)));
  // Bounds beyond 2^24 lose their units as floats; clamping keeps the result in range (and in
  // int) instead of letting it land next to a bound.
  const double lowest = std::min(low, high);
  const double highest = std::max(low, high);
  return static_cast<int>(std::clamp(value, lowest, highest));
}
