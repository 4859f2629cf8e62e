// Set-up shared by the desktop library's tests under Wine: on top of the common fixture's clean
// HKLM\SOFTWARE\ZORV and temporary folder, that folder is the installation ("MainDir"), a log is
// open in it, worlds can be made below its "Desktops" folder, and "ZORV Error" boxes are
// answered by a helper thread that records their texts.
#pragma once

#include <string>
#include <vector>

#include "common/common_fixture.h"
#include "desktoplib/desktoplib.h"
#include "message_box_answerer.h"

// Removes a folder with everything in it.
inline void removeTree(const std::string& folder) {
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + "\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        removeTree(path);
      } else {
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

inline void makeFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  CloseHandle(file);
}

class DesktopWinTest : public CommonWinTest {
 protected:
  void SetUp() override {
    CommonWinTest::SetUp();
    installDir_ = folder_ + "\\";
    openLogInFolder();
    CreateDirectoryA(desktops().c_str(), nullptr);
    boxes_.start();
  }

  void TearDown() override {
    boxes_.stop();
    closeLog();
    removeTree(desktops());
    CommonWinTest::TearDown();
  }

  std::string desktops() const { return installDir_ + "Desktops"; }
  std::string worldFolder(const std::string& name) const { return desktops() + "\\" + name; }
  std::string moviePath(const std::string& name) const {
    return worldFolder(name) + "\\" + name + ".dcr";
  }

  // A world folder below "Desktops", with its movie file or without.
  void makeWorld(const std::string& name, bool withMovie = true) {
    ASSERT_TRUE(CreateDirectoryA(worldFolder(name).c_str(), nullptr)) << name;
    if (withMovie) makeFile(moviePath(name));
  }

  // "CurrMovie" as raw bytes of any type (REG_SZ with its terminator by default).
  static void recordWorld(const std::string& name, DWORD type = REG_SZ) {
    ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, kInstallKeyPath, "CurrMovie", type, name.c_str(),
                              static_cast<DWORD>(name.size() + 1)),
              ERROR_SUCCESS);
  }

  struct RegistryText {
    bool present = false;
    DWORD type = REG_NONE;
    DWORD size = 0;
    std::string text;
  };
  static RegistryText readValue(const char* keyPath, const char* name) {
    RegistryText value;
    char data[1024] = "";
    value.size = sizeof data - 1;
    value.present = RegGetValueA(HKEY_LOCAL_MACHINE, keyPath, name, RRF_RT_ANY | RRF_NOEXPAND,
                                 &value.type, data, &value.size) == ERROR_SUCCESS;
    value.text = data;
    return value;
  }
  static RegistryText recordedWorld() { return readValue(kInstallKeyPath, "CurrMovie"); }

  // The texts of the log's lines since it was opened, without their time stamps.
  std::vector<std::string> logLines() const {
    std::vector<std::string> lines;
    const std::string content = loggedLines();
    std::size_t start = 0;
    for (std::size_t end; (end = content.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
      lines.push_back(content.substr(start + kStampLength, end - start - kStampLength));
    }
    return lines;
  }

  std::vector<std::string> boxTexts() const { return boxes_.texts(); }

  static constexpr std::size_t kStampLength = sizeof "15:49:00.0007: " - 1;
  std::string installDir_;
  MessageBoxAnswerer boxes_{"ZORV Error"};
};
