// A stand-in for the shell's link class, registered in this process for the calling apartment
// while an object of FakeShellLinkClass lives, so that CoCreateInstance of CLSID_ShellLink
// finds it first. It answers every call with the result the test sets, records the calls that
// resolveShortcut makes with their arguments, and counts the references it hands out.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct FakeLinkResults {
  HRESULT queryPersistFile = S_OK;
  HRESULT load = S_OK;
  HRESULT resolve = S_OK;
  HRESULT getPath = S_OK;
  HRESULT getIconLocation = S_OK;
  bool writesIconIndex = true;
  HRESULT getWorkingDirectory = S_OK;
  HRESULT getArguments = S_OK;
};

// What the stand-in link reports on success.
inline constexpr char kFakeTarget[] = "C:\\FAKE\\TARGET~1.ZZZ";
inline constexpr char kFakeFileName[] = "target file.zzz";
inline constexpr char kFakeIcon[] = "C:\\FAKE\\ICONS.DLL";
inline constexpr int kFakeIconIndex = 4;
inline constexpr char kFakeDirectory[] = "C:\\FAKE";
inline constexpr char kFakeArguments[] = "-fake";

class FakeShellLinkClass {
 public:
  explicit FakeShellLinkClass(const FakeLinkResults& results);
  ~FakeShellLinkClass();
  FakeShellLinkClass(const FakeShellLinkClass&) = delete;
  FakeShellLinkClass& operator=(const FakeShellLinkClass&) = delete;

  bool registered() const { return cookie_ != 0; }
  // "Load(C:\a.lnk,0)", "Resolve(0,2)", "GetPath(260,1)", ... in call order.
  static std::vector<std::string> calls();
  // References held on link objects: 0 once every interface is released.
  static long liveReferences();

 private:
  DWORD cookie_ = 0;
};
