// Helpers shared by the Windows tests: the installation key and registry texts, whole files,
// temporary folders, and a helper thread that answers message boxes as a user would.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include "temp_folder.h"
#include "win_thread.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

inline constexpr char kInstallKeyPath[] = "SOFTWARE\\ZORV";

inline void removeInstallKey() { RegDeleteTreeA(HKEY_LOCAL_MACHINE, kInstallKeyPath); }

// A text value below HKEY_LOCAL_MACHINE, or nothing when it is missing.
inline std::optional<std::string> readRegText(const std::string& keyPath, const char* name) {
  char text[4096] = {};
  DWORD size = sizeof text - 1;
  if (RegGetValueA(HKEY_LOCAL_MACHINE, keyPath.c_str(), name, RRF_RT_REG_SZ, nullptr, text,
                   &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::string(text);
}

// Writes a value below HKEY_LOCAL_MACHINE, creating the key: text with its terminator, or the
// raw bytes of another type.
inline void writeRegText(const std::string& keyPath, const char* name, const std::string& text,
                         DWORD type = REG_SZ) {
  const DWORD size = static_cast<DWORD>(text.size() + (type == REG_SZ ? 1 : 0));
  ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, keyPath.c_str(), name, type, text.c_str(), size),
            ERROR_SUCCESS);
}

// A document type of the tests' own: the extension's class, opened by a command; both keys below
// HKEY_CLASSES_ROOT go again with the object.
class RegisteredType {
 public:
  RegisteredType(std::string extension, std::string progId, const std::string& command)
      : extension_(std::move(extension)), progId_(std::move(progId)) {
    RegSetValueA(HKEY_CLASSES_ROOT, extension_.c_str(), REG_SZ, progId_.c_str(), 0);
    RegSetValueA(HKEY_CLASSES_ROOT, (progId_ + "\\shell\\open\\command").c_str(), REG_SZ,
                 command.c_str(), 0);
  }
  ~RegisteredType() {
    RegDeleteTreeA(HKEY_CLASSES_ROOT, extension_.c_str());
    RegDeleteTreeA(HKEY_CLASSES_ROOT, progId_.c_str());
  }
  RegisteredType(const RegisteredType&) = delete;
  RegisteredType& operator=(const RegisteredType&) = delete;

 private:
  const std::string extension_, progId_;
};

inline std::string readFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

inline void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline bool fileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A new, empty folder below the temporary folder (no trailing backslash).
inline std::string makeTempFolder(const char* prefix) {
  char base[MAX_PATH], name[MAX_PATH];
  GetTempPathA(MAX_PATH, base);
  GetTempFileNameA(base, prefix, 0, name);  // a unique name, reserved as a file
  DeleteFileA(name);
  EXPECT_TRUE(CreateDirectoryA(name, nullptr)) << name;
  return name;
}

inline void removeTree(const std::string& path) {
  std::error_code ignored;
  std::filesystem::remove_all(path, ignored);
}

// Presses OK on every window of a caption that appears while it lives (also those of another
// process), keeping the text of its control `item` (0xFFFF: a message box's text).
class BoxAnswerer {
 public:
  explicit BoxAnswerer(std::string caption = "ZORV Error", int item = 0xFFFF)
      : caption_(std::move(caption)), item_(item), thread_([this] { answer(); }) {}
  ~BoxAnswerer() {
    stop_ = true;
    thread_.join();
  }
  std::vector<std::string> texts() {
    WinLock::Held held(lock_);
    return texts_;
  }

 private:
  void answer() {
    for (; !stop_; Sleep(5)) {
      HWND box = FindWindowA(nullptr, caption_.c_str());
      if (box == nullptr || !IsWindowVisible(box)) continue;
      char text[512] = {};
      GetDlgItemTextA(box, item_, text, sizeof text);
      {
        WinLock::Held held(lock_);
        texts_.push_back(text);
      }
      PostMessageA(box, WM_COMMAND, IDOK, 0);
      while (!stop_ && IsWindow(box)) Sleep(2);  // each box is counted once
    }
  }

  const std::string caption_;
  const int item_;
  std::atomic<bool> stop_{false};
  WinLock lock_;
  std::vector<std::string> texts_;
  WinThread thread_;  // last: starts once everything it uses exists
};
