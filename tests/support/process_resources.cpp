#include "process_resources.h"

#include <windows.h>
#include <winternl.h>

#include <cwchar>
#include <memory>

namespace {

template <typename Function>
Function exported(const char* module, const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA(module), name)));
}

// The system's handle list (SystemExtendedHandleInformation, 64): the same layout on Windows and
// in Wine, 40 bytes an entry on x86_64 and 28 on i686.
struct HandleEntry {
  void* object;
  ULONG_PTR processId, handle;
  ULONG access;
  USHORT backTraceIndex, typeIndex;
  ULONG attributes, reserved;
};
struct HandleList {
  ULONG_PTR count, reserved;
  HandleEntry entries[1];
};

// Whether one of our handles is a registry key, by its type's name, remembered per type index.
bool isKey(ULONG_PTR handle, USHORT typeIndex) {
  using QueryObject = NTSTATUS(NTAPI*)(HANDLE, ULONG, void*, ULONG, ULONG*);
  static const auto query = exported<QueryObject>("ntdll.dll", "NtQueryObject");
  static signed char known[256];  // 1 key, -1 another type, 0 not asked yet
  if (typeIndex < 256 && known[typeIndex] != 0) return known[typeIndex] > 0;
  alignas(8) BYTE info[1024];  // ObjectTypeInformation (2) starts with the type's name
  if (!query || query(reinterpret_cast<HANDLE>(handle), 2, info, sizeof info, nullptr) != 0) {
    return false;
  }
  const auto* name = reinterpret_cast<const UNICODE_STRING*>(info);
  const bool key = name->Length == 6 && std::wcsncmp(name->Buffer, L"Key", 3) == 0;
  if (typeIndex < 256) known[typeIndex] = key ? 1 : -1;
  return key;
}

// Kernel objects and keys from the system handle list, read into pages of its own so that the
// heaps stay as they are; where the list is refused, the handle count.
void countHandles(ProcessResources& r) {
  using QuerySystem = NTSTATUS(NTAPI*)(ULONG, void*, ULONG, ULONG*);
  static const auto query = exported<QuerySystem>("ntdll.dll", "NtQuerySystemInformation");
  constexpr auto kLengthMismatch = static_cast<NTSTATUS>(0xC0000004);
  static void* list = nullptr;  // kept for the process's life, grown when too small
  static ULONG size = 128 * 1024;
  NTSTATUS status = kLengthMismatch;
  while (query && status == kLengthMismatch && size < (1u << 30)) {
    if (!list && !(list = VirtualAlloc(nullptr, size, MEM_COMMIT, PAGE_READWRITE))) break;
    if ((status = query(64, list, size, nullptr)) == kLengthMismatch) {
      VirtualFree(list, 0, MEM_RELEASE);
      list = nullptr;
      size *= 2;
    }
  }
  if (status != 0) {
    DWORD count = 0;
    GetProcessHandleCount(GetCurrentProcess(), &count);
    r.kernelObjects = static_cast<long>(count);
    return;
  }
  const auto* handles = static_cast<const HandleList*>(list);
  for (ULONG_PTR i = 0; i < handles->count; ++i) {
    const HandleEntry& e = handles->entries[i];
    if (e.processId == GetCurrentProcessId()) {
      ++(isKey(e.handle, e.typeIndex) ? r.registryKeys : r.kernelObjects);
    }
  }
}

// Wine's GDI handle table, found through the process environment block: 65536 slots of 24 bytes
// on both architectures (its pointers are 64-bit fields). A slot is used when its type byte is
// set; the top bit of its first unique byte marks a stock object.
struct GdiSlot {
  UINT64 object;
  ULONG owner;
  BYTE extendedType, generation, type, flags;
  UINT64 userPointer;
};
static_assert(sizeof(GdiSlot) == 24, "Wine's GDI_HANDLE_ENTRY");

long wineGdiObjects() {
  using QueryProcess = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
  static const auto query = exported<QueryProcess>("ntdll.dll", "NtQueryInformationProcess");
  PROCESS_BASIC_INFORMATION basic{};
  if (!query ||
      query(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic, nullptr)) {
    return 0;
  }
  const auto* peb = reinterpret_cast<const BYTE*>(basic.PebBaseAddress);
  const auto* table =
      *reinterpret_cast<const GdiSlot* const*>(peb + (sizeof(void*) == 8 ? 0xF8 : 0x94));
  MEMORY_BASIC_INFORMATION region{};
  if (!table || !VirtualQuery(table, &region, sizeof region) || region.State != MEM_COMMIT ||
      region.RegionSize < 0x10000 * sizeof(GdiSlot)) {
    return 0;  // not the table described above: the calibration fails then
  }
  long used = 0;
  for (int i = 0; i < 0x10000; ++i) used += table[i].type && !(table[i].extendedType & 0x80);
  return used;
}

BOOL CALLBACK countOne(HWND, LPARAM count) {
  return static_cast<BOOL>(++*reinterpret_cast<long*>(count));
}

BOOL CALLBACK countOwnTree(HWND window, LPARAM count) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId()) {
    countOne(window, count);
    EnumChildWindows(window, countOne, count);
  }
  return TRUE;
}

// Windows by enumeration (top-level, hidden and message-only ones with their children): asking
// about every free handle index would cost a wineserver round trip each. Menus, icons and cursors
// by USER handle index 0x20, 0x22, ... 0xffee (no generation bits: any generation): only the
// process's own objects answer, and without a round trip.
long wineUserObjects() {
  using FrameInfo = HCURSOR(WINAPI*)(HCURSOR, DWORD, DWORD, DWORD*, DWORD*);
  static const auto frameInfo = exported<FrameInfo>("user32.dll", "GetCursorFrameInfo");
  long count = 0;
  EnumWindows(countOwnTree, reinterpret_cast<LPARAM>(&count));
  for (HWND w = nullptr; (w = FindWindowExA(HWND_MESSAGE, w, nullptr, nullptr)) != nullptr;) {
    countOwnTree(w, reinterpret_cast<LPARAM>(&count));
  }
  for (UINT_PTR h = 0x20; h <= 0xffee; h += 2) {
    DWORD rate = 0, steps = 0;
    count += IsMenu(reinterpret_cast<HMENU>(h)) ||
             (frameInfo && frameInfo(reinterpret_cast<HCURSOR>(h), 0, 0, &rate, &steps));
  }
  return count;
}

// Busy bytes of every heap (the C runtime's heap is one of them, apart from the process heap).
long long heapBytes() {
  HANDLE heaps[256];
  const DWORD count = GetProcessHeaps(256, heaps);
  long long bytes = 0;
  for (DWORD i = 0; i < count && i < 256; ++i) {
    const std::unique_ptr<void, BOOL(WINAPI*)(HANDLE)> lock(HeapLock(heaps[i]) ? heaps[i] : nullptr,
                                                            HeapUnlock);
    PROCESS_HEAP_ENTRY entry{};
    while (lock && HeapWalk(heaps[i], &entry)) {
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) bytes += entry.cbData;
    }
  }
  return bytes;
}

ProcessResources countNow() {
  static const bool wine = exported<void (*)()>("ntdll.dll", "wine_get_version") != nullptr;
  ProcessResources r;
  countHandles(r);
  r.gdiObjects = wine ? wineGdiObjects() : GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  r.userObjects = wine ? wineUserObjects() : GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  r.heapBytes = heapBytes();
  return r;
}

}  // namespace

// The first count sets up what counting needs (the thread's message queue, the window and
// graphics libraries' own state) and is left out.
ProcessResources processResources() {
  static const ProcessResources first = countNow();
  (void)first;
  return countNow();
}

ProcessResources operator-(const ProcessResources& a, const ProcessResources& b) {
  return {a.kernelObjects - b.kernelObjects, a.registryKeys - b.registryKeys,
          a.gdiObjects - b.gdiObjects, a.userObjects - b.userObjects, a.heapBytes - b.heapBytes};
}

bool operator==(const ProcessResources& a, const ProcessResources& b) {
  return a.kernelObjects == b.kernelObjects && a.registryKeys == b.registryKeys &&
         a.gdiObjects == b.gdiObjects && a.userObjects == b.userObjects &&
         a.heapBytes == b.heapBytes;
}

std::ostream& operator<<(std::ostream& out, const ProcessResources& r) {
  return out << "{kernel objects " << r.kernelObjects << ", registry keys " << r.registryKeys
             << ", GDI objects " << r.gdiObjects << ", USER objects " << r.userObjects
             << ", heap bytes " << r.heapBytes << "}";
}
