// Icons of files: what the shell shows for a path, else the icon a shortcut names, a program's
// own first icon, or the first icon of the program associated with a document.
#pragma once

#include "common/win_types.h"

#include <shellapi.h>

#include "office/office.h"

// The icon for a file path, or null (two log lines: which file, and the system's last error).
// A path of 260 characters or more has no icon.
// The caller owns a non-null icon and gives it back with releaseFileIcon, never with
// DestroyIcon directly: the result may be the system's shared standard application icon.
HICON getFileIcon(const char* path);

// Destroys an icon from getFileIcon; leaves null and the shared standard application icon alone.
void releaseFileIcon(HICON icon);

// The shell's answers that getFileIcon builds on. Wine's shell has an icon for every existing
// file, never reports a non-program as 1, and gives every link an icon location, so tests put
// their own answers here to reach the fallbacks.
struct FileIconShell {
  DWORD_PTR(WINAPI* getFileInfo)
  (LPCSTR path, DWORD attributes, SHFILEINFOA* info, UINT size, UINT flags);
  HICON(WINAPI* extractIcon)(HINSTANCE instance, LPCSTR file, UINT index);
  bool (*readShortcut)(const char* linkPath, ShortcutInfo& info);
};

// Replaces the shell's icon calls; null puts the system's own back.
void setFileIconShell(const FileIconShell* shell);
