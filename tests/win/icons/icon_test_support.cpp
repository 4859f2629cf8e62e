#include "icons/icon_test_support.h"

ShellStandIn* ShellStandIn::current_ = nullptr;

ShellStandIn::ShellStandIn() {
  current_ = this;
  shell_.getFileInfo = getFileInfo;
  shell_.extractIcon = extractIcon;
  shell_.readShortcut = readShortcut;
  setFileIconShell(&shell_);
}

ShellStandIn::~ShellStandIn() {
  setFileIconShell(nullptr);
  current_ = nullptr;
}

DWORD_PTR WINAPI ShellStandIn::getFileInfo(LPCSTR path, DWORD, SHFILEINFOA* info, UINT size,
                                           UINT flags) {
  ShellStandIn* self = current_;
  self->shellPath = path;
  self->shellFlags = flags;
  const auto* bytes = reinterpret_cast<const unsigned char*>(info);
  self->shellRecordZeroed = size == sizeof(SHFILEINFOA);
  for (UINT i = 0; i < size; ++i) self->shellRecordZeroed &= bytes[i] == 0;
  info->hIcon = self->shellAnswer_;
  return 1;
}

HICON WINAPI ShellStandIn::extractIcon(HINSTANCE instance, LPCSTR file, UINT index) {
  ShellStandIn* self = current_;
  self->extractions.push_back({file, index});
  return self->fakeExtract_ ? self->extractAnswer_ : ExtractIconA(instance, file, index);
}

bool ShellStandIn::readShortcut(const char* linkPath, ShortcutInfo& info) {
  ShellStandIn* self = current_;
  if (!self->fakeShortcut_) return resolveShortcut(linkPath, info);
  info = self->shortcut_;
  return true;
}
