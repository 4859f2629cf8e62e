#include "common/log_text.h"

#include <cstdio>
#include <cstring>

const char kLogBannerRule[] = "===============================";

namespace {

const char* const kDayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
const char* const kMonthNames[] = {"January",   "February", "March",    "April",
                                   "May",       "June",     "July",     "August",
                                   "September", "October",  "November", "December"};

// Day of the week (0 = Sunday) of a Gregorian date, by Sakamoto's method. Year 0 in January
// or February makes the sum negative; the remainder is brought back into 0-6 so that no clock
// reading indexes outside the day names.
int dayOfWeek(int year, int month, int day) {
  static const int kMonthOffsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 3) --year;
  const int remainder =
      (year + year / 4 - year / 100 + year / 400 + kMonthOffsets[month - 1] + day) % 7;
  return remainder < 0 ? remainder + 7 : remainder;
}

// Month name of a SYSTEMTIME month (1-12); out-of-range months print as "?" rather than
// reading outside the table.
const char* monthName(int month) {
  return month >= 1 && month <= 12 ? kMonthNames[month - 1] : "?";
}

const char* dayName(const SYSTEMTIME& time) {
  if (time.wMonth < 1 || time.wMonth > 12) return "?";
  return kDayNames[dayOfWeek(time.wYear, time.wMonth, time.wDay)];
}

}  // namespace

CString formatClockTime(const SYSTEMTIME& time) {
  CString text;
  text.Format("%02u:%02u:%02u", unsigned{time.wHour}, unsigned{time.wMinute},
              unsigned{time.wSecond});
  return text;
}

CString formatLogLine(const SYSTEMTIME& time, const char* text) {
  CString line;
  line.Format("%s.%04i: %s", static_cast<const char*>(formatClockTime(time)),
              int{time.wMilliseconds}, text != nullptr ? text : "");
  return line;
}

CString formatBannerDate(const SYSTEMTIME& time) {
  CString text;
  text.Format("%s, %s %02u, %u", dayName(time), monthName(time.wMonth), unsigned{time.wDay},
              unsigned{time.wYear});
  return text;
}

LogBanner formatLogBanner(const SYSTEMTIME& time) {
  LogBanner banner;
  banner.lines[0] = kLogBannerRule;
  banner.lines[1] = "ZORV LOG FILE";
  banner.lines[2] = formatBannerDate(time);
  banner.lines[3] = formatClockTime(time);
  banner.lines[4] = kLogBannerRule;
  return banner;
}

bool formatLogFileName(const char* folder, const char* prefix, const SYSTEMTIME& time,
                       char (&path)[MAX_PATH]) {
  const int length = std::snprintf(
      path, sizeof path, "%s%s_%02u%02u%04u_%02u%02u%02u.log", folder != nullptr ? folder : "",
      prefix != nullptr ? prefix : "", unsigned{time.wMonth}, unsigned{time.wDay},
      unsigned{time.wYear}, unsigned{time.wHour}, unsigned{time.wMinute}, unsigned{time.wSecond});
  if (length < 0 || static_cast<std::size_t>(length) >= sizeof path) {
    path[0] = '\0';
    return false;
  }
  return true;
}

CString formatErrorLine(const char* systemText) {
  CString line("ERROR: ");
  line += systemText;
  line.Remove('\n');
  return line;
}

bool needsLineEnd(const char* text) {
  const std::size_t length = std::strlen(text);
  return length == 0 || text[length - 1] != '\n';
}
