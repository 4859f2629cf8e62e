// Module state of the application-framework stand-in: which module's framework state is
// current on a thread, and the per-thread lock of the temporary-object maps.
#pragma once

#include "afx/thread_state.h"
#include "common/win_types.h"

class CWinApp;
class CDynLinkLibrary;

struct AFX_MODULE_STATE {
  CWinApp* m_pCurrentWinApp = nullptr;
#ifdef _WIN32
  HINSTANCE m_hCurrentInstanceHandle = nullptr;
  HINSTANCE m_hCurrentResourceHandle = nullptr;
#endif
  const char* m_lpszCurrentAppName = nullptr;
  bool m_bDLL = true;
  CDynLinkLibrary* m_pLibraryList = nullptr;  // resource modules searched after this one
};

// The module's own state (one per module) and the state current on the calling thread
// (the host's until a guard makes the module's current).
extern AFX_MODULE_STATE afxStaticModuleState;
inline AFX_MODULE_STATE* AfxGetStaticModuleState() { return &afxStaticModuleState; }
AFX_MODULE_STATE* AfxGetModuleState();
AFX_MODULE_STATE* AfxSetModuleState(AFX_MODULE_STATE* state);

// The application object of the current module state (null in the host's).
inline CWinApp* AfxGetApp() { return AfxGetModuleState()->m_pCurrentWinApp; }

#ifdef _WIN32
// The instance and resource handles of the current module state (null until AfxWinInit).
inline HINSTANCE AfxGetInstanceHandle() { return AfxGetModuleState()->m_hCurrentInstanceHandle; }
inline HINSTANCE AfxGetResourceHandle() { return AfxGetModuleState()->m_hCurrentResourceHandle; }
#endif

// Makes a module state current for a scope and restores the previous one when it ends.
class AFX_MAINTAIN_STATE2 {
 public:
  explicit AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* state)
      : thread_(AfxGetThreadState()), previous_(thread_->current) {
    thread_->current = state;
  }
  ~AFX_MAINTAIN_STATE2() { thread_->current = previous_; }
  AFX_MAINTAIN_STATE2(const AFX_MAINTAIN_STATE2&) = delete;
  AFX_MAINTAIN_STATE2& operator=(const AFX_MAINTAIN_STATE2&) = delete;

  AFX_THREAD_STATE* threadState() const { return thread_; }

 private:
  AFX_THREAD_STATE* thread_;
  AFX_MODULE_STATE* previous_;
};

// Temporary-object maps: while locked (count > 0) temporary objects are kept; the unlock that
// brings the count to zero deletes them when asked to (bDeleteTemps).
void AfxLockTempMaps();
BOOL AfxUnlockTempMaps(BOOL bDeleteTemps = TRUE);
// The same on a thread state already fetched; inline, as every entry's guard takes both.
inline void AfxLockTempMaps(AFX_THREAD_STATE* thread) { ++thread->tempMapLocks; }
inline BOOL AfxUnlockTempMaps(AFX_THREAD_STATE* thread, BOOL bDeleteTemps) {
  if (thread->tempMapLocks == 0) return FALSE;
  if (--thread->tempMapLocks == 0 && bDeleteTemps && thread->cleanup != nullptr) {
    thread->cleanup();
  }
  return TRUE;
}
int AfxTempMapLockCount();

// Registers a cleanup run by the unlock that releases the last lock on this thread
// (temporary window wrappers register here).
void AfxSetTempCleanup(AfxTempCleanup cleanup);

// Ends the framework's state of the calling thread: its temporary objects are released and
// its module state and temporary-map lock are reset (the thread is going away).
void AfxTermThread();
