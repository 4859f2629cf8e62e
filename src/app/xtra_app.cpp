#include "app/xtra_app.h"

#include <new>

#include <ole2.h>

#include "app/main_frame.h"
#include "app/resource.h"
#include "common/log.h"

namespace {

CXtraApp theApp;

// WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE; the frame replaces it with its own style.
constexpr DWORD kFrameDefaultStyle = 0x00CF8000;
static_assert(kFrameDefaultStyle == (WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE), "default style");

// Whether InitInstance's OleInitialize succeeded and still awaits its OleUninitialize.
bool g_oleStarted = false;

}  // namespace

CXtraApp* xtraApp() { return &theApp; }

const char* oleStartupText(HRESULT result) {
  switch (result) {
    case S_OK:
      return "COM initialized!";
    case S_FALSE:
      return "COM already initialized!";
    case OLE_E_WRONGCOMPOBJ:
      return "COM DLLs incompatible!";
    case RPC_E_CHANGED_MODE:
      return "COM previous call MTA!";
    default:
      return "COM OleInitialize returned unknown value!";
  }
}

BOOL CXtraApp::InitInstance() {
  if (!CWinApp::InitInstance()) return FALSE;

  const HRESULT ole = ::OleInitialize(nullptr);
  g_oleStarted = ole == S_OK || ole == S_FALSE;
  logMessage(oleStartupText(ole));

  CMainFrame* frame = new (std::nothrow) CMainFrame;
  if (frame == nullptr) return FALSE;
  // A frame whose creation fails has deleted itself.
  if (!frame->LoadFrame(IDR_MAINFRAME, kFrameDefaultStyle, nullptr, nullptr)) return FALSE;
  m_pMainWnd = frame;
  frame->ShowWindow(SW_HIDE);
  ::UpdateWindow(frame->m_hWnd);
  return TRUE;
}

int CXtraApp::ExitInstance() {
  CWinApp::ExitInstance();
  // OLE wants one OleUninitialize per successful OleInitialize (S_OK or S_FALSE) and none
  // after a failed one; ExitInstance also runs after an InitInstance that failed early.
  if (g_oleStarted) {
    ::OleUninitialize();
    g_oleStarted = false;
  }
  return 0;
}

void CXtraApp::CloseHiddenFrame() {
  HideApplication();
  CloseAllDocuments(TRUE);
  if (m_pMainWnd == nullptr) return;
  // Destroying the main window clears m_pMainWnd and deletes the frame; a frame whose window
  // would not go is deleted here.
  m_pMainWnd->DestroyWindow();
  delete m_pMainWnd;
  m_pMainWnd = nullptr;
}
