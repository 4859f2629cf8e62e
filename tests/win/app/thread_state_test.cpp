// The guard's per-thread state, on the Windows storage: nesting restores, threads stay apart,
// a thread's end gives its state back, and the caller's last error is never touched. Built
// twice: once as it comes, once with the TEB's 64 TLS slots taken before the framework's
// first use, so that its own slot lies past them.
#include <gtest/gtest.h>
#include <windows.h>

#include "win_thread.h"

#include "host/guard.h"

namespace {

#ifdef ZORV_TEB_SLOTS_TAKEN
// Before any test runs: the slots that follow are the ones TlsGetValue keeps outside the TEB.
const bool g_tebSlotsTaken = [] {
  while (TlsAlloc() < TLS_MINIMUM_AVAILABLE) {
  }
  return true;
}();
#endif

int g_cleanups = 0;
void countCleanup() { ++g_cleanups; }

bool underModuleState() { return AfxGetModuleState() == AfxGetStaticModuleState(); }

TEST(ThreadState, TheSlotLiesWhereThisProgramPutsIt) {
  AfxGetThreadState();
  const DWORD slot = afx_thread_state::slot.load();
#ifdef ZORV_TEB_SLOTS_TAKEN
  EXPECT_TRUE(g_tebSlotsTaken);
  EXPECT_GE(slot, static_cast<DWORD>(TLS_MINIMUM_AVAILABLE));
  EXPECT_NE(TLS_OUT_OF_INDEXES - 1, slot);
#else
  EXPECT_LT(slot, static_cast<DWORD>(TLS_MINIMUM_AVAILABLE));
#endif
}

TEST(ThreadState, NestedGuardsGiveBackExactlyWhatTheyFound) {
  runOnThread([] {
    g_cleanups = 0;
    AfxSetTempCleanup(countCleanup);
    AFX_MODULE_STATE* host = AfxGetModuleState();
    ASSERT_NE(host, AfxGetStaticModuleState());
    {
      xtra::ModuleGuard outer;
      EXPECT_TRUE(underModuleState());
      {
        xtra::ModuleGuard inner;  // a call-back entering again
        EXPECT_EQ(2, AfxTempMapLockCount());
      }
      EXPECT_TRUE(underModuleState());
      EXPECT_EQ(1, AfxTempMapLockCount());
      EXPECT_EQ(0, g_cleanups);
      xtra::ModuleStateGuard stateOnly;
      EXPECT_EQ(1, AfxTempMapLockCount());
    }
    EXPECT_EQ(host, AfxGetModuleState());
    EXPECT_EQ(0, AfxTempMapLockCount());
    EXPECT_EQ(1, g_cleanups);
  });
}

// A thread under guards of its own sees nothing of the main thread's, and the main thread
// nothing of the thread's.
TEST(ThreadState, ThreadsNeverSeeEachOthersState) {
  xtra::ModuleGuard mainThread;
  runOnThread([] {
    EXPECT_FALSE(underModuleState());
    EXPECT_EQ(0, AfxTempMapLockCount());
    xtra::ModuleGuard outer;
    xtra::ModuleGuard inner;
    EXPECT_EQ(2, AfxTempMapLockCount());
  });
  EXPECT_TRUE(underModuleState());
  EXPECT_EQ(1, AfxTempMapLockCount());
}

TEST(ThreadState, TheGuardLeavesTheCallersLastErrorAlone) {
  runOnThread([] {
    SetLastError(0x1234);
    {
      xtra::ModuleGuard first;  // the thread's state is made here
      EXPECT_EQ(0x1234u, GetLastError());
      SetLastError(0x4321);
    }
    EXPECT_EQ(0x4321u, GetLastError());
  });
}

TEST(ThreadState, ThreadEndRunsTheCleanupAndTheThreadStartsAfresh) {
  runOnThread([] {
    EXPECT_EQ(nullptr, AfxFindThreadState());
    AfxTermThread();  // a thread that never entered: nothing made, nothing run
    EXPECT_EQ(nullptr, AfxFindThreadState());

    g_cleanups = 0;
    AfxSetTempCleanup(countCleanup);
    AfxSetModuleState(AfxGetStaticModuleState());
    AfxLockTempMaps();
    AfxTermThread();
    EXPECT_EQ(1, g_cleanups);
    EXPECT_EQ(nullptr, AfxFindThreadState());
    EXPECT_FALSE(underModuleState());
    EXPECT_EQ(0, AfxTempMapLockCount());
    EXPECT_FALSE(AfxUnlockTempMaps(TRUE));
    EXPECT_EQ(1, g_cleanups);
  });
}

}  // namespace
