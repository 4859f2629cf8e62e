// The process-wide log state behind log.h, and the platform-neutral steps of opening a log.
#pragma once

#include "common/log.h"

// The current log, or null while the log is closed.
CLogFile* currentLogFile();

// True when a line would go somewhere: to a sink, or into an enabled log.
bool logTakesLines();

// The first steps of openLog: with enable false an open log is destroyed (null returned);
// otherwise the current log (created if there is none) takes the flag and is returned. Null
// also when the state cannot be allocated; the log then stays closed.
CLogFile* prepareLogState(bool enable);

// The last steps of openLog: names the log's new file from the installation folder (ending
// with a backslash, or empty for the current directory), the prefix and the opening time,
// creates it empty (truncating) and writes the banner while the log is enabled.
void startLogFile(CLogFile& log, const char* folder, const char* prefix, const SYSTEMTIME& now);
