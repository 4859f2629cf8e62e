#include "afx/frame_wnd.h"

#include "afx/dyn_link_library.h"
#include "afx/window_class.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

const RECT CFrameWnd::rectDefault = {CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                          CCreateContext* pContext) {
  return Create(nullptr, nullptr, dwDefaultStyle, rectDefault, pParentWnd,
                MAKEINTRESOURCEA(nIDResource), 0, pContext);
}

BOOL CFrameWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCSTR lpszMenuName, DWORD dwExStyle,
                       CCreateContext* pContext) {
  HMENU menu = nullptr;
  if (lpszMenuName != nullptr) {
    menu = ::LoadMenuA(AfxFindResourceHandle(lpszMenuName, RT_MENU), lpszMenuName);
    if (menu == nullptr) {
      PostNcDestroy();
      return FALSE;
    }
  }
  const bool systemPlaced = rect.left == CW_USEDEFAULT;
  const int width = systemPlaced ? CW_USEDEFAULT : rect.right - rect.left;
  const int height = systemPlaced ? CW_USEDEFAULT : rect.bottom - rect.top;
  HWND parent = pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr;
  // On failure this object is gone: only locals are used afterwards.
  if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, width,
                height, parent, menu, pContext)) {
    if (menu != nullptr) ::DestroyMenu(menu);
    return FALSE;
  }
  return TRUE;
}

void CFrameWnd::RecalcLayout(BOOL) {}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTA& cs) {
  if (cs.lpszClass == nullptr) {
    cs.lpszClass = AfxRegisterFrameClass();
    if (cs.lpszClass == nullptr) return FALSE;
  }
  return TRUE;
}

void CFrameWnd::PostNcDestroy() { delete this; }

int CFrameWnd::OnCreate(LPCREATESTRUCTA lpCreateStruct) {
  return CWnd::OnCreate(lpCreateStruct) == -1 ? -1 : 0;
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  if (nType != SIZE_MINIMIZED) RecalcLayout();
}

void CFrameWnd::OnDestroy() { CWnd::OnDestroy(); }
