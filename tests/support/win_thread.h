// Threads and a lock for Windows test programs. The MinGW compilers' Win32 thread model, which
// the shipped files are built with, has no std::thread or std::mutex.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>

// A thread that runs a function and is joined when the object goes.
class WinThread {
 public:
  explicit WinThread(std::function<void()> body) : body_(std::move(body)) {
    handle_ = CreateThread(nullptr, 0, &WinThread::run, this, 0, nullptr);
    if (handle_ == nullptr) body_();  // no thread to be had: run it here rather than not at all
  }
  ~WinThread() { join(); }
  WinThread(const WinThread&) = delete;
  WinThread& operator=(const WinThread&) = delete;

  void join() {
    if (handle_ == nullptr) return;
    WaitForSingleObject(handle_, INFINITE);
    CloseHandle(handle_);
    handle_ = nullptr;
  }

 private:
  static DWORD WINAPI run(void* self) {
    static_cast<WinThread*>(self)->body_();
    return 0;
  }

  std::function<void()> body_;
  HANDLE handle_ = nullptr;
};

// Runs body on a thread of its own and waits for it.
inline void runOnThread(std::function<void()> body) { WinThread(std::move(body)).join(); }

// A critical section held for a scope.
class WinLock {
 public:
  WinLock() { InitializeCriticalSection(&section_); }
  ~WinLock() { DeleteCriticalSection(&section_); }
  WinLock(const WinLock&) = delete;
  WinLock& operator=(const WinLock&) = delete;

  class Held {
   public:
    explicit Held(WinLock& lock) : section_(&lock.section_) { EnterCriticalSection(section_); }
    ~Held() { LeaveCriticalSection(section_); }
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;

   private:
    CRITICAL_SECTION* section_;
  };

 private:
  CRITICAL_SECTION section_;
};
