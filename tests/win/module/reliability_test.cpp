// Ten thousand script lives in one process: create, load a GameModule, call every method,
// destroy. Nothing may be left behind: interfaces, references, host memory, handles, GDI and
// USER objects.
#include <windows.h>

#include "module/script_fixture.h"

namespace zorvtest {
namespace {

using xtrahost::Values;

// The table slots that a new kernel, GDI and USER handle get. Wine reports no handle or GUI
// object counts (always 0), but it hands out the lowest free slot, so a leak shows as a higher
// slot.
std::vector<std::uintptr_t> freeSlots() {
  HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  HWND window =
      CreateWindowExA(0, "STATIC", "probe", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr, nullptr, nullptr);
  std::vector<std::uintptr_t> slots;
  for (const void* handle :
       {static_cast<void*>(event), static_cast<void*>(brush), static_cast<void*>(window)}) {
    slots.push_back(reinterpret_cast<std::uintptr_t>(handle) & 0xFFFF);
  }
  CloseHandle(event);
  DeleteObject(brush);
  DestroyWindow(window);
  return slots;
}

class ReliabilityTest : public ModuleTest {
 protected:
  void oneLife() {
    xtrahost::ScriptSession session(*module);
    ASSERT_EQ(session.createResult(), 0);
    const HostValue me = session.instanceValue();
    ASSERT_EQ(Values::integerOf(session.call(1, {host.values.makeString("tgm_all.dll")}).result),
              1);
    ASSERT_EQ(host.values.stringOf(session.call(2, {}).result), "start:tgm_all:128");
    ASSERT_EQ(Values::integerOf(session.call(3, {host.values.makeString("abcd")}).result), 4);
    ASSERT_EQ(Values::integerOf(session.call(4, {}).result), 1);
    ASSERT_EQ(Values::integerOf(session.call(5, {me, echo, Values::makeInteger(9)}).result), 9);
    ASSERT_EQ(session.call(6, {me, echo, Values::makeInteger(9)}).code, 0);
    session.end();
  }

  HostValue echo{};
};

TEST_F(ReliabilityTest, TenThousandLivesLeaveNothingBehind) {
  host.engine.setHandler("echo", [](std::int32_t argc, HostValue* args, HostValue* result) {
    if (result != nullptr && argc > 0) *result = args[0];
    return 0;
  });
  echo = host.values.makeSymbol("echo");
  // The first destroy takes the hidden frame down: count from after it.
  oneLife();
  const std::vector<std::uintptr_t> before = freeSlots();
  const std::size_t freesBefore = host.allocator.frees();

  constexpr int kLives = 10000;
  for (int i = 0; i < kLives && !HasFatalFailure(); ++i) oneLife();

  const std::vector<std::uintptr_t> after = freeSlots();
  EXPECT_EQ(module->canUnloadNow(), 0);
  EXPECT_TRUE(host.unbalancedReferences().empty())
      << ::testing::PrintToString(host.unbalancedReferences());
  EXPECT_EQ(host.allocator.liveBlocks(), 0u);
  EXPECT_EQ(host.allocator.frees() - freesBefore, 1u * kLives);  // the ScriptInterface of each life
  EXPECT_EQ(GetModuleHandleA("tgm_all.dll"), nullptr);
  EXPECT_EQ(after, before);  // kernel, GDI and USER
}

}  // namespace
}  // namespace zorvtest
