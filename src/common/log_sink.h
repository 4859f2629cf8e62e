// Where a program that must not write the log's file (zorvdesk) takes the log's lines instead.
// While a sink is set, every line goes to it as the file would get it (time stamp included,
// without the line end the file would add), whether the log is open or not, and none goes into
// the log's file; null, the default, restores the file. The module never sets one.
#pragma once

using LogLineSink = void (*)(const char* line);

void setLogLineSink(LogLineSink sink);
