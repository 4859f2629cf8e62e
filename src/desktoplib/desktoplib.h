// The ZORV desktop's utility library: the current world, the desktop folders, file
// associations, per-world game statistics and small utilities for games.
//
// Plain functions with narrow (ANSI) texts; path and name buffers hold MAX_PATH (260) bytes
// unless said otherwise. Nothing throws. Failures are explained in the diagnostic log
// (common/log.h); only a missing world and an unsaved statistic show a message box.
//
// splitPath, isRootPath and hashString are platform-neutral; every other operation exists in
// the Windows builds only.
#pragma once

#include "afx/cstring.h"
#include "common/win_types.h"

#ifdef _WIN32
#include <shtypes.h>  // ITEMIDLIST
#endif

// ---- Current world --------------------------------------------------------------------------

// The current world's name (its folder below "<installation>\Desktops") into a buffer of
// MAX_PATH bytes. A recorded "CurrMovie" whose movie file
// "<installation>Desktops\<name>\<name>.dcr" exists is returned as it is; otherwise the first
// "Desktops\dZORV_*" folder with its movie file (or the last folder examined) is chosen and
// recorded. With no candidate at all the user is told "No ZORV Worlds are installed". An empty name
// means there is no world, whatever the result: false only when the installation key cannot be
// opened or the chosen world cannot be recorded. A null buffer gives false and does nothing.
bool getCurrentWorld(char* name);

// The same into a string: always true; name is set only when the buffer form returns true.
bool getCurrentWorld(CString& name);

// ---- Desktop folders ------------------------------------------------------------------------

// Appends "\Desktops\<world>\" to the installation folder read into dir (on failure dir keeps
// its text). Always true; an empty world gives a path ending in two backslashes.
bool getWorldDir(CString& dir);

// The current world's Visual folder "<installation><Desktops|MUDs|Webs>\<world>\Visual\",
// the kind folder chosen by the world's first character (d, m, w; anything else Desktops).
// False when there is no installation folder or world, or the path does not fit MAX_PATH
// bytes; the buffer or string is then left as it was.
bool getVisualDir(char* path);
bool getVisualDir(CString& path);

// The Shockwave player's media folder below the Windows folder:
// "system32\macromed\shockwave 8\dswmedia\" on the Windows NT family, "system\..." (the same
// below "system") on Windows 95, 98 and Me.
void getShockwaveMediaDir(CString& dir);

// ---- File associations ----------------------------------------------------------------------

// Splits a path at its last backslash into the folder before it (no trailing backslash) and
// the file name after it. Writes neither output when the path has no backslash or is longer
// than MAX_PATH - 1 characters; a null output is skipped. Platform-neutral.
void splitPath(const char* path, char* folder, char* file);

// True for a drive root such as "D:\" and a bare server name such as "\\server".
// Platform-neutral.
bool isRootPath(const char* path);

// The display name of a program: the shell's cached "FriendlyCache" name (59 characters at
// most), else the file name without its extension; "(" and ")" become "{" and "}". A root
// path is copied unchanged. Does nothing when either argument is null.
void getFriendlyAppName(const char* path, char* name);

// The program that opens documents of an extension (".doc"): the "open" command of the
// extension's class in lower case, cut after its first ".exe". False (logged) when a piece of
// the association is missing, and (not logged) for commands run through rundll32.exe;
// program is then left as it was.
bool getOpenCommandExe(const char* extension, char* program);

// ---- Game statistics ------------------------------------------------------------------------

// The current world's key HKEY_LOCAL_MACHINE\SOFTWARE\ZORV\<world> with full access, or null
// (logged). The caller closes it. With no world this is the installation key itself.
HKEY openWorldKey();

// A statistic of the current world into text (size bytes, always cleared first); empty when it
// is missing, cannot be read or does not fit with its terminator. Nothing for a null name.
void getGameStat(const char* name, char* text, DWORD size);

// Stores a statistic of the current world; tells the user "Unable to save game stat info!"
// when it cannot be written. Nothing for a null name or text.
void setGameStat(const char* name, const char* text);

// ---- Other utilities ------------------------------------------------------------------------

// Seeds the C runtime's generator from the clock. The first randomFloat or randomInt of the
// process does this by itself.
void seedRandom();

// A number from low to high, both included, from one draw of the C runtime's rand().
float randomFloat(float low, float high);

// A whole number from low to high, both included; low and high come up slightly less often
// (weight 0.99) than the numbers between them.
int randomInt(int low, int high);

// A 16-bit-mixing hash of the text's characters (taken as signed bytes): "abc" gives 25284.
// Platform-neutral.
int hashString(const CString& text);

// True on the Windows 95 family (95, 98, Me).
bool isWin9x();

// The shell's item identifier list of a path through the desktop folder. On success the caller
// frees *list with the shell's task allocator (CoTaskMemFree); on failure *list is null.
bool parseShellPath(const char* path, ITEMIDLIST** list);
