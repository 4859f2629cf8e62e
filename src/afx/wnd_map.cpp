// The module's attached window objects: a list threaded through the objects themselves,
// searched by window handle. The module runs on its host's thread and takes no lock.
#include "afx/wnd.h"

namespace {
CWnd* g_permanentWindows = nullptr;
}  // namespace

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
  if (hWnd == nullptr) return nullptr;
  for (CWnd* wnd = g_permanentWindows; wnd != nullptr; wnd = wnd->m_pNextPermanent) {
    if (wnd->m_hWnd == hWnd) return wnd;
  }
  return nullptr;
}

BOOL CWnd::Attach(HWND hWnd) {
  if (hWnd == nullptr || m_hWnd != nullptr || FromHandlePermanent(hWnd) != nullptr) return FALSE;
  m_hWnd = hWnd;
  m_pNextPermanent = g_permanentWindows;
  g_permanentWindows = this;
  return TRUE;
}

HWND CWnd::Detach() {
  HWND hWnd = m_hWnd;
  if (hWnd == nullptr) return nullptr;
  for (CWnd** link = &g_permanentWindows; *link != nullptr; link = &(*link)->m_pNextPermanent) {
    if (*link == this) {
      *link = m_pNextPermanent;
      break;
    }
  }
  m_pNextPermanent = nullptr;
  m_hWnd = nullptr;
  return hWnd;
}

void CWnd::AbandonWindow() {
  HWND hWnd = Detach();
  ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&::DefWindowProcA));
  ::PostMessageA(hWnd, WM_CLOSE, 0, 0);
}

void AfxEndModuleWindows() {
  const DWORD thisThread = ::GetCurrentThreadId();
  while (g_permanentWindows != nullptr) {
    CWnd* wnd = g_permanentWindows;
    HWND hWnd = wnd->m_hWnd;
    if (::GetWindowThreadProcessId(hWnd, nullptr) == thisThread) ::DestroyWindow(hWnd);
    // Still attached: another thread's window (or one that would not go). Its procedure
    // must not point into this module any more.
    if (g_permanentWindows != nullptr && g_permanentWindows->m_hWnd == hWnd) {
      wnd->AbandonWindow();
      wnd->PostNcDestroy();
    }
  }
}
