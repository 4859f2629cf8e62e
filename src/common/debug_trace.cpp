#include <cstdarg>
#include <cstring>

#include "common/log.h"

namespace {

constexpr int kTraceBufferSize = 256;
// wvsprintfA writes at most 1024 characters and its terminator, whatever the format asks for.
constexpr int kFormatterLimit = 1025;

}  // namespace

// Formatted by the Windows formatter, then cut to 255 characters: the trace buffer holds 256
// bytes, and the formatter itself knows no bound below its own 1024.
void debugTrace(const char* format, ...) {
  char formatted[kFormatterLimit] = {};
  va_list args;
  va_start(args, format);
  wvsprintfA(formatted, format, args);
  va_end(args);
  formatted[kFormatterLimit - 1] = '\0';
  char buffer[kTraceBufferSize];
  std::strncpy(buffer, formatted, kTraceBufferSize - 1);
  buffer[kTraceBufferSize - 1] = '\0';
  OutputDebugStringA(buffer);
}
