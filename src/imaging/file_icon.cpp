#include "imaging/file_icon.h"

#include <cctype>
#include <cstring>
#include <memory>
#include <new>

#include "afx/cstring.h"
#include "common/log.h"
#include "desktoplib/desktoplib.h"
#include "office/office.h"

// The module (or program) this code is linked into: the instance handle ExtractIconA is given.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

const FileIconShell kSystemShell{SHGetFileInfoA, ExtractIconA, resolveShortcut};
const FileIconShell* g_shell = &kSystemShell;

// A zero-terminated text on the heap that the operation owns until it returns.
using OwnedText = std::unique_ptr<char[]>;

OwnedText lowerCaseCopy(const char* text, size_t length) {
  OwnedText copy(new (std::nothrow) char[length + 1]);
  if (copy) {
    for (size_t i = 0; i < length; ++i) {
      copy[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
    }
    copy[length] = '\0';
  }
  return copy;
}

HICON extractIcon(const char* file, int index) {
  return g_shell->extractIcon(reinterpret_cast<HINSTANCE>(&__ImageBase), file,
                              static_cast<UINT>(index));
}

HICON standardIcon() { return LoadIconA(nullptr, IDI_APPLICATION); }

HICON shellIcon(const char* path) {
  SHFILEINFOA info;
  std::memset(&info, 0, sizeof info);
  const DWORD_PTR found = g_shell->getFileInfo(
      path, 0, &info, sizeof info, SHGFI_ICON | SHGFI_ICONLOCATION | SHGFI_SYSICONINDEX);
  // A failed call may leave garbage in the record (Wine does for a missing file): only a
  // successful call's icon is one.
  return found != 0 ? info.hIcon : nullptr;
}

// The icon a shortcut names, at the link's icon index in every case.
HICON shortcutIcon(const char* path) {
  ShortcutInfo link;
  g_shell->readShortcut(path, link);  // an unreadable link leaves the record empty
  if (!link.iconPath.IsEmpty()) return extractIcon(link.iconPath, link.iconIndex);
  if (!link.executable.IsEmpty()) {
    HICON icon = extractIcon(link.executable, link.iconIndex);
    return icon != nullptr ? icon : standardIcon();
  }
  return extractIcon(link.targetPath, link.iconIndex);
}

HICON programIcon(const char* path) {
  HICON icon = extractIcon(path, 0);
  return icon != nullptr ? icon : standardIcon();
}

// The first icon of the program associated with a document, looked up from its folder.
HICON associatedProgramIcon(const char* path, const char* folder) {
  char program[MAX_PATH] = {};
  if (reinterpret_cast<INT_PTR>(FindExecutableA(path, folder, program)) <= 32) return nullptr;
  program[MAX_PATH - 1] = '\0';
  for (char* c = program; *c != '\0'; ++c) {
    *c = static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
  }
  return extractIcon(program, 0);
}

HICON lookUpIcon(const char* path, const char* folder) {
  HICON icon = shellIcon(path);
  if (icon != nullptr) return icon;
  if (std::strstr(path, ".lnk") != nullptr) return shortcutIcon(path);
  if (std::strstr(path, ".exe") != nullptr) return programIcon(path);
  return associatedProgramIcon(path, folder);
}

void logNoIcon(const char* path) {
  CString line;
  line.Format("ERROR could not get icon for file %s", path);
  logMessage(line);
  logLastError();
}

}  // namespace

HICON getFileIcon(const char* path) {
  if (path == nullptr) return nullptr;
  const size_t length = std::strlen(path);
  OwnedText copy = lowerCaseCopy(path, length);
  if (!copy) return nullptr;
  HICON icon = nullptr;
  // No file of 260 characters or more can be named to the shell's ANSI calls, and some of them
  // overrun their own buffers on such a path: it has no icon.
  if (length < MAX_PATH) {
    char folder[MAX_PATH] = {};
    char file[MAX_PATH] = {};
    splitPath(copy.get(), folder, file);
    icon = lookUpIcon(copy.get(), folder);
  }
  if (icon == nullptr) logNoIcon(copy.get());
  return icon;
}

void releaseFileIcon(HICON icon) {
  // ExtractIconA's 1 (a file that is not a program) counts as an icon but is no handle.
  if (icon == nullptr || icon == reinterpret_cast<HICON>(1) || icon == standardIcon()) return;
  DestroyIcon(icon);
}

void setFileIconShell(const FileIconShell* shell) {
  g_shell = shell != nullptr ? shell : &kSystemShell;
}
