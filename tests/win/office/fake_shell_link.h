// A stand-in for the shell's link class, registered for CLSID_ShellLink in the calling
// apartment so that CoCreateInstance finds it first. It answers with the results the test sets,
// records the calls it receives with their arguments, and counts the references it hands out.
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// What each call answers; zero (S_OK) everywhere is a link that reads completely.
typedef struct FakeLinkResults {
  HRESULT queryPersistFile, load, resolve, getPath, getIconLocation, getWorkingDirectory,
      getArguments;
  BOOL leavesIconIndex;  // GetIconLocation succeeds without writing the index
} FakeLinkResults;

#define FAKE_TARGET "C:\\FAKE\\TARGET~1.ZZZ"
#define FAKE_FILE_NAME "target file.zzz"
#define FAKE_ICON "C:\\FAKE\\ICONS.DLL"
#define FAKE_ICON_INDEX 4
#define FAKE_DIRECTORY "C:\\FAKE"
#define FAKE_ARGUMENTS "-fake"

// Registers the stand-in with fresh records; returns the cookie for the revocation, 0 on failure.
DWORD fakeLinkRegister(FakeLinkResults results);
void fakeLinkRevoke(DWORD cookie);

extern char fakeLinkCalls[512];  // "Load(C:\x.lnk,0) Resolve(0,2) GetPath(260,1) ..."
extern LONG fakeLinkReferences;  // 0 once every interface handed out is released

#ifdef __cplusplus
}
#endif
