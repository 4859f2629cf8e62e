// Answers the message boxes of one caption from a helper thread while it lives, as a user
// would: records each box's text and presses OK.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

class MessageBoxAnswerer {
 public:
  explicit MessageBoxAnswerer(const char* caption)
      : thread_([this, caption] { answer(caption); }) {}
  // Every text answered, once the helper has stopped.
  std::vector<std::string> texts() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    return texts_;
  }
  ~MessageBoxAnswerer() { texts(); }

 private:
  void answer(const char* caption) {
    for (HWND box = nullptr; !stop_; Sleep(5)) {
      if (box != nullptr && IsWindow(box)) continue;  // each box is counted once
      box = FindWindowA(nullptr, caption);
      if (box == nullptr) continue;
      char text[512] = {};
      GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
      texts_.push_back(text);
      PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
  }

  std::atomic<bool> stop_{false};
  std::vector<std::string> texts_;
  std::thread thread_;  // last: starts once everything it uses exists
};
