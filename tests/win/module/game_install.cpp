#include "module/game_install.h"

#include <windows.h>

#include <cstdlib>
#include <stdexcept>

namespace zorvtest {

namespace {

std::string programFolder() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string s(path, n);
  return s.substr(0, s.find_last_of('\\'));
}

void removeTree(const std::string& folder) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + "\\" + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        removeTree(path);
      } else {
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }
  RemoveDirectoryA(folder.c_str());
}

}  // namespace

TemporaryInstallation::TemporaryInstallation(bool trailingBackslash) {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  folder_ = std::string(temp) + "zorv_install_" + std::to_string(GetCurrentProcessId()) + "_" +
            std::to_string(GetTickCount());
  CreateDirectoryA(folder_.c_str(), nullptr);
  CreateDirectoryA((folder_ + "\\ZORV_Desktop").c_str(), nullptr);
  CreateDirectoryA(xtrasFolder().c_str(), nullptr);

  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\ZORV", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &key, nullptr) != ERROR_SUCCESS) {
    throw std::runtime_error("cannot create HKLM\\SOFTWARE\\ZORV");
  }
  const std::string mainDir = folder_ + (trailingBackslash ? "\\" : "");
  RegSetValueExA(key, "MainDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(mainDir.c_str()),
                 static_cast<DWORD>(mainDir.size() + 1));
  RegCloseKey(key);
}

TemporaryInstallation::~TemporaryInstallation() {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\ZORV");
  removeTree(folder_);
}

void TemporaryInstallation::addGameModule(const std::string& builtName,
                                          const std::string& installedName) {
  const std::string from = programFolder() + "\\" + builtName;
  const std::string to = xtrasFolder() + "\\" + installedName;
  if (!CopyFileA(from.c_str(), to.c_str(), FALSE)) {
    throw std::runtime_error("cannot copy " + from + " to " + to);
  }
}

int gameModuleCounter(const std::string& what, const std::string& variant) {
  char value[32] = "0";
  GetEnvironmentVariableA(("TGM_" + what + "_" + variant).c_str(), value, sizeof value);
  return std::atoi(value);
}

void resetGameModuleCounters() {
  for (const char* what : {"START", "SCORE", "STOP", "ATTACHES"}) {
    for (const char* variant : {"tgm_all", "tgm_noscore", "tgm_empty", "tgm_false"}) {
      SetEnvironmentVariableA((std::string("TGM_") + what + "_" + variant).c_str(), nullptr);
    }
  }
}

}  // namespace zorvtest
