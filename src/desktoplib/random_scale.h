// Turning one draw of the C runtime's generator (0 to 32767) into the library's random
// numbers. Platform-neutral; the draws themselves come from the runtime on Windows.
#pragma once

// The largest number rand() gives.
constexpr int kRandomDrawMax = 32767;

// low + draw / 32767 * (high - low), the difference rounded to float: draw 0 gives low,
// 32767 gives high.
float scaleRandomDraw(int draw, float low, float high);

// The whole number of a draw between low and high (either order), both included: the floor of
// the draw scaled from low + 0.01 to high + 0.99, so that the end values weigh 0.99 each and
// the values between 1. Never outside the bounds, also where float cannot hold them exactly.
int randomIntFromDraw(int draw, int low, int high);
