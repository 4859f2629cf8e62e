// Start-up and shutdown of the framework in a library, as its DllMain drives them.
#pragma once

#include "common/win_types.h"

// Sets the current module state's instance and resource handles; FALSE without an instance.
BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
// Ends the framework for the current module: its windows on this thread are destroyed, the
// others cut loose, its window class unregistered and its handles cleared.
void AfxWinTerm();

// Process attach, under the module's state with the temporary maps locked: AfxWinInit, the
// application's InitInstance (FALSE runs its ExitInstance) and the module's entry in the
// resource chain. FALSE fails the load, with the framework ended again.
BOOL AfxDllProcessAttach(HINSTANCE hInstance);
// Ends the calling thread's framework state.
void AfxDllThreadDetach();
// After a successful attach: the application's ExitInstance, then the framework's end and
// the module's removal from the resource chain.
void AfxDllProcessDetach();
