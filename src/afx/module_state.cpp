#include "afx/module_state.h"

namespace {

// The module's own framework state, and the state of whoever called into the module
// (the host); a thread starts with the host's.
AFX_MODULE_STATE g_moduleState;
AFX_MODULE_STATE g_hostState;

struct ThreadState {
  AFX_MODULE_STATE* current = nullptr;
  int tempMapLocks = 0;
  AfxTempCleanup cleanup = nullptr;
};

thread_local ThreadState t_state;

}  // namespace

AFX_MODULE_STATE* AfxGetStaticModuleState() { return &g_moduleState; }

AFX_MODULE_STATE* AfxGetModuleState() {
  return t_state.current != nullptr ? t_state.current : &g_hostState;
}

AFX_MODULE_STATE* AfxSetModuleState(AFX_MODULE_STATE* state) {
  AFX_MODULE_STATE* previous = AfxGetModuleState();
  t_state.current = state;
  return previous;
}

void AfxLockTempMaps() { ++t_state.tempMapLocks; }

BOOL AfxUnlockTempMaps(BOOL bDeleteTemps) {
  if (t_state.tempMapLocks == 0) return FALSE;
  if (--t_state.tempMapLocks == 0 && bDeleteTemps && t_state.cleanup != nullptr) {
    t_state.cleanup();
  }
  return TRUE;
}

int AfxTempMapLockCount() { return t_state.tempMapLocks; }

void AfxSetTempCleanup(AfxTempCleanup cleanup) { t_state.cleanup = cleanup; }

void AfxTermThread() {
  if (t_state.cleanup != nullptr) t_state.cleanup();
  t_state = ThreadState{};
}
