// The Windows platform family and paths as shell item identifier lists.
#include <shlobj.h>

#include <memory>
#include <new>

#include "desktoplib/desktoplib.h"

namespace {

// Releases a COM interface when the owner goes.
struct ComRelease {
  void operator()(IUnknown* object) const { object->Release(); }
};

}  // namespace

bool isWin9x() { return (GetVersion() & 0x80000000u) != 0; }

bool parseShellPath(const char* path, ITEMIDLIST** list) {
  if (list == nullptr) return false;
  *list = nullptr;
  if (path == nullptr) return false;

  constexpr DWORD kFlags = MB_PRECOMPOSED | MB_USEGLYPHCHARS;
  const int length = MultiByteToWideChar(CP_ACP, kFlags, path, -1, nullptr, 0);
  if (length <= 0) return false;
  std::unique_ptr<wchar_t[]> widePath(new (std::nothrow) wchar_t[length]);
  if (!widePath || MultiByteToWideChar(CP_ACP, kFlags, path, -1, widePath.get(), length) <= 0) {
    return false;
  }

  IShellFolder* rawDesktop = nullptr;
  if (FAILED(SHGetDesktopFolder(&rawDesktop)) || rawDesktop == nullptr) return false;
  std::unique_ptr<IShellFolder, ComRelease> desktop(rawDesktop);
  const HRESULT parsed =
      desktop->ParseDisplayName(nullptr, nullptr, widePath.get(), nullptr, list, nullptr);
  if (FAILED(parsed)) {
    // A failing parse may still have produced a list; it is freed, so the caller gets null.
    CoTaskMemFree(*list);
    *list = nullptr;
    return false;
  }
  return true;
}
