// CFrameWnd: a top-level window loaded with the menu of a resource identifier, in the
// module's frame window class; it deletes itself when its window is gone or cannot be made.
#pragma once

#include "afx/wnd.h"

// Frame style bit: the frame adds the document's name to its title.
#define FWS_ADDTOTITLE 0x00008000L

// Passed through to the window as its creation parameter; this framework makes no views.
struct CCreateContext;

class CFrameWnd : public CWnd {
  DECLARE_DYNCREATE(CFrameWnd)

 public:
  CFrameWnd() = default;

  // Position and size left to the system.
  static const RECT rectDefault;

  // Creates the frame with the menu resource nIDResource. FALSE when the menu or the window
  // cannot be made; the frame object has then deleted itself.
  virtual BOOL LoadFrame(UINT nIDResource,
                         DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                         CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
  BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
              CWnd* pParentWnd, LPCSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext);

  // Lays out the frame's client area; a frame with no bars and no view has nothing to place.
  virtual void RecalcLayout(BOOL bNotify = TRUE);

  BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

 protected:
  void PostNcDestroy() override;

  int OnCreate(LPCREATESTRUCTA lpCreateStruct);
  // Default processing, then the layout unless the frame is minimised.
  void OnSize(UINT nType, int cx, int cy);
  void OnDestroy();

  DECLARE_MESSAGE_MAP()
};
