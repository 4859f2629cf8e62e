// Shell link files read through the shell's own link object.
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include "office/com_ref.h"
#include "office/office.h"

namespace {

// The index reported when the shell claims an icon location but gives no index.
constexpr int kUnsetIconIndex = -9999;

// Terminates a shell answer in a MAX_PATH buffer, however the shell left it.
const char* terminated(char (&text)[MAX_PATH]) {
  text[MAX_PATH - 1] = '\0';
  return text;
}

void readTarget(char (&path)[MAX_PATH], WIN32_FIND_DATAA& found, ShortcutInfo& info) {
  info.targetPath = terminated(path);
  info.fileName = terminated(found.cFileName);
  info.isDirectory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void readIconLocation(IShellLinkA* link, ShortcutInfo& info) {
  char text[MAX_PATH] = {};
  int index = kUnsetIconIndex;
  if (SUCCEEDED(link->GetIconLocation(text, MAX_PATH, &index))) {
    info.iconPath = terminated(text);
    info.iconIndex = index;
  } else {
    info.iconPath.Empty();
    info.iconIndex = 0;
  }
}

void readExecutable(ShortcutInfo& info) {
  info.executable.Empty();
  if (info.isDirectory) return;  // a folder's association would be the shell's browser
  char program[MAX_PATH] = {};
  const HINSTANCE found = FindExecutableA(info.targetPath, info.workingDirectory, program);
  if (reinterpret_cast<INT_PTR>(found) > 32) info.executable = terminated(program);
}

// Steps after the link object is loaded; false when a required field cannot be read.
bool readLink(IShellLinkA* link, ShortcutInfo& info) {
  // An unresolvable link counts as read, with nothing known of its target.
  if (FAILED(link->Resolve(nullptr, SLR_ANY_MATCH))) return true;

  char text[MAX_PATH] = {};
  WIN32_FIND_DATAA found{};
  if (FAILED(link->GetPath(text, MAX_PATH, &found, SLGP_SHORTPATH))) return false;
  readTarget(text, found, info);
  readIconLocation(link, info);

  text[0] = '\0';
  if (FAILED(link->GetWorkingDirectory(text, MAX_PATH))) return false;
  info.workingDirectory = terminated(text);
  text[0] = '\0';
  if (FAILED(link->GetArguments(text, MAX_PATH))) return false;
  info.arguments = terminated(text);

  readExecutable(info);
  return true;
}

}  // namespace

bool resolveShortcut(const char* linkPath, ShortcutInfo& info) {
  // The apartment is joined and deliberately left standing: the thread stays single-threaded
  // until it ends (or its owner uninitialises COM), each call adds one count that the thread's
  // end reclaims, and repeated calls, such as the icons of a folder of shortcuts, do not build
  // and tear down an apartment and the shell's link class each time. On the module's host
  // thread OLE is already started, so the call only counts.
  if (FAILED(CoInitialize(nullptr))) return false;

  ComRef<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              link.receive()))) {
    return false;
  }
  // Declared after the link, so it is released first.
  ComRef<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.receive()))) return false;

  wchar_t widePath[MAX_PATH];
  // A path that does not convert into MAX_PATH wide characters cannot name a loadable file.
  if (ansiToWide(widePath, linkPath, MAX_PATH) == 0) return false;
  if (FAILED(file->Load(widePath, STGM_READ))) return false;
  return readLink(link.get(), info);
}
