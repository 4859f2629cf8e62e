// Set-up shared by the desktop library's tests under Wine: the common fixture's temporary
// folder is the installation ("MainDir") with a "Desktops" folder and an open log, and a helper
// thread answers "ZORV Error" boxes for real, recording their texts.
#pragma once

#include <string>
#include <vector>

#include "common/common_fixture.h"
#include "desktoplib/desktoplib.h"

using Lines = std::vector<std::string>;

class DesktopWinTest : public CommonWinTest {
 protected:
  void SetUp() override {
    CommonWinTest::SetUp();
    installDir_ = folder_ + "\\";
    openLogInFolder();
    CreateDirectoryA(desktops().c_str(), nullptr);
  }

  void TearDown() override {
    closeLog();
    removeTree(desktops());
    CommonWinTest::TearDown();
  }

  std::string desktops() const { return installDir_ + "Desktops"; }
  std::string moviePath(const std::string& name) const {
    return desktops() + "\\" + name + "\\" + name + ".dcr";
  }
  // A world folder with its movie file (or without), or a plain file in its place.
  void makeWorld(const std::string& name, bool withMovie = true, bool asFile = false) {
    const std::string path = desktops() + "\\" + name;
    ASSERT_TRUE(asFile || CreateDirectoryA(path.c_str(), nullptr)) << name;
    if (asFile || withMovie) writeFile(asFile ? path : moviePath(name), "");
  }

  // "CurrMovie" as bytes of any type, the terminator included.
  static void recordWorld(const std::string& name, DWORD type = REG_SZ) {
    RegSetKeyValueA(HKEY_LOCAL_MACHINE, kInstallKeyPath, "CurrMovie", type, name.c_str(),
                    static_cast<DWORD>(name.size() + 1));
  }

  // A value's text and type (REG_NONE when it is missing).
  static std::pair<std::string, DWORD> readValue(const char* keyPath, const char* name) {
    char data[1024] = "";
    DWORD type = REG_NONE, size = sizeof data - 1;
    RegGetValueA(HKEY_LOCAL_MACHINE, keyPath, name, RRF_RT_ANY, &type, data, &size);
    return {data, type};
  }

  // The log's lines since it was opened, without their time stamps ("15:49:00.0007: ").
  Lines logLines() const {
    Lines lines;
    const std::string content = loggedLines();
    for (std::size_t start = 0, end; (end = content.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
      lines.push_back(content.substr(start + 15, end - start - 15));
    }
    return lines;
  }

  std::string installDir_;
  BoxAnswerer boxes_;  // "ZORV Error" boxes
};
