#include "app/main_frame.h"

#include "afx/paint_dc.h"

const char kHiddenFrameTitle[] = "*zorvmainhidden*";

namespace {

// Every change of position becomes a hide at 0,0 by 0x0, without move, z-order change or
// activation.
constexpr UINT kHideInPlaceFlags =
    SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW | SWP_NOOWNERZORDER;
static_assert(kHideInPlaceFlags == 0x0296, "hide-in-place flags");

void hideInPlace(WINDOWPOS* pos) {
  pos->x = 0;
  pos->y = 0;
  pos->cx = 0;
  pos->cy = 0;
  pos->flags = kHideInPlaceFlags;
}

}  // namespace

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
ON_WM_CREATE()
ON_WM_SHOWWINDOW()
ON_WM_MOVE()
ON_WM_SIZE()
ON_WM_PAINT()
ON_WM_WINDOWPOSCHANGED()
ON_WM_WINDOWPOSCHANGING()
ON_WM_DESTROY()
END_MESSAGE_MAP()

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTA& cs) {
  if (!CFrameWnd::PreCreateWindow(cs)) return FALSE;
  cs.x = 0;
  cs.y = 0;
  cs.cx = 0;
  cs.cy = 0;
  cs.style = WS_MINIMIZE | WS_DISABLED;
  cs.dwExStyle = WS_EX_TOPMOST;
  cs.lpszName = kHiddenFrameTitle;
  return TRUE;
}

LRESULT CMainFrame::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATE:
    case WM_SETFOCUS:
      return 1;
    case WM_SETTEXT:
      return CWnd::DefWindowProc(message, wParam, reinterpret_cast<LPARAM>(kHiddenFrameTitle));
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    default:
      return CWnd::DefWindowProc(message, wParam, lParam);
  }
}

int CMainFrame::OnCreate(LPCREATESTRUCTA lpCreateStruct) {
  return CFrameWnd::OnCreate(lpCreateStruct) == -1 ? -1 : 0;
}

void CMainFrame::OnShowWindow(BOOL bShow, UINT nStatus) { CFrameWnd::OnShowWindow(bShow, nStatus); }

void CMainFrame::OnMove(int x, int y) { CFrameWnd::OnMove(x, y); }

// Whatever size came, the frame sees itself minimised at 0 by 0, so no layout is done.
void CMainFrame::OnSize(UINT, int, int) { CFrameWnd::OnSize(SIZE_MINIMIZED, 0, 0); }

// Nothing is drawn; beginning and ending the paint validates the window.
void CMainFrame::OnPaint() { CPaintDC dc(this); }

void CMainFrame::OnWindowPosChanged(WINDOWPOS* lpwndpos) {
  hideInPlace(lpwndpos);
  CFrameWnd::OnWindowPosChanged(lpwndpos);
}

void CMainFrame::OnWindowPosChanging(WINDOWPOS* lpwndpos) {
  hideInPlace(lpwndpos);
  CFrameWnd::OnWindowPosChanging(lpwndpos);
}

void CMainFrame::OnDestroy() { CFrameWnd::OnDestroy(); }
