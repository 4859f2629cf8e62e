// The application object linked into this program with the module's resources, started and ended
// as the library's DllMain does it in threads of each COM model, with the log replaced by a
// recorder. (The module tests load the module itself and find its hidden frame.)
#include "app/xtra_app.h"

#include <gtest/gtest.h>
#include <ole2.h>

#include <functional>
#include <string>
#include <vector>

#include "afx/dll_startup.h"
#include "afx/wnd.h"
#include "common/log.h"
#include "win_thread.h"

namespace {
std::vector<std::string> g_logged;
}  // namespace

// Stands in for the diagnostic log, which is not linked into this program.
void logMessage(const char* text) { g_logged.emplace_back(text); }

namespace {

enum class ComSetup { kNone, kMultithreaded, kOle };

// Sets up COM, runs body, then undoes the setup; all on one new thread, joined before return.
void runOnComThread(ComSetup setup, const std::function<void()>& body) {
  runOnThread([setup, &body] {
    if (setup == ComSetup::kOle) {
      ASSERT_EQ(S_OK, ::OleInitialize(nullptr));
    }
    if (setup == ComSetup::kMultithreaded) {
      ASSERT_EQ(S_OK, ::CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    }
    body();
    if (setup == ComSetup::kOle) ::OleUninitialize();
    if (setup == ComSetup::kMultithreaded) ::CoUninitialize();
  });
}

// After the application has started and ended OLE on such a thread: OLE is where the set-up left
// it, so starting it again is a first start (MTA threads cannot start OLE at all).
void expectOleAsSetUp(ComSetup setup) {
  if (setup == ComSetup::kMultithreaded) {
    // The thread's own apartment is still there: joining it again only counts (S_FALSE).
    const HRESULT again = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    EXPECT_EQ(S_FALSE, again) << "the thread's COM set-up was undone";
    if (SUCCEEDED(again)) ::CoUninitialize();
    return;
  }
  if (setup == ComSetup::kOle) ::OleUninitialize();
  EXPECT_EQ(S_OK, ::OleInitialize(nullptr)) << "OLE was left started";
  if (setup != ComSetup::kOle) ::OleUninitialize();
}

void expectInertHiddenFrame(HWND frame) {
  EXPECT_EQ(::GetCurrentThreadId(), ::GetWindowThreadProcessId(frame, nullptr));
  EXPECT_FALSE(::IsWindowVisible(frame));
  // Asked for 0 by 0 at the origin, a captioned window gets the smallest size the system
  // allows; it is minimised.
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

  EXPECT_EQ(1, ::GetMenuItemCount(::GetMenu(frame)));  // the module's menu
}

struct OleCase {
  ComSetup setup;
  const char* logged;
};
std::ostream& operator<<(std::ostream& out, const OleCase& c) {
  const char* names[] = {"no COM", "MTA", "OLE"};
  return out << names[static_cast<int>(c.setup)];
}

class AppStartup : public ::testing::TestWithParam<OleCase> {};

TEST_P(AppStartup, LogsTheOleOutcomeAndKeepsAHiddenFrameUntilShutdown) {
  const OleCase param = GetParam();
  g_logged.clear();
  runOnComThread(param.setup, [param] {
    ASSERT_TRUE(AfxDllProcessAttach(::GetModuleHandleA(nullptr)));
    CXtraApp* app = xtraApp();
    ASSERT_NE(nullptr, app->m_pMainWnd);
    HWND frame = app->m_pMainWnd->m_hWnd;
    EXPECT_EQ(frame, ::FindWindowA(nullptr, "*zorvmainhidden*"));
    expectInertHiddenFrame(frame);

    AfxDllProcessDetach();
    EXPECT_FALSE(::IsWindow(frame));
    EXPECT_EQ(nullptr, app->m_pMainWnd);
    expectOleAsSetUp(param.setup);
  });
  EXPECT_EQ(std::vector<std::string>{param.logged}, g_logged);
}

INSTANTIATE_TEST_SUITE_P(ComModels, AppStartup,
                         ::testing::Values(OleCase{ComSetup::kNone, "COM initialized!"},
                                           OleCase{ComSetup::kOle, "COM already initialized!"},
                                           OleCase{ComSetup::kMultithreaded,
                                                   "COM previous call MTA!"}));

// Started from a module without menu 101 (kernel32 here), the frame cannot load: the start
// fails after the OLE text, nothing is left behind, and OLE is given back.
TEST(AppStartupFailure, AFrameThatCannotLoadFailsTheStartAndUndoesOle) {
  g_logged.clear();
  runOnComThread(ComSetup::kNone, [] {
    EXPECT_FALSE(AfxDllProcessAttach(::GetModuleHandleA("kernel32.dll")));
    EXPECT_EQ(nullptr, xtraApp()->m_pMainWnd);
    EXPECT_EQ(nullptr, ::FindWindowA(nullptr, "*zorvmainhidden*"));
    expectOleAsSetUp(ComSetup::kNone);
  });
  EXPECT_EQ(std::vector<std::string>{"COM initialized!"}, g_logged);
}

TEST(OleStartupText, NamesOutcomesThisSystemCannotProduce) {
  EXPECT_STREQ("COM DLLs incompatible!", oleStartupText(OLE_E_WRONGCOMPOBJ));
  EXPECT_STREQ("COM OleInitialize returned unknown value!", oleStartupText(2));
}

}  // namespace
