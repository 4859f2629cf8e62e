// Set-up shared by the desktop library's tests under Wine: the common fixture's temporary
// folder is the installation ("MainDir") with a "Desktops" folder and an open log, and a helper
// thread answers "ZORV Error" boxes for real, recording their texts.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
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
    answerer_ = std::thread([this] {
      for (; answering_; Sleep(5)) {
        HWND box = FindWindowA("#32770", "ZORV Error");
        if (box == nullptr) continue;
        char text[512] = "";
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        std::lock_guard<std::mutex> lock(mutex_);
        boxes_.push_back(text);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        while (IsWindow(box)) Sleep(2);  // the same box is not counted twice
      }
    });
  }

  void TearDown() override {
    answering_ = false;
    answerer_.join();
    closeLog();
    for (const std::string& world : worlds_) {
      DeleteFileA(moviePath(world).c_str());
      RemoveDirectoryA(moviePath(world).c_str());
      RemoveDirectoryA((desktops() + "\\" + world).c_str());
      DeleteFileA((desktops() + "\\" + world).c_str());
    }
    RemoveDirectoryA(desktops().c_str());
    CommonWinTest::TearDown();
  }

  std::string desktops() const { return installDir_ + "Desktops"; }
  std::string moviePath(const std::string& name) const {
    return desktops() + "\\" + name + "\\" + name + ".dcr";
  }
  // A world folder with its movie file (or without), or a plain file in its place.
  void makeWorld(const std::string& name, bool withMovie = true, bool asFile = false) {
    worlds_.push_back(name);
    const std::string path = desktops() + "\\" + name;
    ASSERT_TRUE(asFile || CreateDirectoryA(path.c_str(), nullptr)) << name;
    if (asFile || withMovie) makeFile(asFile ? path : moviePath(name));
  }
  static void makeFile(const std::string& path) {
    CloseHandle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
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

  Lines boxTexts() {
    std::lock_guard<std::mutex> lock(mutex_);
    return boxes_;
  }

  std::string installDir_;

 private:
  std::vector<std::string> worlds_;
  std::atomic<bool> answering_{true};
  std::thread answerer_;
  std::mutex mutex_;
  Lines boxes_;
};
