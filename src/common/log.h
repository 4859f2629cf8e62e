// Diagnostic log: time-stamped lines in a text file of the installation folder. Closed until
// openLog; while closed (or disabled) every call writes nothing and costs a pointer test.
#pragma once

#include "common/format_check.h"
#include "common/win_types.h"

// The log state: lines are written only while enabled, into the file named by path (empty
// until openLog has formed a name). Created and destroyed by openLog and closeLog only.
class CLogFile {
 public:
  virtual ~CLogFile();

  bool enabled = false;
  char path[MAX_PATH] = {};
};

// A whole message without a line end; written as "HH:MM:SS.mmmm: text" (UTC).
void logMessage(const char* text);
// The text unchanged, plus a line end unless it already ends with "\n".
void logRawText(const char* text);
// "ERROR: " and the system's text for the calling thread's last error code, as a message.
void logLastError();

// Starts a new file "<installation folder><name>_MMDDYYYY_HHMMSS.log" with a banner, or, with
// enable false, closes an open log (with none open it leaves a disabled log and an empty file).
void openLog(const char* name, bool enable);
void closeLog();

// printf-style text (Windows conversions, no floating point) to the debugger output, cut to
// 255 characters.
void debugTrace(const char* format, ...) ZORV_WSPRINTF_FORMAT(1, 2);
