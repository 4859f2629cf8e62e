// Set-up shared by the common-services tests under Wine: a clean HKLM\SOFTWARE\ZORV (registry
// writes persist in the prefix), a temporary installation folder, the log clock fixed at
// 4 December 2026 15:49:<second>.007 UTC, and reading back what the log wrote.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "common/log.h"
#include "common/log_clock.h"
#include "win_test_support.h"

// Writes "MainDir", creating the key: text with its terminator, or raw bytes of a given type.
inline void setMainDir(const std::string& text, DWORD type = REG_SZ) {
  writeRegText(kInstallKeyPath, "MainDir", text, type);
}

inline std::string gameLogName(int second) {
  char name[32];
  std::snprintf(name, sizeof name, "game_12042026_1549%02d.log", second);
  return name;
}

// The banner of a log opened at that second, as it reaches the disk (text mode: "\r\n").
inline std::string bannerAt(int second) {
  const std::string rule(31, '=');
  return rule +
         "\r\nZORV LOG FILE\r\nFriday, December 04, 2026\r\n15:49:" + (second < 10 ? "0" : "") +
         std::to_string(second) + "\r\n" + rule + "\r\n";
}

class CommonWinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    removeInstallKey();
    folder_ = makeTempFolder("zrv");
    GetCurrentDirectoryA(MAX_PATH, startDirectory_);
    fixLogTime(0);
    setLogTimeSource([](SYSTEMTIME* now) { *now = fixedTime_; });
  }

  void TearDown() override {
    closeLog();
    setLogTimeSource(nullptr);
    SetCurrentDirectoryA(startDirectory_);
    for (int second = 0; second < 3; ++second) DeleteFileA(logPath(second).c_str());
    EXPECT_TRUE(RemoveDirectoryA(folder_.c_str())) << "a test left a file behind";
    removeInstallKey();
  }

  static void fixLogTime(int second) {
    fixedTime_ = SYSTEMTIME{2026, 12, 5, 4, 15, 49, static_cast<WORD>(second), 7};
  }

  std::string logPath(int second) const { return folder_ + "\\" + gameLogName(second); }
  std::string logContent(int second) const { return readFile(logPath(second)); }

  // The installation folder set to the temporary folder, and a "game" log opened there.
  void openLogInFolder() {
    setMainDir(folder_);
    openLog("game", true);
  }

  // What the log received after its banner (opened at second 0).
  std::string loggedLines() const { return logContent(0).substr(bannerAt(0).size()); }

  std::string folder_;
  char startDirectory_[MAX_PATH] = {};
  static inline SYSTEMTIME fixedTime_{};
};
