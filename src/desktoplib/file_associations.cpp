// Display names of programs and the programs that open documents, from the registry's file
// associations. Reads only.
#include <cstring>

#include "common/scoped_reg_key.h"
#include "desktoplib/association_text.h"
#include "desktoplib/desktoplib.h"

namespace {

// "FriendlyCache" is read into at most this many bytes, terminator included.
constexpr DWORD kFriendlyNameReadLimit = 60;

// The shell's cached display name of a program file (a name with extension) into name.
bool readFriendlyCache(const char* fileName, char* name) {
  CString keyPath;
  keyPath.Format("SOFTWARE\\Classes\\Applications\\%s\\shell", fileName);
  if (keyPath.IsEmpty()) return false;
  ScopedRegKey key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_QUERY_VALUE, key.receive()) !=
      ERROR_SUCCESS) {
    return false;
  }
  DWORD size = kFriendlyNameReadLimit;
  return RegQueryValueExA(key.get(), "FriendlyCache", nullptr, nullptr,
                          reinterpret_cast<BYTE*>(name), &size) == ERROR_SUCCESS &&
         terminateRegistryText(name, size, MAX_PATH);
}

// A key's default value as text, at most 260 bytes. A value that fills all 260 bytes without a
// terminator counts as unreadable, and is logged as a failed read: using it would mean reading
// past the buffer.
bool readDefaultText(HKEY key, char* text) {
  DWORD size = MAX_PATH;
  return RegQueryValueExA(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) ==
             ERROR_SUCCESS &&
         terminateRegistryText(text, size, MAX_PATH);
}

// Opens a subkey for reading into sub; the parent is closed either way.
bool openSubkey(ScopedRegKey& parent, const char* name, ScopedRegKey& sub) {
  const bool opened =
      RegOpenKeyExA(parent.get(), name, 0, KEY_READ, sub.receive()) == ERROR_SUCCESS;
  if (!opened) sub.reset();
  parent.reset();
  return opened;
}

// The default value of HKEY_CLASSES_ROOT\<className>\shell\open\command, each missing step
// logged with its own line.
bool readOpenCommand(const char* className, char* command) {
  ScopedRegKey classKey;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, className, 0, KEY_READ, classKey.receive()) !=
      ERROR_SUCCESS) {
    classKey.reset();
    logWithText("ERROR could not open key %s", className);
    return false;
  }
  ScopedRegKey shellKey;
  if (!openSubkey(classKey, "shell", shellKey)) {
    logWithText("ERROR could not open key %s", className);
    return false;
  }
  ScopedRegKey openKey;
  if (!openSubkey(shellKey, "open", openKey)) {
    logWithText("ERROR could not open shell key open for %s", className);
    return false;
  }
  ScopedRegKey commandKey;
  if (!openSubkey(openKey, "command", commandKey)) {
    logWithText("Could not open command sub key for %s", className);
    return false;
  }
  if (!readDefaultText(commandKey.get(), command)) {
    logWithText("Could not open sub key command for %s", className);
    return false;
  }
  return true;
}

}  // namespace

void getFriendlyAppName(const char* path, char* name) {
  if (path == nullptr || name == nullptr) return;
  if (isRootPath(path)) {
    // A root path is shown as it is; a server name beyond the buffer is cut to fit.
    std::strncpy(name, path, MAX_PATH - 1);
    name[MAX_PATH - 1] = '\0';
    return;
  }
  char folder[MAX_PATH];
  char file[MAX_PATH] = "";
  splitPath(path, folder, file);
  // A bare file name (no backslash) is looked up nowhere and becomes the name by the same rule
  // as a file name without a cached name.
  if (file[0] == '\0' || !readFriendlyCache(file, name)) programTitleFromPath(path, name);
  replaceBrackets(name);
}

bool getOpenCommandExe(const char* extension, char* program) {
  if (extension == nullptr || program == nullptr) return false;
  char className[MAX_PATH];
  {
    ScopedRegKey extensionKey;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, extension, 0, KEY_READ, extensionKey.receive()) !=
        ERROR_SUCCESS) {
      extensionKey.reset();
      logWithText("No registry key for extension %s", extension);
      return false;
    }
    if (!readDefaultText(extensionKey.get(), className)) {
      logWithText("Could not get default key value for file extension %s", extension);
      return false;
    }
  }
  // The command is shaped in a buffer of its own, so a refused or missing one leaves program
  // as it was.
  char command[MAX_PATH];
  if (!readOpenCommand(className, command)) return false;
  if (!programFromOpenCommand(command)) return false;
  std::strcpy(program, command);
  return true;
}
