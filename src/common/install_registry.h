// The installation's registry key HKEY_LOCAL_MACHINE\SOFTWARE\ZORV: opening it, the
// installation folder ("MainDir") and the texture mode. Nothing is cached; failures of the
// reads are explained in the log.
#pragma once

#include "afx/cstring.h"
#include "common/win_types.h"

// The key opened with full access, or null (logged); the caller closes a non-null key.
HKEY openInstallKey();

// The installation folder, ending with a backslash, into a buffer of MAX_PATH bytes. False
// (logged) when the key or the value cannot be read or the value is too long (258 characters
// at most); the buffer's contents are then undefined.
bool getInstallDir(char* dir);

// The same into a string; on failure dir is left as it was.
bool getInstallDir(CString& dir);

// Writes "TextureMode" (REG_DWORD); false when the key is missing or cannot be written.
// Never creates the key, never logs.
bool setTextureMode(DWORD mode);

// "GameModulesFromInstallationOnly" (REG_DWORD), read afresh on each call: true when it is 1,
// which keeps GameModules to the installation's Xtras folder. Absent, another value or no key:
// false. Never logs.
bool gameModulesFromInstallationOnly();

// Writes it as 1 or 0; false when the key is missing or cannot be written. Never creates the
// key, never logs.
bool setGameModulesFromInstallationOnly(bool on);
