// getCurrentWorld: the recorded world when its movie file exists, else a search of the
// installed desktop worlds, whose choice is recorded.
#include <cstring>
#include <utility>

#include "common/install_registry.h"
#include "common/log.h"
#include "common/scoped_reg_key.h"
#include "desktoplib/association_text.h"
#include "desktoplib/desktoplib.h"
#include "desktoplib/scoped_find.h"

namespace {

constexpr char kCurrentWorldValue[] = "CurrMovie";
// "CurrMovie" is read into this many bytes of the caller's buffer, terminator included.
constexpr DWORD kCurrentWorldReadLimit = 128;
constexpr char kErrorCaption[] = "ZORV Error";
constexpr char kNoWorlds[] = "No ZORV Worlds are installed";

// "<installation>Desktops\<name>\<name>.dcr".
CString moviePath(const CString& installDir, const char* name) {
  CString path;
  path.Format("%sDesktops\\%s\\%s.dcr", static_cast<const char*>(installDir), name, name);
  return path;
}

// Whether any file system entry has exactly that path; a folder of that name counts.
bool entryExists(const CString& path) {
  // A path beyond MAX_PATH cannot be handed to the narrow file functions whole, so there is
  // no such movie file for them (also when memory for the path ran out).
  if (path.IsEmpty() || path.GetLength() >= MAX_PATH) return false;
  WIN32_FIND_DATAA found;
  return static_cast<bool>(ScopedFind(path, &found));
}

// Reads "CurrMovie" into name; any value type, terminated within the caller's buffer.
bool readRecordedWorld(HKEY installKey, char* name) {
  DWORD size = kCurrentWorldReadLimit;
  if (RegQueryValueExA(installKey, kCurrentWorldValue, nullptr, nullptr,
                       reinterpret_cast<BYTE*>(name), &size) != ERROR_SUCCESS) {
    return false;
  }
  return terminateRegistryText(name, size, MAX_PATH);
}

bool recordWorld(HKEY installKey, const char* name) {
  return RegSetValueExA(installKey, kCurrentWorldValue, 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(name),
                        static_cast<DWORD>(std::strlen(name) + 1)) == ERROR_SUCCESS;
}

// Whether a search entry may be a world: a folder other than "." and "..".
bool isWorldFolder(const WIN32_FIND_DATAA& entry) {
  return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
         std::strcmp(entry.cFileName, ".") != 0 && std::strcmp(entry.cFileName, "..") != 0;
}

// Walks "Desktops\dZORV_*" in the file system's order: name becomes the first folder with its
// movie file, else the last folder examined, else empty. False when nothing matches at all.
bool searchWorlds(const CString& installDir, char* name) {
  name[0] = '\0';
  CString pattern(installDir);
  pattern += "Desktops\\dZORV_*";
  WIN32_FIND_DATAA entry;
  ScopedFind search(pattern, &entry);
  if (!search) return false;
  do {
    if (!isWorldFolder(entry)) continue;
    std::strcpy(name, entry.cFileName);  // cFileName holds at most MAX_PATH bytes
    if (entryExists(moviePath(installDir, name))) break;
  } while (search.next(&entry));
  return true;
}

}  // namespace

bool getCurrentWorld(char* name) {
  // Nothing to deliver into: refused before anything is looked at or shown.
  if (name == nullptr) return false;
  CString installDir;
  if (!getInstallDir(installDir)) {
    logMessage("ERROR could not get ZORV install dir from registry!");
    name[0] = '\0';
    return true;
  }
  ScopedRegKey installKey(openInstallKey());
  if (!installKey) {
    name[0] = '\0';
    logWithText("getCurrentWorld returning %s", name);
    return false;
  }

  bool searchNeeded = false;
  if (!readRecordedWorld(installKey.get(), name)) {
    logMessage("WARNING could not read current world from Registry!");
    name[0] = '\0';
    searchNeeded = true;
  }
  const CString recordedMovie = moviePath(installDir, name);
  if (!entryExists(recordedMovie)) {
    logWithText("ERROR could not find world %s", recordedMovie);
    logMessage("Will search for world");
    searchNeeded = true;
  }
  if (!searchNeeded) {
    installKey.reset();
    logWithText("getCurrentWorld returning %s", name);
    return true;
  }

  logMessage("getCurrentWorld searching for valid ZORV world");
  if (!searchWorlds(installDir, name)) {
    MessageBoxA(nullptr, kNoWorlds, kErrorCaption, MB_OK);
    logMessage("ERROR No ZORV Worlds are installed");
    return true;
  }
  if (!recordWorld(installKey.get(), name)) {
    logMessage("ERROR could not save CurrMovie to registry!");
    return false;
  }
  logWithText("getCurrentWorld set default world %s", name);
  installKey.reset();
  logWithText("getCurrentWorld returning %s", name);
  return true;
}

bool getCurrentWorld(CString& name) {
  char buffer[MAX_PATH];
  if (getCurrentWorld(buffer)) name = buffer;
  return true;
}
