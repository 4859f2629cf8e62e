// The desktop's folder paths: the current world's folder, its Visual folder and the Shockwave
// player's media folder. Texts only; nothing is created or checked on disk.
#include <cstdio>
#include <cstring>
#include <utility>

#include "common/install_registry.h"
#include "desktoplib/desktoplib.h"

namespace {

// The folder that holds a world of this name, by its first character (case counts).
const char* kindFolder(const char* world) {
  switch (world[0]) {
    case 'm':
      return "MUDs";
    case 'w':
      return "Webs";
    default:  // 'd' and everything else
      return "Desktops";
  }
}

}  // namespace

bool getWorldDir(CString& dir) {
  getInstallDir(dir);  // on failure dir keeps its text and the path is built on that
  // The installation folder ends with a backslash already, so the separator doubles here; the
  // file system reads it as one.
  dir += "\\Desktops\\";
  char world[MAX_PATH];
  getCurrentWorld(world);  // also on false the buffer holds a name, possibly empty
  dir += world;
  dir += "\\";
  return true;
}

bool getVisualDir(char* path) {
  if (path == nullptr) return false;
  char installDir[MAX_PATH];
  char world[MAX_PATH];
  if (!getInstallDir(installDir)) return false;
  if (!getCurrentWorld(world)) return false;
  if (installDir[0] == '\0' || world[0] == '\0') return false;
  // installDir ends with a backslash (getInstallDir sees to it). A path that does not fit is
  // refused rather than cut: a cut path would name another folder.
  char visual[MAX_PATH];
  const int length = std::snprintf(visual, sizeof visual, "%s%s\\%s\\Visual\\", installDir,
                                   kindFolder(world), world);
  if (length < 0 || length >= MAX_PATH) return false;
  std::memcpy(path, visual, static_cast<std::size_t>(length) + 1);
  return true;
}

bool getVisualDir(CString& path) {
  char buffer[MAX_PATH];
  if (!getVisualDir(buffer)) return false;
  CString copy(buffer);
  if (copy.IsEmpty()) return false;  // out of memory: path stays as it was
  path = std::move(copy);
  return true;
}

void getShockwaveMediaDir(CString& dir) {
  char windowsDir[MAX_PATH];
  const UINT length = GetWindowsDirectoryA(windowsDir, MAX_PATH - 1);
  // Without the Windows folder (failed, or longer than the buffer) the folder part is empty.
  if (length == 0 || length >= MAX_PATH - 1) windowsDir[0] = '\0';
  CString text(windowsDir);
  if (text.IsEmpty() || windowsDir[std::strlen(windowsDir) - 1] != '\\') text += "\\";

  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  const bool nt = GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
  text += nt ? "system32\\macromed\\shockwave 8\\dswmedia\\"
             : "system\\macromed\\shockwave 8\\dswmedia\\";
  dir = std::move(text);
}
