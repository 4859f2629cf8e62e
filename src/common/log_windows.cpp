// The Windows steps of the log: opening it in the installation folder, and the system's
// error texts.
#include "afx/cstring.h"
#include "common/install_registry.h"
#include "common/log_clock.h"
#include "common/log_state.h"
#include "common/log_text.h"

namespace {

// Owns a buffer that FormatMessageA allocated and frees it with LocalFree.
class SystemMessage {
 public:
  explicit SystemMessage(DWORD code) {
    FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM,
        nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&text_),
        0, nullptr);
  }
  ~SystemMessage() {
    if (text_ != nullptr) LocalFree(text_);
  }
  SystemMessage(const SystemMessage&) = delete;
  SystemMessage& operator=(const SystemMessage&) = delete;

  // The message, or null when the system has none for the code.
  const char* text() const { return text_; }

 private:
  char* text_ = nullptr;
};

}  // namespace

void openLog(const char* name, bool enable) {
  CLogFile* log = prepareLogState(enable);
  if (log == nullptr) return;
  const SYSTEMTIME now = readLogClock();
  // Reading the folder may log its failure: into the previous file on a re-opening, nowhere
  // on a first one (the path is still empty).
  CString folder;
  getInstallDir(folder);
  startLogFile(*log, folder, name, now);
}

void logLastError() {
  const DWORD code = GetLastError();
  if (!logTakesLines()) return;  // the line would be dropped anyway
  const SystemMessage message(code);
  const CString line = formatErrorLine(message.text());
  if (!line.IsEmpty()) logMessage(line);
}
