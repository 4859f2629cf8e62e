// Real shell link files for the tests, made through the shell's link object, in a temporary
// folder that removes everything made in it.
#pragma once

#include <shlobj.h>
#include <windows.h>

#include <string>
#include <vector>

struct LinkSpec {
  std::string target;
  std::string workingDirectory;
  std::string arguments;
  std::string iconPath;  // none when empty
  int iconIndex = 0;
};

// Saves a link file; false when any step fails. Leaves the thread's COM as it found it.
inline bool saveLink(const std::string& path, const LinkSpec& spec) {
  const bool joined = SUCCEEDED(CoInitialize(nullptr));
  IShellLinkA* link = nullptr;
  IPersistFile* file = nullptr;
  bool saved = false;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&link))) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    link->SetPath(spec.target.c_str());
    link->SetWorkingDirectory(spec.workingDirectory.c_str());
    link->SetArguments(spec.arguments.c_str());
    if (!spec.iconPath.empty()) link->SetIconLocation(spec.iconPath.c_str(), spec.iconIndex);
    std::wstring wide(path.size() + 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    saved = SUCCEEDED(file->Save(wide.c_str(), TRUE));
  }
  if (file != nullptr) file->Release();
  if (link != nullptr) link->Release();
  if (joined) CoUninitialize();
  return saved;
}

class TempFolder {
 public:
  TempFolder() {
    char base[MAX_PATH];
    char name[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    GetTempFileNameA(base, "zof", 0, name);  // a unique name, reserved as a file
    DeleteFileA(name);
    CreateDirectoryA(name, nullptr);
    root_ = name;
  }
  ~TempFolder() {
    for (auto made = made_.rbegin(); made != made_.rend(); ++made) {
      if (!DeleteFileA(made->c_str())) RemoveDirectoryA(made->c_str());
    }
    RemoveDirectoryA(root_.c_str());
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string path(const std::string& name) const { return root_ + "\\" + name; }

  std::string file(const std::string& name, const std::string& content = "text") {
    const std::string full = remember(name);
    HANDLE handle = CreateFileA(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(handle, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(handle);
    return full;
  }
  std::string folder(const std::string& name) {
    const std::string full = remember(name);
    CreateDirectoryA(full.c_str(), nullptr);
    return full;
  }
  std::string link(const std::string& name, const LinkSpec& spec) {
    const std::string full = remember(name);
    return saveLink(full, spec) ? full : std::string();
  }

  // The folder itself, removed with everything made in it when the object goes.
  const std::string& root() const { return root_; }

 private:
  std::string remember(const std::string& name) {
    made_.push_back(path(name));
    return made_.back();
  }

  std::string root_;
  std::vector<std::string> made_;
};
