// Shared set-up of the icon tests: a stand-in for the shell's icon calls that records what it was
// asked.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "imaging/file_icon.h"

// Icons that the stand-in hands out: recognisable values, never destroyed.
inline HICON fakeIcon(int n) { return reinterpret_cast<HICON>(static_cast<INT_PTR>(0x7000 + n)); }

// Replaces the shell's icon calls for the life of the object. The shell has no icon for any
// file unless shellAnswer is set; ExtractIconA is the system's unless extractAnswer is set, and
// links are read through the shell unless shortcut is set (every link then reads as it).
class ShellStandIn {
 public:
  struct Extraction {
    std::string file;
    UINT index;
  };

  ShellStandIn() {
    current_ = this;
    setFileIconShell(&shell_);
  }
  ~ShellStandIn() {
    setFileIconShell(nullptr);
    current_ = nullptr;
  }
  ShellStandIn(const ShellStandIn&) = delete;
  ShellStandIn& operator=(const ShellStandIn&) = delete;

  HICON shellAnswer = nullptr;
  std::optional<HICON> extractAnswer;
  std::optional<ShortcutInfo> shortcut;
  std::string shellPath;  // the path the shell was asked about
  UINT shellFlags = 0;    // and with which flags
  bool shellRecordZeroed = false;
  std::vector<Extraction> extractions;
  // The extractions asked for, one "file,index" line each.
  std::string extracted() const {
    std::string text;
    for (const Extraction& e : extractions) text += e.file + "," + std::to_string(e.index) + "\n";
    return text;
  }

 private:
  static DWORD_PTR WINAPI getFileInfo(LPCSTR path, DWORD, SHFILEINFOA* info, UINT size,
                                      UINT flags) {
    current_->shellPath = path;
    current_->shellFlags = flags;
    const auto* bytes = reinterpret_cast<const unsigned char*>(info);
    current_->shellRecordZeroed = size == sizeof(SHFILEINFOA);
    for (UINT i = 0; i < size; ++i) current_->shellRecordZeroed &= bytes[i] == 0;
    info->hIcon = current_->shellAnswer;
    return 1;
  }
  static HICON WINAPI extractIcon(HINSTANCE instance, LPCSTR file, UINT index) {
    current_->extractions.push_back({file, index});
    return current_->extractAnswer ? *current_->extractAnswer : ExtractIconA(instance, file, index);
  }
  static bool readShortcut(const char* linkPath, ShortcutInfo& info) {
    if (!current_->shortcut) return resolveShortcut(linkPath, info);
    info = *current_->shortcut;
    return true;
  }

  static inline ShellStandIn* current_ = nullptr;
  FileIconShell shell_{getFileInfo, extractIcon, readShortcut};
};
