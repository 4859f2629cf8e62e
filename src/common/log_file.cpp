// The log state and its file: the process-wide current log, line writing and the neutral
// steps of opening and closing. File access is the C library's, so this builds natively too.
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "common/log_clock.h"
#include "common/log_sink.h"
#include "common/log_state.h"
#include "common/log_text.h"

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// The current log; null at load time and while the log is closed. Only closeLog and a
// disabling openLog delete it: a log left open when the module unloads is abandoned, and its
// file is complete already.
CLogFile* g_currentLog = nullptr;

void deleteCurrentLog() {
  delete g_currentLog;
  g_currentLog = nullptr;
}

// Null unless a program takes the lines itself.
LogLineSink g_lineSink = nullptr;

bool isWriting(const CLogFile* log) { return log != nullptr && log->enabled; }

}  // namespace

CLogFile::~CLogFile() = default;

CLogFile* currentLogFile() { return g_currentLog; }

void setLogLineSink(LogLineSink sink) { g_lineSink = sink; }

bool logTakesLines() { return g_lineSink != nullptr || isWriting(g_currentLog); }

void logMessage(const char* text) {
  if (!logTakesLines()) return;
  const CString line = formatLogLine(readLogClock(), text);
  if (line.IsEmpty()) return;  // no memory for the line: it is lost like an unwritable one
  logRawText(line);
}

void logRawText(const char* text) {
  if (text == nullptr) text = "";
  if (g_lineSink != nullptr) {
    g_lineSink(text);
    return;
  }
  const CLogFile* log = g_currentLog;
  if (!isWriting(log) || log->path[0] == '\0') return;
  // Opened and closed around every line ("a+", text mode), so each line is on disk when
  // the call returns and nothing holds the file between lines.
  const FileHandle file(std::fopen(log->path, "a+"));
  if (!file) return;
  std::fwrite(text, 1, std::strlen(text), file.get());
  if (needsLineEnd(text)) std::fputc('\n', file.get());
}

void closeLog() { deleteCurrentLog(); }

CLogFile* prepareLogState(bool enable) {
  if (!enable && g_currentLog != nullptr) {
    deleteCurrentLog();
    return nullptr;
  }
  if (g_currentLog == nullptr) g_currentLog = new (std::nothrow) CLogFile;
  if (g_currentLog == nullptr) return nullptr;
  g_currentLog->enabled = enable;
  return g_currentLog;
}

void startLogFile(CLogFile& log, const char* folder, const char* prefix, const SYSTEMTIME& now) {
  // A name too long for the path field leaves the log without a file: lines are dropped.
  if (!formatLogFileName(folder, prefix, now, log.path)) return;
  const FileHandle created(std::fopen(log.path, "w"));
  const LogBanner banner = formatLogBanner(now);
  for (const CString& line : banner.lines) logRawText(line);
}
