// The framework's per-thread state and where it lives: the module state current on the thread
// and the lock count of the temporary-object maps. Every entry from the host fetches it, so on
// Windows the fetch is one read of the thread's own TLS slot, inline.
#pragma once

#include "common/win_types.h"

#ifdef _WIN32
#include <atomic>
#include <cstddef>
#endif

struct AFX_MODULE_STATE;
class CWnd;

// The message a window procedure of the module is handling (for CWnd::Default).
struct AfxCurrentMessage {
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

// Plain data only: it lives in memory of the module's own, not in the compiler's thread_local
// storage, which the runtime frees before the module's detach work is done.
using AfxTempCleanup = void (*)();
struct AFX_THREAD_STATE {
  AFX_MODULE_STATE* current = nullptr;  // null: the host's state
  int tempMapLocks = 0;
  AfxTempCleanup cleanup = nullptr;
  CWnd* windowBeingCreated = nullptr;  // attached by the window procedure on its first message
  AfxCurrentMessage currentMessage;
};

// The calling thread's own state if it has one yet; never makes one.
AFX_THREAD_STATE* AfxFindThreadState();

// Gives back the calling thread's state; a later AfxGetThreadState starts a fresh one.
void AfxReleaseThreadState();

#ifdef _WIN32
namespace afx_thread_state {

// The module's TLS slot; TLS_OUT_OF_INDEXES until the first thread needs it.
extern std::atomic<DWORD> slot;

// Where the TEB keeps the first 64 TLS slots (the words TlsGetValue reads for them).
#if defined(_WIN64)
constexpr std::size_t kTebSlots = 0x1480;
#else
constexpr std::size_t kTebSlots = 0xE10;
#endif

// The calling thread's TEB. Wine and Windows keep it at the same place; the TEB of a thread
// never moves, so the read may be shared by the compiler like any pure value.
inline char* teb() {
  char* self;
#if defined(_WIN64)
  __asm__("movq %%gs:0x30, %0" : "=r"(self));
#else
  __asm__("movl %%fs:0x18, %0" : "=r"(self));
#endif
  return self;
}

// What slot s (below 64) holds for the calling thread: an ordinary load, so that the compiler
// reads it again after any call that may have set it.
inline void* tebSlot(DWORD s) { return reinterpret_cast<void* const*>(teb() + kTebSlots)[s]; }

AFX_THREAD_STATE* slowThreadState();

}  // namespace afx_thread_state

// The calling thread's state, made on first use. Callers that touch it several times fetch it
// once.
inline AFX_THREAD_STATE* AfxGetThreadState() {
  const DWORD s = afx_thread_state::slot.load(std::memory_order_relaxed);
  if (s < TLS_MINIMUM_AVAILABLE) {
    if (void* state = afx_thread_state::tebSlot(s)) return static_cast<AFX_THREAD_STATE*>(state);
  }
  return afx_thread_state::slowThreadState();
}
#else
// The calling thread's state, made on first use. Callers that touch it several times fetch it
// once.
AFX_THREAD_STATE* AfxGetThreadState();
#endif
