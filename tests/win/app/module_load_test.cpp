// The shipped module loaded into threads of each COM model: it loads, brings up its hidden
// frame on the loading thread, and takes frame and OLE down again when freed.
#include <gtest/gtest.h>
#include <windows.h>

#include "com_thread.h"

namespace {

constexpr char kModule[] = "ZORVgame.x32";

void expectInertHiddenFrame(HWND frame) {
  EXPECT_EQ(::GetCurrentThreadId(), ::GetWindowThreadProcessId(frame, nullptr));
  EXPECT_FALSE(::IsWindowVisible(frame));
  // Asked for 0 by 0 at the origin, a captioned window gets the smallest size the system
  // allows; minimised, it shows as an icon.
  EXPECT_TRUE(::IsIconic(frame));
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof(placement);
  ASSERT_TRUE(::GetWindowPlacement(frame, &placement));
  const RECT smallest = {0, 0, ::GetSystemMetrics(SM_CXMINTRACK),
                         ::GetSystemMetrics(SM_CYMINTRACK)};
  EXPECT_TRUE(::EqualRect(&smallest, &placement.rcNormalPosition));

  const LONG_PTR style = ::GetWindowLongPtrA(frame, GWL_STYLE);
  EXPECT_EQ(WS_MINIMIZE | WS_DISABLED, style & (WS_MINIMIZE | WS_DISABLED));
  EXPECT_EQ(0, style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_EQ(WS_EX_TOPMOST, ::GetWindowLongPtrA(frame, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE);

  HMENU menu = ::GetMenu(frame);
  char text[16] = {};
  ::GetMenuStringA(menu, 0, text, sizeof(text), MF_BYPOSITION);
  EXPECT_EQ(1, ::GetMenuItemCount(menu));
  EXPECT_EQ(0xFFFFu, ::GetMenuItemID(menu, 0));
  EXPECT_STREQ("test", text);
}

class ModuleLoad : public ::testing::TestWithParam<ComSetup> {};

TEST_P(ModuleLoad, HiddenFrameAndOleLiveFromLoadToFree) {
  const ComSetup setup = GetParam();
  runOnComThread(setup, [setup] {
    HMODULE module = ::LoadLibraryA(kModule);
    ASSERT_NE(nullptr, module) << ::GetLastError();
    HWND frame = ::FindWindowA(nullptr, "*zorvmainhidden*");
    EXPECT_NE(nullptr, frame);
    if (frame != nullptr) expectInertHiddenFrame(frame);
    ASSERT_TRUE(::FreeLibrary(module));
    EXPECT_FALSE(::IsWindow(frame));
    expectOleAsSetUp(setup);
  });
}

INSTANTIATE_TEST_SUITE_P(ComModels, ModuleLoad,
                         ::testing::Values(ComSetup::kNone, ComSetup::kApartment,
                                           ComSetup::kMultithreaded));

}  // namespace
