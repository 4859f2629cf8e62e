// A process's application window among the top-level windows.
#include <cstring>

#include "office/office.h"

namespace {

// Titles and class names are read into this many bytes, so at most 29 characters count.
constexpr int kNameBytes = 30;

// The window found by the search under way. Module-wide, so two searches on different threads
// overwrite each other's result.
HWND foundWindow = nullptr;

bool startsWith(const char* text, const char* prefix) {
  return _strnicmp(text, prefix, std::strlen(prefix)) == 0;
}

// The desktop's own main windows and the helper windows of OLE and of application frameworks.
bool isPassedOver(HWND window) {
  char title[kNameBytes] = {};
  char className[kNameBytes] = {};
  GetWindowTextA(window, title, kNameBytes);
  GetClassNameA(window, className, kNameBytes);
  return startsWith(title, "*zorvmain") || startsWith(className, "Ole") ||
         startsWith(className, "mainclass");
}

BOOL CALLBACK matchProcessWindow(HWND window, LPARAM processId) {
  if (processId == 0) return FALSE;  // no process has id 0: stop at once
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != static_cast<DWORD>(processId) || isPassedOver(window)) return TRUE;
  foundWindow = window;
  return FALSE;
}

}  // namespace

HWND findProcessWindow(DWORD processId) {
  foundWindow = nullptr;
  EnumWindows(matchProcessWindow, static_cast<LPARAM>(processId));
  return foundWindow;
}
