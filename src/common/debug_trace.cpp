#include <cstdarg>

#include <shlwapi.h>

#include "common/log.h"

namespace {

constexpr int kTraceBufferSize = 256;

}  // namespace

// Formatted by the Windows formatter with a size bound (wvnsprintfA; wvsprintfA has none), so
// a longer text is cut to 255 characters.
void debugTrace(const char* format, ...) {
  char buffer[kTraceBufferSize] = {};
  va_list args;
  va_start(args, format);
  const int length = wvnsprintfA(buffer, kTraceBufferSize, format, args);
  va_end(args);
  if (length < 0) buffer[kTraceBufferSize - 1] = '\0';
  OutputDebugStringA(buffer);
}
