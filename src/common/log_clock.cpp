#include "common/log_clock.h"

#ifndef _WIN32
#include <ctime>
#endif

namespace {

#ifdef _WIN32
void readSystemClock(SYSTEMTIME* now) { GetSystemTime(now); }
#else
// The native builds (tests, benchmarks) read the same UTC fields from the C library.
void readSystemClock(SYSTEMTIME* now) {
  timespec spec{};
  clock_gettime(CLOCK_REALTIME, &spec);
  tm fields{};
  gmtime_r(&spec.tv_sec, &fields);
  now->wYear = static_cast<WORD>(fields.tm_year + 1900);
  now->wMonth = static_cast<WORD>(fields.tm_mon + 1);
  now->wDayOfWeek = static_cast<WORD>(fields.tm_wday);
  now->wDay = static_cast<WORD>(fields.tm_mday);
  now->wHour = static_cast<WORD>(fields.tm_hour);
  now->wMinute = static_cast<WORD>(fields.tm_min);
  now->wSecond = static_cast<WORD>(fields.tm_sec);
  now->wMilliseconds = static_cast<WORD>(spec.tv_nsec / 1000000);
}
#endif

SystemTimeSource g_timeSource = readSystemClock;

}  // namespace

SystemTimeSource setLogTimeSource(SystemTimeSource source) {
  const SystemTimeSource previous = g_timeSource;
  g_timeSource = source != nullptr ? source : readSystemClock;
  return previous;
}

SYSTEMTIME readLogClock() {
  SYSTEMTIME now{};
  g_timeSource(&now);
  return now;
}
