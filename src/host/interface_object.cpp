#include "host/interface_object.h"

#include "host/new_handler.h"

namespace xtra {

std::int32_t liveInterfaceCount = 0;

// A new-handler that returns without freeing memory would make the retry loop forever; the
// retry therefore stops after kNewHandlerRetries calls of the handler, whatever it returns.
void* allocateInterfaceMemory(HostAllocator* allocator, std::uint32_t size) {
  void* memory = allocator->Allocate(size);
  for (int attempt = 0; memory == nullptr && attempt < kNewHandlerRetries; ++attempt) {
    NewHandler handler = installedNewHandler();
    if (handler == nullptr) break;
    handler(size);
    memory = allocator->Allocate(size);
  }
  return memory;
}

}  // namespace xtra
