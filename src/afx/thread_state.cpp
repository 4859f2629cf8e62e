// Storage of the framework's per-thread state. The compiler's thread_local is emulated on
// Windows: each access is a pthread key lookup (spin lock, TlsGetValue, last-error save and
// restore), several times what the guard of an entry does with the state. The Windows build
// keeps the state behind a TLS slot of its own instead; the usual fetch is inline (see the
// header), everything else is here.
#include "afx/thread_state.h"

#ifdef _WIN32

#include <windows.h>
#include <winternl.h>

#include <new>

static_assert(offsetof(TEB, TlsSlots) == afx_thread_state::kTebSlots, "TLS slots of the TEB");

std::atomic<DWORD> afx_thread_state::slot{TLS_OUT_OF_INDEXES};

namespace {

using afx_thread_state::slot;

// Kept for good when the process had no slot left for the module.
constexpr DWORD kNoSlot = TLS_OUT_OF_INDEXES - 1;

// Set in the kept slot value on the 95 family, whose thread block has another layout than the
// NT one that tebSlot reads: the value is then never below 64, so the inline fetch, still one
// comparison, always takes the TlsGetValue path.
constexpr DWORD kNotInThreadBlock = 0x40000000;

bool threadBlockIsNt() { return (GetVersion() & 0x80000000u) == 0; }

// The TLS index that a kept slot value stands for.
DWORD tlsIndex(DWORD kept) { return kept & ~kNotInThreadBlock; }

// The state of every thread whose own state could not be made (no slot, or no memory for it):
// such threads keep working, only no longer apart from one another. A thread keeps the state
// it was given first, so a guard never sees its state change under it.
AFX_THREAD_STATE g_sharedState;

DWORD slotIndex() {
  DWORD current = slot.load(std::memory_order_acquire);
  if (current != TLS_OUT_OF_INDEXES) return current;
  DWORD mine = TlsAlloc();
  if (mine == TLS_OUT_OF_INDEXES) {
    mine = kNoSlot;
  } else if (!threadBlockIsNt()) {
    mine |= kNotInThreadBlock;
  }
  if (slot.compare_exchange_strong(current, mine, std::memory_order_acq_rel)) return mine;
  if (mine != kNoSlot) TlsFree(tlsIndex(mine));  // another thread was first; its slot is the one
  return current;
}

// What the calling thread's slot holds: its state, the shared one, or null before first use.
// Slots past the TEB's 64, and every slot on the 95 family, are read with TlsGetValue, which
// would clear the host's last error.
AFX_THREAD_STATE* slotState() {
  const DWORD s = slot.load(std::memory_order_acquire);
  if (s < TLS_MINIMUM_AVAILABLE)
    return static_cast<AFX_THREAD_STATE*>(afx_thread_state::tebSlot(s));
  if (s == TLS_OUT_OF_INDEXES) return nullptr;
  if (s == kNoSlot) return &g_sharedState;
  const DWORD lastError = GetLastError();
  void* state = TlsGetValue(tlsIndex(s));
  SetLastError(lastError);
  return static_cast<AFX_THREAD_STATE*>(state);
}

AFX_THREAD_STATE* makeThreadState() {
  const DWORD lastError = GetLastError();
  AFX_THREAD_STATE* state = &g_sharedState;
  const DWORD s = slotIndex();
  if (s != kNoSlot) {
    if (void* memory = HeapAlloc(GetProcessHeap(), 0, sizeof(AFX_THREAD_STATE))) {
      state = new (memory) AFX_THREAD_STATE{};
    }
    if (!TlsSetValue(tlsIndex(s), state) && state != &g_sharedState) {
      HeapFree(GetProcessHeap(), 0, state);
      state = &g_sharedState;
    }
  }
  SetLastError(lastError);
  return state;
}

// Gives the slot back when the module is unloaded (static destruction runs after the last
// thread detach notice), so that loading and unloading does not use up the process's slots.
// The states of other threads still alive then are not reached from here and stay behind.
struct SlotRelease {
  ~SlotRelease() {
    const DWORD s = slot.exchange(TLS_OUT_OF_INDEXES);
    if (s != TLS_OUT_OF_INDEXES && s != kNoSlot) TlsFree(tlsIndex(s));
  }
} g_slotRelease;

}  // namespace

AFX_THREAD_STATE* afx_thread_state::slowThreadState() {
  AFX_THREAD_STATE* state = slotState();
  return state != nullptr ? state : makeThreadState();
}

// The shared state is no thread's own: ending one thread neither cleans nor frees it.
AFX_THREAD_STATE* AfxFindThreadState() {
  AFX_THREAD_STATE* state = slotState();
  return state != &g_sharedState ? state : nullptr;
}

void AfxReleaseThreadState() {
  AFX_THREAD_STATE* state = AfxFindThreadState();
  if (state == nullptr) return;
  TlsSetValue(tlsIndex(slot.load(std::memory_order_relaxed)), nullptr);
  state->~AFX_THREAD_STATE();
  HeapFree(GetProcessHeap(), 0, state);
}

#else  // elsewhere thread_local is native and costs no more than the word it names

namespace {
thread_local AFX_THREAD_STATE t_state;
}

AFX_THREAD_STATE* AfxGetThreadState() { return &t_state; }

AFX_THREAD_STATE* AfxFindThreadState() { return &t_state; }

void AfxReleaseThreadState() { t_state = AFX_THREAD_STATE{}; }

#endif
