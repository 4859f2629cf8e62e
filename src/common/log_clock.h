// The clock the log reads: the system time in UTC with milliseconds (GetSystemTime on Windows).
// Tests replace it to fix the time of lines, banners and file names.
#pragma once

#include "common/win_types.h"

using SystemTimeSource = void (*)(SYSTEMTIME* now);

// Makes source the log's clock (null restores the system clock); returns the previous one.
SystemTimeSource setLogTimeSource(SystemTimeSource source);

SYSTEMTIME readLogClock();
