#include "afx/win_app.h"

#include "afx/wnd.h"

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

CWinApp::CWinApp(const char* lpszAppName) : m_pszAppName(lpszAppName) {
  // Constructed by static initialisation, before any module state is current on the thread:
  // the module's own state is the one to register with.
  AFX_MODULE_STATE* state = AfxGetStaticModuleState();
  state->m_pCurrentWinApp = this;
  state->m_lpszCurrentAppName = lpszAppName;
}

CWinApp::~CWinApp() {
  AFX_MODULE_STATE* state = AfxGetStaticModuleState();
  if (state->m_pCurrentWinApp != this) return;
  state->m_pCurrentWinApp = nullptr;
  state->m_lpszCurrentAppName = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return 0; }

void CWinApp::HideApplication() {
  if (m_pMainWnd == nullptr) return;
  m_pMainWnd->ShowOwnedPopups(FALSE);
  m_pMainWnd->ShowWindow(SW_HIDE);
  m_pMainWnd->SetWindowPos(HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CWinApp::CloseAllDocuments(BOOL) {}
