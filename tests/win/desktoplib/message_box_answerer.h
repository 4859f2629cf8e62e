// Answers message boxes for real while a test runs: a helper thread looks for a dialog with the
// given caption, records its text and presses OK. Start it before the code under test can show
// a box, so that a box never blocks the test.
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class MessageBoxAnswerer {
 public:
  explicit MessageBoxAnswerer(std::string caption) : caption_(std::move(caption)) {}
  ~MessageBoxAnswerer() { stop(); }
  MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
  MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

  void start() {
    running_ = true;
    thread_ = std::thread([this] { answerUntilStopped(); });
  }

  void stop() {
    running_ = false;
    if (thread_.joinable()) thread_.join();
  }

  // The texts of the boxes answered so far, in order.
  std::vector<std::string> texts() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return texts_;
  }

 private:
  void answerUntilStopped() {
    while (running_) {
      if (HWND box = FindWindowA("#32770", caption_.c_str())) answer(box);
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }

  void answer(HWND box) {
    char text[512] = "";
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      texts_.push_back(text);
    }
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    // The same box is not counted twice while it closes.
    while (IsWindow(box)) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }

  const std::string caption_;
  std::atomic<bool> running_{false};
  std::thread thread_;
  mutable std::mutex mutex_;
  std::vector<std::string> texts_;
};
