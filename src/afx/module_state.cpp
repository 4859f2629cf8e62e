#include "afx/module_state.h"

namespace {

// The state of whoever called into the module (the host); a thread starts with it.
AFX_MODULE_STATE g_hostState;

}  // namespace

AFX_MODULE_STATE afxStaticModuleState;

AFX_MODULE_STATE* AfxGetModuleState() {
  AFX_MODULE_STATE* current = AfxGetThreadState()->current;
  return current != nullptr ? current : &g_hostState;
}

AFX_MODULE_STATE* AfxSetModuleState(AFX_MODULE_STATE* state) {
  AFX_THREAD_STATE* thread = AfxGetThreadState();
  AFX_MODULE_STATE* previous = thread->current != nullptr ? thread->current : &g_hostState;
  thread->current = state;
  return previous;
}

void AfxLockTempMaps() { AfxLockTempMaps(AfxGetThreadState()); }

BOOL AfxUnlockTempMaps(BOOL bDeleteTemps) {
  return AfxUnlockTempMaps(AfxGetThreadState(), bDeleteTemps);
}

int AfxTempMapLockCount() { return AfxGetThreadState()->tempMapLocks; }

void AfxSetTempCleanup(AfxTempCleanup cleanup) { AfxGetThreadState()->cleanup = cleanup; }

// A thread that never entered the module has no state to end.
void AfxTermThread() {
  AFX_THREAD_STATE* thread = AfxFindThreadState();
  if (thread == nullptr) return;
  if (thread->cleanup != nullptr) thread->cleanup();
  AfxReleaseThreadState();
}
