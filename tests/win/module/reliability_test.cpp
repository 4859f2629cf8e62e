// Ten thousand script lives in one process: create, load a GameModule, call every method,
// destroy. Nothing may be left behind: interfaces, references, host memory, handles, GDI and
// USER objects.
#include <windows.h>

#include "module/script_fixture.h"

namespace zorvtest {
namespace {

using xtrahost::Values;

// The counts Windows reports, and the table slot a new handle of each kind gets: Wine reports
// no counts (0), but it hands out the lowest free slot, so a leak shows as a higher slot.
struct ProcessCounts {
  DWORD handles = 0;
  DWORD gdi = 0;
  DWORD user = 0;
  std::uintptr_t kernelSlot = 0;
  std::uintptr_t gdiSlot = 0;
  std::uintptr_t userSlot = 0;
};

std::uintptr_t slotOf(const void* handle) {
  return reinterpret_cast<std::uintptr_t>(handle) & 0xFFFF;
}

ProcessCounts processCounts() {
  ProcessCounts c;
  GetProcessHandleCount(GetCurrentProcess(), &c.handles);
  c.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  c.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  c.kernelSlot = slotOf(event);
  CloseHandle(event);
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  c.gdiSlot = slotOf(brush);
  DeleteObject(brush);
  HWND window =
      CreateWindowExA(0, "STATIC", "probe", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr, nullptr, nullptr);
  c.userSlot = slotOf(window);
  DestroyWindow(window);
  return c;
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
  const ProcessCounts before = processCounts();
  const std::size_t freesBefore = host.allocator.frees();

  constexpr int kLives = 10000;
  for (int i = 0; i < kLives && !HasFatalFailure(); ++i) oneLife();

  const ProcessCounts after = processCounts();
  EXPECT_EQ(module->canUnloadNow(), 0);
  EXPECT_TRUE(host.unbalancedReferences().empty())
      << ::testing::PrintToString(host.unbalancedReferences());
  EXPECT_EQ(host.allocator.liveBlocks(), 0u);
  EXPECT_EQ(host.allocator.frees() - freesBefore, 1u * kLives);  // the ScriptInterface of each life
  EXPECT_EQ(GetModuleHandleA("tgm_all.dll"), nullptr);
  EXPECT_EQ(after.handles, before.handles);
  EXPECT_EQ(after.gdi, before.gdi);
  EXPECT_EQ(after.user, before.user);
  EXPECT_EQ(after.kernelSlot, before.kernelSlot);
  EXPECT_EQ(after.gdiSlot, before.gdiSlot);
  EXPECT_EQ(after.userSlot, before.userSlot);
}

}  // namespace
}  // namespace zorvtest
