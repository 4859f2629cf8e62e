// The library's entry point: the framework's start-up and shutdown.
#include "afx/dll_startup.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD reason, LPVOID) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      return AfxDllProcessAttach(hInstance);
    case DLL_THREAD_DETACH:
      AfxDllThreadDetach();
      break;
    case DLL_PROCESS_DETACH:
      AfxDllProcessDetach();
      break;
    default:
      break;
  }
  return TRUE;
}
