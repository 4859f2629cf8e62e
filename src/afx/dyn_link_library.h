// The chain of resource modules: resources are looked up in the current module first, then
// in every module registered in its chain (a CDynLinkLibrary per module).
#pragma once

#include "common/win_types.h"

struct AFX_MODULE_STATE;

struct AFX_EXTENSION_MODULE {
  BOOL bInitialized;
  HMODULE hModule;
  HMODULE hResource;
};

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);
// Removes the module's entries from the current module state's chain.
void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state);

// One entry of the chain; it links itself into the current module state's chain on
// construction and unlinks itself on destruction.
class CDynLinkLibrary {
 public:
  explicit CDynLinkLibrary(const AFX_EXTENSION_MODULE& state);
  ~CDynLinkLibrary();
  CDynLinkLibrary(const CDynLinkLibrary&) = delete;
  CDynLinkLibrary& operator=(const CDynLinkLibrary&) = delete;

  HMODULE m_hModule;
  HMODULE m_hResource;
  CDynLinkLibrary* m_pNextDLL = nullptr;

 private:
  AFX_MODULE_STATE* m_pOwnerState;
};

// The module that holds the resource: the current resource handle if it does, else the
// first module of the chain that does, else the current resource handle.
HINSTANCE AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType);
