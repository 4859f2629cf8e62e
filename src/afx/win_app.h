// CWinApp: the one application object of a module. Constructing it makes it the module's
// application; the library start-up runs its InitInstance and the shutdown its ExitInstance.
#pragma once

#include "afx/cmd_target.h"
#include "afx/module_state.h"

class CWnd;

class CWinApp : public CCmdTarget {
  DECLARE_DYNAMIC(CWinApp)

 public:
  explicit CWinApp(const char* lpszAppName = nullptr);
  ~CWinApp() override;

  // TRUE lets the module stay loaded.
  virtual BOOL InitInstance();
  virtual int ExitInstance();

  // Hides the main window and sends it to the bottom of the z-order.
  void HideApplication();
  // Closes the application's documents; this framework keeps none.
  void CloseAllDocuments(BOOL bEndSession);

  CWnd* m_pMainWnd = nullptr;
  HINSTANCE m_hInstance = nullptr;
  const char* m_pszAppName = nullptr;
};
