// The window procedure of the module's windows, the window-creation hook and the message
// being handled on each thread (for CWnd::Default).
#include "afx/module_state.h"
#include "afx/wnd.h"

namespace {

struct CurrentMessage {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

thread_local CWnd* t_windowBeingCreated = nullptr;
thread_local CurrentMessage t_currentMessage = {0, 0, 0};

CWnd* attachWindowBeingCreated(HWND hWnd) {
  CWnd* wnd = t_windowBeingCreated;
  if (wnd == nullptr) return nullptr;
  t_windowBeingCreated = nullptr;
  wnd->Attach(hWnd);
  return wnd;
}

}  // namespace

void AfxHookWindowCreate(CWnd* wnd) { t_windowBeingCreated = wnd; }

BOOL AfxUnhookWindowCreate() {
  const BOOL reached = t_windowBeingCreated == nullptr;
  t_windowBeingCreated = nullptr;
  return reached;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  // Messages arrive from the host's message loop too: the module's state is made current.
  AFX_MAINTAIN_STATE2 state(AfxGetStaticModuleState());
  CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
  if (wnd == nullptr) wnd = attachWindowBeingCreated(hWnd);
  if (wnd == nullptr) return ::DefWindowProcA(hWnd, message, wParam, lParam);

  const CurrentMessage previous = t_currentMessage;
  t_currentMessage = {message, wParam, lParam};
  // The object may delete itself while handling WM_NCDESTROY: it is not touched afterwards.
  const LRESULT result = wnd->WindowProc(message, wParam, lParam);
  t_currentMessage = previous;
  return result;
}

LRESULT CWnd::Default() {
  return DefWindowProc(t_currentMessage.message, t_currentMessage.wParam, t_currentMessage.lParam);
}
