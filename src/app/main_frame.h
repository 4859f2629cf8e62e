// CMainFrame: the module's hidden main window. It is made never to be seen, moved, sized,
// activated or retitled: minimised, disabled, topmost, 0 by 0, titled "*zorvmainhidden*",
// every change of position turned into a hide, activation and focus refused.
#pragma once

#include "afx/frame_wnd.h"

// The hidden frame's fixed title; window finders skip windows whose title starts "*zorvmain".
extern const char kHiddenFrameTitle[];

class CMainFrame : public CFrameWnd {
  DECLARE_DYNCREATE(CMainFrame)

 public:
  CMainFrame() = default;

  // Replaces position, size, styles and title with the hidden frame's.
  BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

 protected:
  // Answers activation, focus and mouse activation itself; WM_SETTEXT always sets the fixed
  // title.
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  int OnCreate(LPCREATESTRUCTA lpCreateStruct);
  void OnShowWindow(BOOL bShow, UINT nStatus);
  void OnMove(int x, int y);
  void OnSize(UINT nType, int cx, int cy);
  void OnPaint();
  void OnWindowPosChanged(WINDOWPOS* lpwndpos);
  void OnWindowPosChanging(WINDOWPOS* lpwndpos);
  void OnDestroy();

  DECLARE_MESSAGE_MAP()
};
