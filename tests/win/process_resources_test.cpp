// The counters of what a process holds move by exactly what one known object adds, also for a
// leak of a hundred, and come back when the objects are released.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "process_resources.h"

namespace {

struct Kind {
  const char* name;
  void* (*make)();
  void (*release)(void*);
  ProcessResources adds;  // heap bytes are compared only where this names some
};

constexpr SIZE_T kBlock = 1000, kLargeBlock = 600000;  // the large one is a mapping of its own

void* event() { return CreateEventA(nullptr, TRUE, FALSE, nullptr); }
void* key() {
  HKEY opened = nullptr;
  RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_READ, &opened);
  return opened;
}
void* brush() { return CreateSolidBrush(RGB(1, 2, 3)); }
void* window(HWND parent) { return CreateWindowA("STATIC", "", 0, 0, 0, 8, 8, parent, 0, 0, 0); }
void* topLevelWindow() { return window(nullptr); }
void* messageOnlyWindow() { return window(HWND_MESSAGE); }
void* menu() { return CreateMenu(); }
void* icon() {  // monochrome: Wine keeps its mask as a bitmap of the process (colour: two)
  static const BYTE mask[32] = {}, colour[32] = {};
  return CreateIcon(nullptr, 16, 16, 1, 1, mask, colour);
}
void* processHeapBlock() { return HeapAlloc(GetProcessHeap(), 0, kBlock); }
void* runtimeBlock() { return std::malloc(kBlock); }
void* largeRuntimeBlock() { return std::malloc(kLargeBlock); }

void closeHandle(void* h) { CloseHandle(h); }
void closeKey(void* k) { RegCloseKey(static_cast<HKEY>(k)); }
void deleteObject(void* o) { DeleteObject(o); }
void destroyWindow(void* w) { DestroyWindow(static_cast<HWND>(w)); }
void destroyMenu(void* m) { DestroyMenu(static_cast<HMENU>(m)); }
void destroyIcon(void* i) { DestroyIcon(static_cast<HICON>(i)); }
void processHeapFree(void* p) { HeapFree(GetProcessHeap(), 0, p); }

const Kind kKinds[] = {
    {"Event", event, closeHandle, {1, 0, 0, 0, 0}},
    {"RegistryKey", key, closeKey, {0, 1, 0, 0, 0}},
    {"Brush", brush, deleteObject, {0, 0, 1, 0, 0}},
    {"Window", topLevelWindow, destroyWindow, {0, 0, 0, 1, 0}},
    {"MessageOnlyWindow", messageOnlyWindow, destroyWindow, {0, 0, 0, 1, 0}},
    {"Menu", menu, destroyMenu, {0, 0, 0, 1, 0}},
    {"Icon", icon, destroyIcon, {0, 0, 1, 1, 0}},
    {"ProcessHeapBlock", processHeapBlock, processHeapFree, {0, 0, 0, 0, kBlock}},
    {"RuntimeHeapBlock", runtimeBlock, std::free, {0, 0, 0, 0, kBlock}},
    {"LargeRuntimeBlock", largeRuntimeBlock, std::free, {0, 0, 0, 0, kLargeBlock}},
};

void PrintTo(const Kind& kind, std::ostream* out) { *out << kind.name; }

void* g_objects[100];  // outside the test, so that no allocation can be optimised away

ProcessResources times(ProcessResources r, long n) {
  return {r.kernelObjects * n, r.registryKeys * n, r.gdiObjects * n, r.userObjects * n,
          r.heapBytes * n};
}

class ProcessResourcesTest : public ::testing::TestWithParam<Kind> {};

TEST_P(ProcessResourcesTest, EachObjectAddsItsShareAndReleasingTakesItBack) {
  const Kind& kind = GetParam();
  void* first = kind.make();  // kept: it sets up what all of its kind share (the IME window)
  for (long count : {1, 100}) {
    const ProcessResources before = processResources();
    for (long i = 0; i < count; ++i) ASSERT_NE(g_objects[i] = kind.make(), nullptr);
    ProcessResources added = processResources() - before;
    for (long i = 0; i < count; ++i) kind.release(g_objects[i]);
    ProcessResources left = processResources() - before;
    if (kind.adds.heapBytes == 0) added.heapBytes = left.heapBytes = 0;
    EXPECT_EQ(added, times(kind.adds, count)) << count << " made";
    EXPECT_EQ(left, ProcessResources{}) << count << " released";
  }
  kind.release(first);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ProcessResourcesTest, ::testing::ValuesIn(kKinds),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
