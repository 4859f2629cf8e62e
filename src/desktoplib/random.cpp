// Random numbers for games from the C runtime's generator (msvcrt's srand and rand).
#include <sys/timeb.h>

#include <cstdlib>

#include "desktoplib/desktoplib.h"
#include "desktoplib/random_scale.h"

namespace {

// Whether this library has seeded the generator in this process.
bool seeded = false;

}  // namespace

void seedRandom() {
  _timeb now;
  _ftime(&now);
  // Seconds divided by milliseconds, truncated; its low 16 bits seed the generator. At
  // millisecond 0 the seed is 0.
  unsigned seed = 0;
  if (now.millitm != 0) {
    const long long quotient = static_cast<long long>(static_cast<double>(now.time) / now.millitm);
    seed = static_cast<unsigned>(quotient) & 0xFFFFu;
  }
  std::srand(seed);
  seeded = true;
}

float randomFloat(float low, float high) {
  if (!seeded) seedRandom();
  return scaleRandomDraw(std::rand(), low, high);
}

int randomInt(int low, int high) {
  if (!seeded) seedRandom();
  return randomIntFromDraw(std::rand(), low, high);
}
