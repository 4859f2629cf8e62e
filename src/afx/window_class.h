// The window class of the module's frame windows, registered in the module's instance on
// first use and unregistered at shutdown.
#pragma once

#include "common/win_types.h"

// The class name, or null when the class cannot be registered (no instance handle yet).
LPCSTR AfxRegisterFrameClass();
void AfxUnregisterFrameClass();
