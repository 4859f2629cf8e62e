// Real shell link files for the tests, saved through the shell's link object into a fresh
// temporary folder that goes with everything in it when the object goes.
#pragma once

#include <shlobj.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "office/com_ref.h"

struct LinkSpec {
  std::string target, workingDirectory = "", arguments = "", iconPath = "";  // no icon if empty
  int iconIndex = 0;
};

class TempFolder {
 public:
  TempFolder() {
    char base[MAX_PATH], name[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    GetTempFileNameA(base, "zof", 0, name);  // a unique name, reserved as a file
    DeleteFileA(name);
    CreateDirectoryA(name, nullptr);
    root = name;
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
  }

  std::string path(const std::string& name) const { return root + "\\" + name; }
  std::string file(const std::string& name, const std::string& content = "text") const {
    std::ofstream(path(name), std::ios::binary) << content;
    return path(name);
  }
  std::string folder(const std::string& name) const {
    CreateDirectoryA(path(name).c_str(), nullptr);
    return path(name);
  }
  // The link's path, or empty when it could not be saved. Leaves the thread's COM as it was.
  std::string link(const std::string& name, const LinkSpec& spec) const {
    const bool joined = SUCCEEDED(CoInitialize(nullptr));
    bool saved = false;
    {
      ComRef<IShellLinkA> link;
      ComRef<IPersistFile> file;
      if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IShellLinkA, link.receive())) &&
          SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.receive()))) {
        link->SetPath(spec.target.c_str());
        link->SetWorkingDirectory(spec.workingDirectory.c_str());
        link->SetArguments(spec.arguments.c_str());
        if (!spec.iconPath.empty()) link->SetIconLocation(spec.iconPath.c_str(), spec.iconIndex);
        const std::string full = path(name);
        saved = SUCCEEDED(file->Save(std::wstring(full.begin(), full.end()).c_str(), TRUE));
      }
    }
    if (joined) CoUninitialize();
    return saved ? path(name) : std::string();
  }

  std::string root;
};
