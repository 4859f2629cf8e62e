// CWnd: a C++ object attached to a window of this module. Messages reach the object through
// AfxWndProc, go to the handler in its message map or else to the virtual DefWindowProc.
#pragma once

#include "afx/cmd_target.h"
#include "common/win_types.h"

class CWnd : public CCmdTarget {
  DECLARE_DYNCREATE(CWnd)

 public:
  CWnd() = default;
  // A window still alive is destroyed with its object.
  ~CWnd() override;

  HWND m_hWnd = nullptr;

  // The object attached to a window of this module, or null.
  static CWnd* FromHandlePermanent(HWND hWnd);
  BOOL Attach(HWND hWnd);
  HWND Detach();

  // Creates the window after PreCreateWindow has had its say. On failure the object has been
  // given PostNcDestroy (a self-deleting window is gone) and FALSE is returned.
  virtual BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                        int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu,
                        LPVOID lpParam = nullptr);
  // Destroys the window; a self-deleting object no longer exists when this returns TRUE.
  virtual BOOL DestroyWindow();
  virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);

  BOOL ShowWindow(int nCmdShow);
  void UpdateWindow();
  BOOL SetWindowPos(HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
  void ShowOwnedPopups(BOOL bShow);

  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Called once the window is gone (or its creation failed); frames delete themselves here.
  virtual void PostNcDestroy();

  // Default processing of the message being handled, with its parameters as they came.
  LRESULT Default();

 protected:
  int OnCreate(LPCREATESTRUCTA lpCreateStruct);
  void OnShowWindow(BOOL bShow, UINT nStatus);
  void OnMove(int x, int y);
  void OnSize(UINT nType, int cx, int cy);
  void OnPaint();
  void OnWindowPosChanging(WINDOWPOS* lpwndpos);
  void OnWindowPosChanged(WINDOWPOS* lpwndpos);
  void OnDestroy();
  // Clears the application's main window if it is this one, then detaches and calls
  // PostNcDestroy.
  void OnNcDestroy();

  DECLARE_MESSAGE_MAP()

 private:
  friend void AfxEndModuleWindows();
  // Detaches a window that cannot be destroyed from this thread and points it at the default
  // window procedure, asked to close, so nothing of this module is called for it again.
  void AbandonWindow();

  CWnd* m_pNextPermanent = nullptr;  // the module's list of attached objects
};

// The window procedure of every window class this module registers. The object being
// created on this thread is attached to its window when the first message arrives.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
void AfxHookWindowCreate(CWnd* wnd);
// Ends the hook; FALSE when no message ever reached the window being created.
BOOL AfxUnhookWindowCreate();

// Module shutdown: windows of this thread are destroyed; those of other threads are cut
// loose from this module (default window procedure, asked to close) and their objects told.
void AfxEndModuleWindows();

// Message-map entries for the handlers CWnd declares.
#define ON_WM_CREATE() \
  AFX_MSG_ENTRY(WM_CREATE, return self->OnCreate(reinterpret_cast<LPCREATESTRUCTA>(lParam));)
#define ON_WM_SHOWWINDOW()                                                                \
  AFX_MSG_ENTRY(WM_SHOWWINDOW,                                                            \
                self->OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam)); \
                return 0;)
#define ON_WM_MOVE()                                                       \
  AFX_MSG_ENTRY(WM_MOVE, self->OnMove(static_cast<short>(LOWORD(lParam)),  \
                                      static_cast<short>(HIWORD(lParam))); \
                return 0;)
#define ON_WM_SIZE()                                                                              \
  AFX_MSG_ENTRY(WM_SIZE, self->OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); \
                return 0;)
#define ON_WM_PAINT() AFX_MSG_ENTRY(WM_PAINT, self->OnPaint(); return 0;)
#define ON_WM_WINDOWPOSCHANGING()                                                \
  AFX_MSG_ENTRY(WM_WINDOWPOSCHANGING,                                            \
                self->OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam)); \
                return 0;)
#define ON_WM_WINDOWPOSCHANGED()                                                \
  AFX_MSG_ENTRY(WM_WINDOWPOSCHANGED,                                            \
                self->OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(lParam)); \
                return 0;)
#define ON_WM_DESTROY() AFX_MSG_ENTRY(WM_DESTROY, self->OnDestroy(); return 0;)
#define ON_WM_NCDESTROY() AFX_MSG_ENTRY(WM_NCDESTROY, self->OnNcDestroy(); return 0;)
