#include "allocation_meter.h"

#include <link.h>
#include <malloc.h>

#include <cstdint>
#include <cstring>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void __libc_free(void* block);
}

namespace {

bool metering = false;
std::uintptr_t jpegFirst = 0;
std::uintptr_t jpegEnd = 0;
std::size_t live[2];
std::size_t peak[2];

// 0 for libjpeg-turbo's code, 1 for anyone else's.
int ownerOf(void* caller) {
  const auto address = reinterpret_cast<std::uintptr_t>(caller);
  return address >= jpegFirst && address < jpegEnd ? 0 : 1;
}

void count(int owner, std::ptrdiff_t bytes) {
  live[owner] += static_cast<std::size_t>(bytes);
  if (live[owner] > peak[owner]) peak[owner] = live[owner];
}

int findLibjpeg(dl_phdr_info* info, std::size_t, void*) {
  if (std::strstr(info->dlpi_name, "libjpeg") == nullptr) return 0;
  std::uintptr_t first = UINTPTR_MAX, end = 0;
  for (int i = 0; i < info->dlpi_phnum; ++i) {
    const ElfW(Phdr)& segment = info->dlpi_phdr[i];
    if (segment.p_type != PT_LOAD) continue;
    const std::uintptr_t start = info->dlpi_addr + segment.p_vaddr;
    if (start < first) first = start;
    if (start + segment.p_memsz > end) end = start + segment.p_memsz;
  }
  jpegFirst = first;
  jpegEnd = end;
  return 1;
}

}  // namespace

extern "C" {

void* malloc(std::size_t size) {
  void* block = __libc_malloc(size);
  if (metering && block != nullptr) {
    count(ownerOf(__builtin_return_address(0)),
          static_cast<std::ptrdiff_t>(malloc_usable_size(block)));
  }
  return block;
}

void* calloc(std::size_t n, std::size_t size) {
  void* block = __libc_calloc(n, size);
  if (metering && block != nullptr) {
    count(ownerOf(__builtin_return_address(0)),
          static_cast<std::ptrdiff_t>(malloc_usable_size(block)));
  }
  return block;
}

void* realloc(void* old, std::size_t size) {
  const int owner = ownerOf(__builtin_return_address(0));
  const std::size_t before = old != nullptr ? malloc_usable_size(old) : 0;
  void* block = __libc_realloc(old, size);
  if (metering && block != nullptr) {
    count(owner, -static_cast<std::ptrdiff_t>(before));
    count(owner, static_cast<std::ptrdiff_t>(malloc_usable_size(block)));
  }
  return block;
}

// A block freed by the code that allocated it: libjpeg-turbo frees its own.
void free(void* block) {
  if (metering && block != nullptr) {
    count(ownerOf(__builtin_return_address(0)),
          -static_cast<std::ptrdiff_t>(malloc_usable_size(block)));
  }
  __libc_free(block);
}

}  // extern "C"

void startAllocationMeter() {
  dl_iterate_phdr(findLibjpeg, nullptr);
  live[0] = live[1] = peak[0] = peak[1] = 0;
  metering = true;
}

AllocationPeaks stopAllocationMeter() {
  metering = false;
  return AllocationPeaks{peak[0], peak[1]};
}
