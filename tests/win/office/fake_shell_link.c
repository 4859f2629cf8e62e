#include "fake_shell_link.h"

#include <shlobj.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>

// The COM methods keep their fixed signatures, whether they use every parameter or not.
#pragma GCC diagnostic ignored "-Wunused-parameter"

char fakeLinkCalls[512];
LONG fakeLinkReferences;
static FakeLinkResults results;

static void record(const char* format, ...) {
  const size_t used = strlen(fakeLinkCalls);
  va_list args;
  va_start(args, format);
  vsnprintf(fakeLinkCalls + used, sizeof fakeLinkCalls - used, format, args);
  va_end(args);
}

// One object serves every creation: resolveShortcut holds at most one at a time. Its references
// are counted across both interfaces.
static struct {
  IShellLinkA link;
  IPersistFile file;
} fake;

static HRESULT STDMETHODCALLTYPE linkQuery(IShellLinkA* self, REFIID iid, void** out) {
  *out = NULL;
  if (IsEqualIID(iid, &IID_IUnknown) || IsEqualIID(iid, &IID_IShellLinkA)) *out = &fake.link;
  if (IsEqualIID(iid, &IID_IPersistFile) && SUCCEEDED(results.queryPersistFile)) *out = &fake.file;
  if (*out == NULL) return E_NOINTERFACE;
  ++fakeLinkReferences;
  return S_OK;
}

// A text answer, copied when the call succeeds.
static HRESULT answer(HRESULT result, LPSTR out, int size, const char* text) {
  if (SUCCEEDED(result)) lstrcpynA(out, text, size);
  return result;
}

static ULONG STDMETHODCALLTYPE linkAddRef(IShellLinkA* self) { return (ULONG)++fakeLinkReferences; }
static ULONG STDMETHODCALLTYPE linkRelease(IShellLinkA* self) {
  return (ULONG)--fakeLinkReferences;
}
static HRESULT STDMETHODCALLTYPE resolve(IShellLinkA* self, HWND window, DWORD flags) {
  record("Resolve(%d,%lu) ", window != NULL, (unsigned long)flags);
  return results.resolve;
}
static HRESULT STDMETHODCALLTYPE getPath(IShellLinkA* self, LPSTR out, int size,
                                         WIN32_FIND_DATAA* found, DWORD flags) {
  record("GetPath(%d,%lu) ", size, (unsigned long)flags);
  lstrcpynA(found->cFileName, FAKE_FILE_NAME, MAX_PATH);
  found->dwFileAttributes = FILE_ATTRIBUTE_ARCHIVE;
  return answer(results.getPath, out, size, FAKE_TARGET);
}
static HRESULT STDMETHODCALLTYPE getIconLocation(IShellLinkA* self, LPSTR out, int size,
                                                 int* index) {
  record("GetIconLocation(%d) ", size);
  if (!results.leavesIconIndex) *index = FAKE_ICON_INDEX;
  return answer(results.getIconLocation, out, size, FAKE_ICON);
}
static HRESULT STDMETHODCALLTYPE getWorkingDirectory(IShellLinkA* self, LPSTR out, int size) {
  record("GetWorkingDirectory(%d) ", size);
  return answer(results.getWorkingDirectory, out, size, FAKE_DIRECTORY);
}
static HRESULT STDMETHODCALLTYPE getArguments(IShellLinkA* self, LPSTR out, int size) {
  record("GetArguments(%d) ", size);
  return answer(results.getArguments, out, size, FAKE_ARGUMENTS);
}

static HRESULT STDMETHODCALLTYPE fileQuery(IPersistFile* self, REFIID iid, void** out) {
  return linkQuery((IShellLinkA*)self, iid, out);
}
static ULONG STDMETHODCALLTYPE fileAddRef(IPersistFile* self) {
  return linkAddRef((IShellLinkA*)self);
}
static ULONG STDMETHODCALLTYPE fileRelease(IPersistFile* self) {
  return linkRelease((IShellLinkA*)self);
}
static HRESULT STDMETHODCALLTYPE load(IPersistFile* self, LPCOLESTR path, DWORD mode) {
  record("Load(%ls,%lu) ", path, (unsigned long)mode);
  return results.load;
}

static HRESULT STDMETHODCALLTYPE factoryQuery(IClassFactory* self, REFIID iid, void** out) {
  *out = self;
  return S_OK;
}
static ULONG STDMETHODCALLTYPE factoryCount(IClassFactory* self) {
  return 1;  // a static object
}
static HRESULT STDMETHODCALLTYPE createInstance(IClassFactory* self, IUnknown* outer, REFIID iid,
                                                void** out) {
  return linkQuery(&fake.link, iid, out);
}
static HRESULT STDMETHODCALLTYPE lockServer(IClassFactory* self, BOOL lock) { return S_OK; }

// Calls resolveShortcut never makes stay null.
static IShellLinkAVtbl linkCalls = {.QueryInterface = linkQuery,
                                    .AddRef = linkAddRef,
                                    .Release = linkRelease,
                                    .GetPath = getPath,
                                    .GetWorkingDirectory = getWorkingDirectory,
                                    .GetArguments = getArguments,
                                    .GetIconLocation = getIconLocation,
                                    .Resolve = resolve};
static IPersistFileVtbl fileCalls = {
    .QueryInterface = fileQuery, .AddRef = fileAddRef, .Release = fileRelease, .Load = load};
static IClassFactoryVtbl factoryCalls = {factoryQuery, factoryCount, factoryCount, createInstance,
                                         lockServer};
static IClassFactory factory = {&factoryCalls};

DWORD fakeLinkRegister(FakeLinkResults wanted) {
  results = wanted;
  fakeLinkCalls[0] = '\0';
  fakeLinkReferences = 0;
  fake.link.lpVtbl = &linkCalls;
  fake.file.lpVtbl = &fileCalls;
  DWORD cookie = 0;
  CoRegisterClassObject(&CLSID_ShellLink, (IUnknown*)&factory, CLSCTX_INPROC_SERVER,
                        REGCLS_MULTIPLEUSE, &cookie);
  return cookie;
}

void fakeLinkRevoke(DWORD cookie) { CoRevokeClassObject(cookie); }
