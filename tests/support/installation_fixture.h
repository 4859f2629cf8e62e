// Set-up shared by the tests of the library's users (zorvdesk, the games' SDK, Dice Duel): a
// temporary installation folder recorded as "MainDir", worlds in it, and a helper thread that
// answers message boxes for real (also those of another process, such as a zorvdesk run, found
// by their caption all the same).
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "program_run.h"

inline constexpr char kZorvKey[] = "SOFTWARE\\ZORV";

inline ProgramRun zorvdesk(const std::string& arguments) {
  return runProgram("zorvdesk.exe", arguments);
}

inline std::string readRegText(const std::string& keyPath, const char* name) {
  char text[2048] = {};
  DWORD size = sizeof text - 1;
  if (RegGetValueA(HKEY_LOCAL_MACHINE, keyPath.c_str(), name, RRF_RT_REG_SZ, nullptr, text,
                   &size) != ERROR_SUCCESS) {
    return "<missing>";
  }
  return text;
}

inline void writeRegText(const std::string& keyPath, const char* name, const std::string& text) {
  ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, keyPath.c_str(), name, REG_SZ, text.c_str(),
                            static_cast<DWORD>(text.size() + 1)),
            ERROR_SUCCESS);
}

// Presses OK on every window of a caption ("ZORV Error" boxes unless told otherwise) that
// appears while it lives, keeping the text of its control `item` (0xFFFF: a box's text).
class BoxAnswerer {
 public:
  explicit BoxAnswerer(std::string caption = "ZORV Error", int item = 0xFFFF)
      : caption_(std::move(caption)), item_(item), thread_([this] { answer(); }) {}
  ~BoxAnswerer() {
    stop_ = true;
    thread_.join();
  }
  std::vector<std::string> texts() {
    std::lock_guard<std::mutex> lock(mutex_);
    return texts_;
  }

 private:
  void answer() {
    while (!stop_) {
      HWND box = FindWindowA(nullptr, caption_.c_str());
      if (box != nullptr && IsWindowVisible(box)) {
        char text[512] = {};
        GetDlgItemTextA(box, item_, text, sizeof text);
        {
          std::lock_guard<std::mutex> lock(mutex_);
          texts_.push_back(text);
        }
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        while (!stop_ && IsWindow(box)) Sleep(10);  // count each box once
      }
      Sleep(10);
    }
  }

  const std::string caption_;
  const int item_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::vector<std::string> texts_;
  std::thread thread_;
};

// A clean HKLM\SOFTWARE\ZORV and an installation folder recorded as "MainDir" (with its
// trailing backslash); worlds are added by the tests. Everything goes again afterwards.
class TemporaryInstallationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kZorvKey);
    char base[MAX_PATH];
    char name[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    GetTempFileNameA(base, "zdk", 0, name);  // a unique name, reserved as a file
    DeleteFileA(name);
    ASSERT_TRUE(CreateDirectoryA(name, nullptr));
    folder_ = std::string(name) + "\\";
    writeRegText(kZorvKey, "MainDir", folder_);
  }

  void TearDown() override {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kZorvKey);
    removeTree(folder_.substr(0, folder_.size() - 1));
  }

  // Desktops\<name> (or another kind folder), with its movie file unless told otherwise.
  void addWorldFolder(const std::string& name, bool withMovie = true,
                      const std::string& kind = "Desktops") {
    CreateDirectoryA((folder_ + kind).c_str(), nullptr);
    const std::string world = folder_ + kind + "\\" + name;
    ASSERT_TRUE(CreateDirectoryA(world.c_str(), nullptr)) << world;
    if (withMovie) {
      HANDLE movie = CreateFileA((world + "\\" + name + ".dcr").c_str(), GENERIC_WRITE, 0, nullptr,
                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
      ASSERT_NE(movie, INVALID_HANDLE_VALUE);
      CloseHandle(movie);
    }
  }

  // A world with its movie file and its registry key.
  void addWorld(const std::string& name) {
    addWorldFolder(name);
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, (std::string(kZorvKey) + "\\" + name).c_str(), 0,
                              nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }

  static void removeTree(const std::string& path) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..") continue;
        const std::string child = path + "\\" + name;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          removeTree(child);
        } else {
          DeleteFileA(child.c_str());
        }
      } while (FindNextFileA(find, &entry));
      FindClose(find);
    }
    RemoveDirectoryA(path.c_str());
  }

  std::string folder_;  // ends with a backslash
};
