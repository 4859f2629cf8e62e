// CXtraApp: the module's one application object. Loading the module starts OLE on the
// loading thread, logs the outcome and creates the hidden main frame; unloading ends OLE.
#pragma once

#include "afx/win_app.h"

class CXtraApp : public CWinApp {
 public:
  CXtraApp() = default;

  BOOL InitInstance() override;
  int ExitInstance() override;

  // Takes the hidden frame down; once it is gone, later calls only hide and close documents.
  virtual void CloseHiddenFrame();
};

// The module's application object.
CXtraApp* xtraApp();

// The log text for a result of OleInitialize.
const char* oleStartupText(HRESULT result);
