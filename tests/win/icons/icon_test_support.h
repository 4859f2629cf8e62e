// Shared set-up of the icon tests: a stand-in for the shell's icon calls that records what it was
// asked.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "imaging/file_icon.h"

// Icons that the stand-in hands out: recognisable values, never destroyed.
inline HICON fakeIcon(int n) { return reinterpret_cast<HICON>(static_cast<INT_PTR>(0x7000 + n)); }

// Replaces the shell's icon calls for the life of the object. The shell has no icon for any
// file unless shellAnswer is set; ExtractIconA is the system's unless extractAnswer is set.
class ShellStandIn {
 public:
  struct Extraction {
    std::string file;
    UINT index;
  };

  ShellStandIn();
  ~ShellStandIn();
  ShellStandIn(const ShellStandIn&) = delete;
  ShellStandIn& operator=(const ShellStandIn&) = delete;

  void answerShell(HICON icon) { shellAnswer_ = icon; }
  // Every link reads as this record instead of through the shell.
  void answerShortcut(const ShortcutInfo& link) {
    shortcut_ = link;
    fakeShortcut_ = true;
  }
  void answerExtract(HICON icon) {
    extractAnswer_ = icon;
    fakeExtract_ = true;
  }

  std::string shellPath;  // the path the shell was asked about
  UINT shellFlags = 0;    // and with which flags
  bool shellRecordZeroed = false;
  std::vector<Extraction> extractions;

 private:
  static DWORD_PTR WINAPI getFileInfo(LPCSTR path, DWORD attributes, SHFILEINFOA* info, UINT size,
                                      UINT flags);
  static HICON WINAPI extractIcon(HINSTANCE instance, LPCSTR file, UINT index);
  static bool readShortcut(const char* linkPath, ShortcutInfo& info);

  static ShellStandIn* current_;
  FileIconShell shell_{};
  HICON shellAnswer_ = nullptr;
  HICON extractAnswer_ = nullptr;
  bool fakeExtract_ = false;
  ShortcutInfo shortcut_;
  bool fakeShortcut_ = false;
};
