// The texts the diagnostic log writes, formed from a clock reading. Platform-neutral.
#pragma once

#include "afx/cstring.h"
#include "common/win_types.h"

// "===============================": first and last line of a log file's banner.
extern const char kLogBannerRule[];
// The number of banner lines at the top of every log file.
constexpr int kLogBannerLineCount = 5;

// The time of day as "%H:%M:%S".
CString formatClockTime(const SYSTEMTIME& time);

// One log line: "%s.%04i: %s" from the time of day, the milliseconds and the text, of any
// length. Empty only when memory runs out (a line always holds its time stamp).
CString formatLogLine(const SYSTEMTIME& time, const char* text);

// The date as "%A, %B %d, %Y" with English names; the weekday follows from the date itself.
CString formatBannerDate(const SYSTEMTIME& time);

// The five banner lines: rule, "ZORV LOG FILE", date, time of day, rule.
struct LogBanner {
  CString lines[kLogBannerLineCount];
};
LogBanner formatLogBanner(const SYSTEMTIME& time);

// The log file name "%s%s_%s.log" from the folder (ending with a backslash, or empty), the name
// prefix and the opening time as "%m%d%Y_%H%M%S". A name that does not fit MAX_PATH bytes with
// its terminator is not cut (a cut name could lose its extension or end inside the folder part):
// path is left empty and false returned, so the log goes without a file.
bool formatLogFileName(const char* folder, const char* prefix, const SYSTEMTIME& time,
                       char (&path)[MAX_PATH]);

// "ERROR: " and the system's message text with every line feed removed (carriage returns
// stay); null text gives "ERROR: " alone. Empty only when memory runs out.
CString formatErrorLine(const char* systemText);

// True when a raw log text needs a line end: it does not already end with "\n".
bool needsLineEnd(const char* text);
