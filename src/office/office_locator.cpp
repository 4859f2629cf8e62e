// The Office locator: desktop shortcut paths mapped to the COM local server executables that
// the registry names for the application's ProgID.
#include <cstring>

#include "common/scoped_reg_key.h"
#include "office/office.h"
#include "office/office_applications.h"
#include "office/office_message_box.h"

namespace {

// Registry texts are read into MAX_PATH bytes, announcing one byte less so that a terminator
// always fits behind what was read.
constexpr DWORD kValueReadSize = MAX_PATH - 1;

void showMessageBox(const char* text, const char* caption) {
  MessageBoxA(nullptr, text, caption, MB_OK);
}

OfficeMessageBox officeMessageBox = showMessageBox;

CString readShortcutTarget(const char* path) {
  ShortcutInfo info;
  resolveShortcut(path, info);  // an unreadable shortcut leaves the target empty
  return info.targetPath;
}

// The default value of HKEY_CLASSES_ROOT\<keyName> as text. Its type is not examined: whatever
// bytes it holds end at the first zero or after the last byte read.
bool readClassesDefaultValue(const CString& keyName, char (&value)[MAX_PATH]) {
  // An empty name would open the root itself; it only happens when memory ran out.
  if (keyName.IsEmpty()) return false;
  ScopedRegKey key;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, keyName, 0, KEY_READ, key.receive()) != ERROR_SUCCESS) {
    return false;
  }
  DWORD size = kValueReadSize;
  const LONG status =
      RegQueryValueExA(key.get(), nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
  key.reset();
  if (status != ERROR_SUCCESS) return false;
  value[size < kValueReadSize ? size : kValueReadSize] = '\0';
  return true;
}

}  // namespace

void setOfficeMessageBox(OfficeMessageBox messageBox) {
  officeMessageBox = messageBox != nullptr ? messageBox : showMessageBox;
}

bool getLocalServerPath(char* out, const char* progId) {
  if (out == nullptr || progId == nullptr) return false;
  CString keyName;
  keyName.Format("%s\\CLSID", progId);
  char classId[MAX_PATH];
  // An empty class identifier names no class; it is not looked up as "CLSID\\LocalServer32".
  if (!readClassesDefaultValue(keyName, classId) || classId[0] == '\0') return false;

  keyName.Format("CLSID\\%s\\LocalServer32", classId);
  char server[MAX_PATH];
  if (!readClassesDefaultValue(keyName, server)) return false;

  // Switches such as " /automation" go; the blank before the slash stays.
  char* slash = std::strchr(server, '/');
  if (slash != nullptr) *slash = '\0';
  std::memcpy(out, server, std::strlen(server) + 1);
  return true;
}

bool locateOfficeApplication(char* path) {
  if (path == nullptr) return false;
  const OfficeApplication* application = findOfficeApplication(path, readShortcutTarget);
  if (application == nullptr) return true;
  // One lookup per call: a failed one ends the call with the notice, later rows are not tried.
  if (getLocalServerPath(path, application->progId)) return true;
  officeMessageBox(officeNoticeText(*application), "Information");
  return false;
}
