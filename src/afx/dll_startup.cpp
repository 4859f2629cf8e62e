#include "afx/dll_startup.h"

#include <new>

#include "afx/dyn_link_library.h"
#include "afx/module_state.h"
#include "afx/win_app.h"
#include "afx/window_class.h"
#include "afx/wnd.h"

namespace {

// The module's own entry in the resource chain.
AFX_EXTENSION_MODULE g_moduleResources = {FALSE, nullptr, nullptr};
bool g_attached = false;

class TempMapsLock {
 public:
  TempMapsLock() { AfxLockTempMaps(); }
  ~TempMapsLock() { AfxUnlockTempMaps(TRUE); }
  TempMapsLock(const TempMapsLock&) = delete;
  TempMapsLock& operator=(const TempMapsLock&) = delete;
};

BOOL startApplication() {
  CWinApp* app = AfxGetApp();
  if (app == nullptr || app->InitInstance()) return TRUE;
  app->ExitInstance();
  return FALSE;
}

void endApplication() {
  if (CWinApp* app = AfxGetApp()) app->ExitInstance();
}

BOOL joinResourceChain(HINSTANCE hInstance) {
  AfxInitExtensionModule(g_moduleResources, hInstance);
  if (new (std::nothrow) CDynLinkLibrary(g_moduleResources) != nullptr) return TRUE;
  g_moduleResources.bInitialized = FALSE;
  return FALSE;
}

}  // namespace

BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
  if (hInstance == nullptr) return FALSE;
  AFX_MODULE_STATE* state = AfxGetModuleState();
  state->m_hCurrentInstanceHandle = hInstance;
  state->m_hCurrentResourceHandle = hInstance;
  if (CWinApp* app = AfxGetApp()) app->m_hInstance = hInstance;
  return TRUE;
}

void AfxWinTerm() {
  AfxEndModuleWindows();
  AfxUnregisterFrameClass();
  AFX_MODULE_STATE* state = AfxGetModuleState();
  state->m_hCurrentInstanceHandle = nullptr;
  state->m_hCurrentResourceHandle = nullptr;
  if (CWinApp* app = AfxGetApp()) app->m_hInstance = nullptr;
}

BOOL AfxDllProcessAttach(HINSTANCE hInstance) {
  AFX_MAINTAIN_STATE2 state(AfxGetStaticModuleState());
  TempMapsLock lock;
  char noCommandLine[] = "";
  if (!AfxWinInit(hInstance, nullptr, noCommandLine, SW_SHOWNORMAL) || !startApplication()) {
    AfxWinTerm();
    return FALSE;
  }
  if (!joinResourceChain(hInstance)) {
    endApplication();
    AfxWinTerm();
    return FALSE;
  }
  g_attached = true;
  return TRUE;
}

void AfxDllThreadDetach() { AfxTermThread(); }

void AfxDllProcessDetach() {
  if (!g_attached) return;
  g_attached = false;
  {
    AFX_MAINTAIN_STATE2 state(AfxGetStaticModuleState());
    {
      TempMapsLock lock;
      endApplication();
    }
    AfxWinTerm();
    AfxTermExtensionModule(g_moduleResources);
  }
  AfxTermThread();
}
