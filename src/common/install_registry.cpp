#include "common/install_registry.h"

#include <utility>

#include "common/install_dir_text.h"
#include "common/log.h"
#include "common/scoped_reg_key.h"

namespace {

constexpr char kInstallKeyPath[] = "SOFTWARE\\ZORV";

// "MainDir" is read into at most this many bytes, leaving room for the appended backslash.
constexpr DWORD kMainDirReadLimit = MAX_PATH - 1;

constexpr char kInstallationOnly[] = "GameModulesFromInstallationOnly";

bool setInstallDword(const char* name, DWORD value) {
  ScopedRegKey key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kInstallKeyPath, 0, KEY_WRITE, key.receive()) !=
      ERROR_SUCCESS) {
    return false;
  }
  return RegSetValueExA(key.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                        sizeof value) == ERROR_SUCCESS;
}

}  // namespace

HKEY openInstallKey() {
  ScopedRegKey key;
  // Full access even to read: a process without write rights to the machine's software keys
  // is meant to fail here.
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kInstallKeyPath, 0, KEY_ALL_ACCESS, key.receive()) ==
      ERROR_SUCCESS) {
    return key.release();
  }
  key.reset();  // a failed call may still have left a handle
  logMessage("ERROR Unable to open ZORV install key!");
  return nullptr;
}

bool getInstallDir(char* dir) {
  ScopedRegKey key(openInstallKey());
  if (!key) {
    logMessage("ERROR could not get open zorv install key!");
    return false;
  }
  DWORD size = kMainDirReadLimit;
  const LONG status =
      RegQueryValueExA(key.get(), "MainDir", nullptr, nullptr, reinterpret_cast<BYTE*>(dir), &size);
  // A value without room left for its backslash counts as unreadable, like a longer one.
  if (status != ERROR_SUCCESS || !finishInstallDirText(dir, size, MAX_PATH)) {
    logMessage("Unable to read ZORV installation directory in Server");
    return false;
  }
  return true;
}

bool getInstallDir(CString& dir) {
  char buffer[MAX_PATH];
  if (!getInstallDir(buffer)) return false;
  // The folder is never empty, so an empty copy means memory ran out; dir is then left as it
  // was, like on every other failure.
  CString copy(buffer);
  if (copy.IsEmpty()) return false;
  dir = std::move(copy);
  return true;
}

bool setTextureMode(DWORD mode) { return setInstallDword("TextureMode", mode); }

bool gameModulesFromInstallationOnly() {
  ScopedRegKey key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kInstallKeyPath, 0, KEY_QUERY_VALUE, key.receive()) !=
      ERROR_SUCCESS) {
    return false;
  }
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  return RegQueryValueExA(key.get(), kInstallationOnly, nullptr, &type,
                          reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS &&
         type == REG_DWORD && size == sizeof value && value == 1;
}

bool setGameModulesFromInstallationOnly(bool on) {
  return setInstallDword(kInstallationOnly, on ? 1 : 0);
}
