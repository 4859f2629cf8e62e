// The Office application locator and its neighbours in the desktop utility library: shell link
// files read into a record, the two code-page conversions, the Office applications' server
// executables found through their ProgIDs, and a process's application window.
#pragma once

#include "afx/cstring.h"
#include "common/win_types.h"

// What a shell link says about its target. A new record is empty, false and 0; an empty field
// means that nothing is known of it.
struct ShortcutInfo {
  bool isDirectory = false;  // the target is a folder
  CString fileName;          // the target's file name from the link's find data
  CString targetPath;        // the target's full path, in short (8.3) form
  CString workingDirectory;
  CString executable;  // the program that opens the target; empty for folders and unknown types
  CString iconPath;    // the file holding the link's icon, or empty
  CString arguments;
  int iconIndex = 0;  // the icon's index in iconPath; 0 without an icon location
};

// Reads the link file linkPath, lets the shell resolve it and fills info in field order.
// Initialises COM (single-threaded) on the calling thread. False when COM, the link object or
// the file cannot be used, or the target path, working directory or arguments cannot be read
// (the fields read before stay filled). True when the link was read, and also when the shell
// could not resolve it: info is then left as it was.
bool resolveShortcut(const char* linkPath, ShortcutInfo& info);

// Converts a zero-terminated text with the system's ANSI code page into a buffer of outBytes
// bytes (outChars wide characters). The output is empty first and stays empty when the text does
// not fit or cannot be converted. Returns the output's length without the terminator.
int wideToAnsi(char* out, const wchar_t* text, int outBytes);
int ansiToWide(wchar_t* out, const char* text, int outChars);

// Recognises an Office application from a desktop shortcut path (writable, 260 bytes) and
// replaces the path with the application's server executable. True when the path may be used
// as it now stands: rewritten, or belonging to no Office application. False when an application
// was recognised but its executable was not found: the user has then been told in a message
// box (caption "Information") and the path is unchanged. A null path gives false, no message.
bool locateOfficeApplication(char* path);

// The executable of a ProgID's COM local server ("Word.Application") into out (260 bytes), cut
// before the first "/" of its command line. False, out unchanged, when a registry step fails.
bool getLocalServerPath(char* out, const char* progId);

// The first top-level window of the process in enumeration order that is not the desktop's own
// main window (title "*zorvmain...") nor a class "Ole..." or "mainclass..." window (any case),
// or null. Keeps its result in one module-wide variable: one search at a time.
HWND findProcessWindow(DWORD processId);
