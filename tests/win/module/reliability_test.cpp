// Long sessions and old platforms: ten thousand script lives in one loaded module, a thousand
// loads and unloads of the module in one process, and the script road on the 95 family. Nothing
// may be left behind: interfaces, references, host memory, handles, GDI and USER objects, heap.
#include <windows.h>

#include <cstring>
#include <iostream>
#include <string>

#include "module/script_fixture.h"
#include "process_resources.h"
#include "program_run.h"

namespace zorvtest {
namespace {

using xtrahost::Values;

// Create, load a GameModule, every method with a call-back, destroy.
void scriptLife(xtrahost::Host& host, xtrahost::LoadedModule& module) {
  host.engine.setHandler("echo", [](std::int32_t argc, HostValue* args, HostValue* result) {
    if (result != nullptr && argc > 0) *result = args[0];
    return 0;
  });
  xtrahost::ScriptSession session(module);
  ASSERT_EQ(session.createResult(), 0);
  const HostValue me = session.instanceValue();
  const HostValue echo = host.values.makeSymbol("echo");
  ASSERT_EQ(Values::integerOf(session.call(1, {host.values.makeString("tgm_all.dll")}).result), 1);
  ASSERT_EQ(host.values.stringOf(session.call(2, {}).result), "start:tgm_all:128");
  ASSERT_EQ(Values::integerOf(session.call(3, {host.values.makeString("abcd")}).result), 4);
  ASSERT_EQ(Values::integerOf(session.call(4, {}).result), 1);
  ASSERT_EQ(Values::integerOf(session.call(5, {me, echo, Values::makeInteger(9)}).result), 9);
  ASSERT_EQ(session.call(6, {me, echo, Values::makeInteger(9)}).code, 0);
  session.end();
}

// Runs cycle twice (first-use work of the test program), then `count` times, and gives what the
// process holds more afterwards.
template <class Cycle>
ProcessResources growthOver(int count, Cycle cycle) {
  for (int i = 0; i < 2; ++i) cycle();
  const ProcessResources before = processResources();
  for (int i = 0; i < count && !::testing::Test::HasFatalFailure(); ++i) cycle();
  return processResources() - before;
}

using ReliabilityTest = ModuleTest;

TEST_F(ReliabilityTest, TenThousandLivesLeaveNothingBehind) {
  constexpr int kLives = 10000;
  const ProcessResources grown = growthOver(kLives, [this] { scriptLife(host, *module); });
  std::cout << "after " << kLives << " lives: " << grown << "\n";

  EXPECT_TRUE(host.unbalancedReferences().empty())
      << ::testing::PrintToString(host.unbalancedReferences());
  EXPECT_EQ(host.allocator.liveBlocks(), 0u);
  EXPECT_EQ(GetModuleHandleA("tgm_all.dll"), nullptr);
  // The recording host keeps every call and value it saw: heap bytes are compared where each
  // cycle has a host of its own (LoadCycles).
  ProcessResources objects = grown;
  objects.heapBytes = 0;
  EXPECT_EQ(objects, ProcessResources{}) << grown;
}

// What a host does with an idle module: load, register, use, ask whether it may unload, unload.
void loadUseUnload() {
  xtrahost::Host host;
  {
    xtrahost::LoadedModule module(host, "ZORVgame.x32");
    ASSERT_EQ(module.registerModule(), 0);
    scriptLife(host, module);
    ASSERT_EQ(module.canUnloadNow(), 0);
  }
  ASSERT_EQ(GetModuleHandleA("ZORVgame.x32"), nullptr);
  ASSERT_EQ(FindWindowA("ZorvAfxFrame", nullptr), nullptr)
      << "the hidden frame outlived the module";
  ASSERT_TRUE(host.unbalancedReferences().empty());
}

// The same for a DLL that only uses what the compiler runtime brings (runtime_floor.cpp).
void loadRuntimeFloor() {
  HMODULE dll = LoadLibraryA("runtime_floor.dll");
  ASSERT_NE(dll, nullptr);
  auto exercise =
      reinterpret_cast<int (*)()>(reinterpret_cast<void*>(GetProcAddress(dll, "exercise")));
  ASSERT_NE(exercise, nullptr);
  EXPECT_EQ(exercise(), 40);
  FreeLibrary(dll);
  ASSERT_EQ(GetModuleHandleA("runtime_floor.dll"), nullptr);
}

TEST(LoadCycles, AThousandLoadsLeaveNoMoreThanTheCompilerRuntime) {
  constexpr int kCycles = 1000;
  const ProcessResources floor = growthOver(kCycles, loadRuntimeFloor);
  const ProcessResources module = growthOver(kCycles, loadUseUnload);
  std::cout << kCycles << " cycles: runtime floor " << floor << "; module " << module << "\n";
  EXPECT_LE(module.kernelObjects, floor.kernelObjects);
  EXPECT_LE(module.registryKeys, floor.registryKeys);
  EXPECT_LE(module.gdiObjects, floor.gdiObjects);
  EXPECT_LE(module.userObjects, floor.userObjects);
  EXPECT_LE(module.heapBytes, floor.heapBytes + 64 * 1024);
}

// Points the module's import of dll!name at replacement.
bool patchImport(HMODULE module, const char* dll, const char* name, void* replacement) {
  auto* base = reinterpret_cast<BYTE*>(module);
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const DWORD imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
  for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports); d->Name; ++d) {
    if (lstrcmpiA(reinterpret_cast<char*>(base + d->Name), dll) != 0) continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(byName->Name), name) != 0) continue;
      DWORD protection;
      VirtualProtect(&slots->u1.Function, sizeof(void*), PAGE_READWRITE, &protection);
      slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
      VirtualProtect(&slots->u1.Function, sizeof(void*), protection, &protection);
      return true;
    }
  }
  return false;
}

int g_slotReads = 0;
LPVOID WINAPI countedTlsGetValue(DWORD index) {
  ++g_slotReads;
  return TlsGetValue(index);
}

// The framework reads its per-thread state from the NT thread block, which the 95 family lays
// out otherwise: there every read goes through TlsGetValue. Run as it is, this test checks the
// NT road; the next one runs it again as a program that Wine tells it is on Windows 98.
TEST_F(ReliabilityTest, ThreadStateReadsFollowTheWindowsFamily) {
  ASSERT_TRUE(patchImport(GetModuleHandleA("ZORVgame.x32"), "kernel32.dll", "TlsGetValue",
                          reinterpret_cast<void*>(&countedTlsGetValue)));
  g_slotReads = 0;
  scriptLife(host, *module);
  const bool family95 = (GetVersion() & 0x80000000u) != 0;
  std::cout << (family95 ? "95 family" : "NT family") << ": " << g_slotReads
            << " TlsGetValue calls\n";
  if (family95) {
    EXPECT_GE(g_slotReads, 6) << "an entry read the NT thread block";
  } else {
    EXPECT_EQ(g_slotReads, 0);
  }
}

TEST(Windows95Family, TheScriptRoadReadsTheThreadStateWithTlsGetValue) {
  char self[MAX_PATH];
  ASSERT_GT(GetModuleFileNameA(nullptr, self, MAX_PATH), 0u);
  const std::string copy =
      std::string(self).substr(0, std::strrchr(self, '\\') - self) + "\\zorv_win98_road.exe";
  ASSERT_TRUE(CopyFileA(self, copy.c_str(), FALSE));
  const char* appKey = "Software\\Wine\\AppDefaults\\zorv_win98_road.exe";
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, appKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("win98"), 6);
  RegCloseKey(key);
  const ProgramRun run =
      runProgram("zorv_win98_road.exe",
                 "--gtest_filter=ReliabilityTest.ThreadStateReadsFollowTheWindowsFamily");
  RegDeleteTreeA(HKEY_CURRENT_USER, appKey);
  DeleteFileA(copy.c_str());
  EXPECT_EQ(run.exitCode, 0u) << run.output;
  EXPECT_NE(run.output.find("95 family"), std::string::npos) << run.output;
}

}  // namespace
}  // namespace zorvtest
