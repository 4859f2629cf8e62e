// Real shell link files for the tests, saved through the shell's link object into a temporary
// folder.
#pragma once

#include <shlobj.h>
#include <windows.h>

#include <string>

#include "office/com_ref.h"
#include "win_test_support.h"

struct LinkSpec {
  std::string target, workingDirectory = "", arguments = "", iconPath = "";  // no icon if empty
  int iconIndex = 0;
};

// Saves a link at folder.path(name): its path, or empty when it could not be saved. Leaves the
// thread's COM as it was.
inline std::string makeLink(const TempFolder& folder, const std::string& name,
                            const LinkSpec& spec) {
  const bool joined = SUCCEEDED(CoInitialize(nullptr));
  bool saved = false;
  const std::string full = folder.path(name);
  {
    ComRef<IShellLinkA> link;
    ComRef<IPersistFile> file;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   link.receive())) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.receive()))) {
      link->SetPath(spec.target.c_str());
      link->SetWorkingDirectory(spec.workingDirectory.c_str());
      link->SetArguments(spec.arguments.c_str());
      if (!spec.iconPath.empty()) link->SetIconLocation(spec.iconPath.c_str(), spec.iconIndex);
      saved = SUCCEEDED(file->Save(std::wstring(full.begin(), full.end()).c_str(), TRUE));
    }
  }
  if (joined) CoUninitialize();
  return saved ? full : std::string();
}
