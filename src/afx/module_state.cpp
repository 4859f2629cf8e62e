#include "afx/module_state.h"

namespace {

// The module's own framework state, and the state of whoever called into the module
// (the host); a thread starts with the host's.
AFX_MODULE_STATE g_moduleState;
AFX_MODULE_STATE g_hostState;

thread_local AFX_THREAD_STATE t_state;

}  // namespace

AFX_MODULE_STATE* AfxGetStaticModuleState() { return &g_moduleState; }

AFX_THREAD_STATE* AfxGetThreadState() { return &t_state; }

AFX_MODULE_STATE* AfxGetModuleState() {
  return t_state.current != nullptr ? t_state.current : &g_hostState;
}

AFX_MODULE_STATE* AfxSetModuleState(AFX_MODULE_STATE* state) {
  AFX_MODULE_STATE* previous = AfxGetModuleState();
  t_state.current = state;
  return previous;
}

void AfxLockTempMaps(AFX_THREAD_STATE* thread) { ++thread->tempMapLocks; }

BOOL AfxUnlockTempMaps(AFX_THREAD_STATE* thread, BOOL bDeleteTemps) {
  if (thread->tempMapLocks == 0) return FALSE;
  if (--thread->tempMapLocks == 0 && bDeleteTemps && thread->cleanup != nullptr) {
    thread->cleanup();
  }
  return TRUE;
}

void AfxLockTempMaps() { AfxLockTempMaps(&t_state); }

BOOL AfxUnlockTempMaps(BOOL bDeleteTemps) { return AfxUnlockTempMaps(&t_state, bDeleteTemps); }

int AfxTempMapLockCount() { return t_state.tempMapLocks; }

void AfxSetTempCleanup(AfxTempCleanup cleanup) { t_state.cleanup = cleanup; }

void AfxTermThread() {
  if (t_state.cleanup != nullptr) t_state.cleanup();
  t_state = AFX_THREAD_STATE{};
}
