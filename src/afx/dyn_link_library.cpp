#include "afx/dyn_link_library.h"

#include "afx/module_state.h"

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule) {
  state.hModule = hModule;
  state.hResource = hModule;
  state.bInitialized = TRUE;
  return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state) {
  if (!state.bInitialized) return;
  AFX_MODULE_STATE* current = AfxGetModuleState();
  CDynLinkLibrary* library = current->m_pLibraryList;
  while (library != nullptr) {
    CDynLinkLibrary* next = library->m_pNextDLL;
    if (library->m_hModule == state.hModule) delete library;
    library = next;
  }
  state.bInitialized = FALSE;
}

CDynLinkLibrary::CDynLinkLibrary(const AFX_EXTENSION_MODULE& state)
    : m_hModule(state.hModule), m_hResource(state.hResource), m_pOwnerState(AfxGetModuleState()) {
  m_pNextDLL = m_pOwnerState->m_pLibraryList;
  m_pOwnerState->m_pLibraryList = this;
}

CDynLinkLibrary::~CDynLinkLibrary() {
  for (CDynLinkLibrary** link = &m_pOwnerState->m_pLibraryList; *link != nullptr;
       link = &(*link)->m_pNextDLL) {
    if (*link == this) {
      *link = m_pNextDLL;
      return;
    }
  }
}

HINSTANCE AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType) {
  HINSTANCE current = AfxGetResourceHandle();
  if (current != nullptr && ::FindResourceA(current, lpszName, lpszType) != nullptr) {
    return current;
  }
  for (CDynLinkLibrary* library = AfxGetModuleState()->m_pLibraryList; library != nullptr;
       library = library->m_pNextDLL) {
    if (::FindResourceA(library->m_hResource, lpszName, lpszType) != nullptr) {
      return library->m_hResource;
    }
  }
  return current;
}
