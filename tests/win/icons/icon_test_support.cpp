#include "icons/icon_test_support.h"

#include <shlobj.h>

#include <fstream>

bool makeShortcut(const std::string& linkPath, const std::string& target,
                  const std::string& iconPath, int iconIndex) {
  const HRESULT init = CoInitialize(nullptr);
  IShellLinkA* link = nullptr;
  bool saved = false;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&link)))) {
    link->SetPath(target.c_str());
    if (!iconPath.empty()) link->SetIconLocation(iconPath.c_str(), iconIndex);
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      wchar_t widePath[MAX_PATH];
      MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, widePath, MAX_PATH);
      saved = SUCCEEDED(file->Save(widePath, TRUE));
      file->Release();
    }
    link->Release();
  }
  if (SUCCEEDED(init)) CoUninitialize();
  return saved;
}

void writeTextFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

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
