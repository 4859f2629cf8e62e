#include "host/new_handler.h"

#include "common/win_types.h"

namespace xtra {

#ifdef _WIN32
NewHandler installedNewHandler() {
  // The handler lives in the shared C runtime, so one installed by the host is seen here.
#if defined(__i386__)
  static const char kQuery[] = "?_query_new_handler@@YAP6AHI@ZXZ";
#else
  static const char kQuery[] = "?_query_new_handler@@YAP6AH_K@ZXZ";
#endif
  HMODULE crt = GetModuleHandleA("msvcrt.dll");
  if (crt == nullptr) return nullptr;
  auto query = reinterpret_cast<NewHandler(CRT_CALL*)()>(
      reinterpret_cast<void*>(GetProcAddress(crt, kQuery)));
  return query != nullptr ? query() : nullptr;
}
#else
NewHandler installedNewHandler() { return nullptr; }
#endif

}  // namespace xtra
