// The C runtime's new-handler, as installed by _set_new_handler, looked up without changing it.
#pragma once

#include <cstddef>

#if defined(_WIN32) && defined(__i386__)
#define CRT_CALL __cdecl
#else
#define CRT_CALL
#endif

namespace xtra {

using NewHandler = int(CRT_CALL*)(std::size_t size);

// How often an allocation is retried through the new-handler before it counts as failed.
constexpr int kNewHandlerRetries = 8;

// The handler installed in the process's C runtime, or null.
NewHandler installedNewHandler();

}  // namespace xtra
