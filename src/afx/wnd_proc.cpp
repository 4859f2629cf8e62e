// The window procedure of the module's windows, the window-creation hook and the message
// being handled on each thread (for CWnd::Default), both kept in the thread's framework state.
#include "afx/module_state.h"
#include "afx/thread_state.h"
#include "afx/wnd.h"

namespace {

CWnd* attachWindowBeingCreated(AFX_THREAD_STATE* thread, HWND hWnd) {
  CWnd* wnd = thread->windowBeingCreated;
  if (wnd == nullptr) return nullptr;
  thread->windowBeingCreated = nullptr;
  wnd->Attach(hWnd);
  return wnd;
}

}  // namespace

void AfxHookWindowCreate(CWnd* wnd) { AfxGetThreadState()->windowBeingCreated = wnd; }

BOOL AfxUnhookWindowCreate() {
  AFX_THREAD_STATE* thread = AfxGetThreadState();
  const BOOL reached = thread->windowBeingCreated == nullptr;
  thread->windowBeingCreated = nullptr;
  return reached;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  // Messages arrive from the host's message loop too: the module's state is made current.
  AFX_MAINTAIN_STATE2 state(AfxGetStaticModuleState());
  AFX_THREAD_STATE* thread = state.threadState();
  CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
  if (wnd == nullptr) wnd = attachWindowBeingCreated(thread, hWnd);
  if (wnd == nullptr) return ::DefWindowProcA(hWnd, message, wParam, lParam);

  const AfxCurrentMessage previous = thread->currentMessage;
  thread->currentMessage = {message, wParam, lParam};
  // The object may delete itself while handling WM_NCDESTROY: it is not touched afterwards.
  const LRESULT result = wnd->WindowProc(message, wParam, lParam);
  thread->currentMessage = previous;
  return result;
}

LRESULT CWnd::Default() {
  const AfxCurrentMessage& current = AfxGetThreadState()->currentMessage;
  return DefWindowProc(current.message, current.wParam, current.lParam);
}
