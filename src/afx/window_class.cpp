#include "afx/window_class.h"

#include "afx/module_state.h"
#include "afx/wnd.h"

namespace {

constexpr char kFrameClassName[] = "ZorvAfxFrame";

// The instance the class was registered in, null while it is not registered.
HINSTANCE g_registeredIn = nullptr;

}  // namespace

LPCSTR AfxRegisterFrameClass() {
  HINSTANCE instance = AfxGetInstanceHandle();
  if (instance == nullptr) return nullptr;
  if (g_registeredIn == instance) return kFrameClassName;

  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = &AfxWndProc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kFrameClassName;
  if (::RegisterClassExA(&wc) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    return nullptr;
  }
  g_registeredIn = instance;
  return kFrameClassName;
}

void AfxUnregisterFrameClass() {
  if (g_registeredIn == nullptr) return;
  ::UnregisterClassA(kFrameClassName, g_registeredIn);
  g_registeredIn = nullptr;
}
