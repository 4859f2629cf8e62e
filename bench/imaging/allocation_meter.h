// Counts the heap bytes live during a measured call, split by who allocated them: libjpeg-turbo
// (the caller's return address lies in its shared library) or anyone else. The process's
// malloc, calloc, realloc and free are replaced by counting wrappers around glibc's own.
#pragma once

#include <cstddef>

struct AllocationPeaks {
  std::size_t libjpeg = 0;  // peak bytes live that libjpeg-turbo allocated
  std::size_t others = 0;   // peak bytes live that everything else allocated
};

void startAllocationMeter();  // finds libjpeg-turbo's library and zeroes the counts
AllocationPeaks stopAllocationMeter();
