// Answers the message boxes of one caption from a helper thread while it lives: records each
// box's text and presses OK, as a user would.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class MessageBoxAnswerer {
 public:
  explicit MessageBoxAnswerer(const char* caption)
      : caption_(caption), thread_([this] { answer(); }) {}
  ~MessageBoxAnswerer() {
    stop_ = true;
    thread_.join();
  }
  MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
  MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

  std::vector<std::string> texts() {
    std::lock_guard<std::mutex> lock(mutex_);
    return texts_;
  }

 private:
  void answer() {
    while (!stop_) {
      HWND box = FindWindowA(nullptr, caption_);
      if (box == nullptr) {
        Sleep(5);
        continue;
      }
      char text[512] = {};
      GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
      {
        std::lock_guard<std::mutex> lock(mutex_);
        texts_.push_back(text);
      }
      PostMessageA(box, WM_COMMAND, IDOK, 0);
      while (IsWindow(box) && !stop_) Sleep(5);  // the same box is counted once
    }
  }

  const char* caption_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::vector<std::string> texts_;
  std::thread thread_;  // last: starts once everything it uses exists
};
