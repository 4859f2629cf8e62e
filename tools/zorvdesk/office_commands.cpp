// Shell links, the Office locator and the window finder.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "command.h"
#include "office/office.h"
#include "office/office_message_box.h"

namespace zorvdesk {
namespace {

int link(const Arguments& args);
int office(const Arguments& args);
int window(const Arguments& args);

const Command kLink{"link", "link FILE.lnk",
                    "prints what a shell link says about its target, and the reader's result",
                    link};
const Command kOffice{"office", "office PATH",
                      "prints the Office server executable a desktop shortcut path stands for",
                      office};
const Command kWindow{"window", "window PID",
                      "prints the application window of a process (handle, title, class)", window};

int link(const Arguments& args) {
  if (args.size() != 1) return usageError(kLink, "link takes one link file");
  ShortcutInfo info;
  const bool read = resolveShortcut(args[0].c_str(), info);
  std::printf("result: %s\n", read ? "true" : "false");
  std::printf("isDirectory: %s\n", info.isDirectory ? "true" : "false");
  std::printf("fileName: %s\n", static_cast<const char*>(info.fileName));
  std::printf("targetPath: %s\n", static_cast<const char*>(info.targetPath));
  std::printf("workingDirectory: %s\n", static_cast<const char*>(info.workingDirectory));
  std::printf("executable: %s\n", static_cast<const char*>(info.executable));
  std::printf("iconPath: %s\n", static_cast<const char*>(info.iconPath));
  std::printf("arguments: %s\n", static_cast<const char*>(info.arguments));
  std::printf("iconIndex: %d\n", info.iconIndex);
  return read ? kOk : kFailed;
}

// The notice the library would show in a message box. A console program run without anyone at
// the screen must not wait on a modal box, so the text goes to stderr and the exit code says it.
std::string officeNotice;

void keepOfficeNotice(const char* text, const char* /*caption*/) { officeNotice = text; }

int office(const Arguments& args) {
  if (args.size() != 1) return usageError(kOffice, "office takes one path");
  char path[MAX_PATH] = {};
  if (args[0].size() >= MAX_PATH)
    return usageError(kOffice, "the path is longer than 259 characters");
  args[0].copy(path, MAX_PATH - 1);
  setOfficeMessageBox(keepOfficeNotice);
  const bool usable = locateOfficeApplication(path);
  setOfficeMessageBox(nullptr);
  if (!usable) {
    std::fprintf(stderr, "%s\n", officeNotice.c_str());
    return kFailed;
  }
  std::printf("%s\n", path);
  return kOk;
}

// A decimal process id of 32 bits, nothing else.
bool parseProcessId(const std::string& text, DWORD& processId) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return false;
  errno = 0;
  const unsigned long long value = std::strtoull(text.c_str(), nullptr, 10);
  if (errno != 0 || value > 0xFFFFFFFFull) return false;
  processId = static_cast<DWORD>(value);
  return true;
}

int window(const Arguments& args) {
  DWORD processId = 0;
  if (args.size() != 1 || !parseProcessId(args[0], processId)) {
    return usageError(kWindow, "window takes one decimal process id");
  }
  const HWND found = findProcessWindow(processId);
  if (found == nullptr) {
    std::fprintf(stderr, "zorvdesk: no application window for process %lu\n",
                 static_cast<unsigned long>(processId));
    return kFailed;
  }
  char title[256] = {};
  char className[256] = {};
  GetWindowTextA(found, title, sizeof title);
  GetClassNameA(found, className, sizeof className);
  // Window handles carry 32 significant bits on both architectures.
  std::printf("window: 0x%08lX\ntitle: %s\nclass: %s\n",
              static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(found)), title, className);
  return kOk;
}

const CommandRegistration registerLink(kLink);
const CommandRegistration registerOffice(kOffice);
const CommandRegistration registerWindow(kWindow);

}  // namespace
}  // namespace zorvdesk
