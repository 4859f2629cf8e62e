#include "fake_shell_link.h"

#include <shlobj.h>

#include <cstring>

namespace {

FakeLinkResults results;
std::vector<std::string> recordedCalls;
long referenceCount = 0;

void record(const std::string& call) { recordedCalls.push_back(call); }

void copyText(char* out, int size, const char* text) {
  std::strncpy(out, text, static_cast<size_t>(size) - 1);
  out[size - 1] = '\0';
}

class FakeLink final : public IShellLinkA, public IPersistFile {
 public:
  // IUnknown, shared by both interfaces.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IShellLinkA) {
      *out = static_cast<IShellLinkA*>(this);
    } else if (iid == IID_IPersistFile) {
      if (FAILED(results.queryPersistFile)) return results.queryPersistFile;
      *out = static_cast<IPersistFile*>(this);
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    ++referenceCount;
    return static_cast<ULONG>(++references_);
  }
  ULONG STDMETHODCALLTYPE Release() override {
    --referenceCount;
    const long left = --references_;
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IShellLinkA: the calls resolveShortcut makes.
  HRESULT STDMETHODCALLTYPE Resolve(HWND window, DWORD flags) override {
    record("Resolve(" + std::to_string(window != nullptr) + "," + std::to_string(flags) + ")");
    return results.resolve;
  }
  HRESULT STDMETHODCALLTYPE GetPath(LPSTR out, int size, WIN32_FIND_DATAA* found,
                                    DWORD flags) override {
    record("GetPath(" + std::to_string(size) + "," + std::to_string(flags) + ")");
    if (FAILED(results.getPath)) return results.getPath;
    copyText(out, size, kFakeTarget);
    copyText(found->cFileName, MAX_PATH, kFakeFileName);
    found->dwFileAttributes = FILE_ATTRIBUTE_ARCHIVE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetIconLocation(LPSTR out, int size, int* index) override {
    record("GetIconLocation(" + std::to_string(size) + ")");
    if (FAILED(results.getIconLocation)) return results.getIconLocation;
    copyText(out, size, kFakeIcon);
    if (results.writesIconIndex) *index = kFakeIconIndex;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetWorkingDirectory(LPSTR out, int size) override {
    record("GetWorkingDirectory(" + std::to_string(size) + ")");
    if (FAILED(results.getWorkingDirectory)) return results.getWorkingDirectory;
    copyText(out, size, kFakeDirectory);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetArguments(LPSTR out, int size) override {
    record("GetArguments(" + std::to_string(size) + ")");
    if (FAILED(results.getArguments)) return results.getArguments;
    copyText(out, size, kFakeArguments);
    return S_OK;
  }
  // IPersistFile::Load.
  HRESULT STDMETHODCALLTYPE Load(LPCOLESTR path, DWORD mode) override {
    char narrow[MAX_PATH] = {};
    WideCharToMultiByte(CP_ACP, 0, path, -1, narrow, MAX_PATH, nullptr, nullptr);
    record("Load(" + std::string(narrow) + "," + std::to_string(mode) + ")");
    return results.load;
  }

  // Everything else is never called.
  HRESULT STDMETHODCALLTYPE GetIDList(PIDLIST_ABSOLUTE*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetIDList(PCIDLIST_ABSOLUTE) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDescription(LPSTR, int) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetDescription(LPCSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetWorkingDirectory(LPCSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetArguments(LPCSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetHotkey(WORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetHotkey(WORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetShowCmd(int*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetShowCmd(int) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetIconLocation(LPCSTR, int) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetRelativePath(LPCSTR, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetPath(LPCSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetClassID(CLSID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE IsDirty() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Save(LPCOLESTR, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SaveCompleted(LPCOLESTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetCurFile(LPOLESTR*) override { return E_NOTIMPL; }

 private:
  long references_ = 0;
};

class FakeLinkFactory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid != IID_IUnknown && iid != IID_IClassFactory) {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    *out = this;
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // a static object
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    *out = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    FakeLink* link = new FakeLink;
    link->AddRef();
    const HRESULT status = link->QueryInterface(iid, out);
    link->Release();
    return status;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

FakeLinkFactory factory;

}  // namespace

FakeShellLinkClass::FakeShellLinkClass(const FakeLinkResults& wanted) {
  results = wanted;
  recordedCalls.clear();
  referenceCount = 0;
  CoRegisterClassObject(CLSID_ShellLink, &factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                        &cookie_);
}

FakeShellLinkClass::~FakeShellLinkClass() {
  if (cookie_ != 0) CoRevokeClassObject(cookie_);
}

std::vector<std::string> FakeShellLinkClass::calls() { return recordedCalls; }

long FakeShellLinkClass::liveReferences() { return referenceCount; }
