// The framework stand-in's frames and library start-up, run on this program's own module.
#include <gtest/gtest.h>

#include <vector>

#include "afx/dll_startup.h"
#include "afx/dyn_link_library.h"
#include "afx/frame_wnd.h"
#include "afx/win_app.h"

namespace {

constexpr UINT kMenu = 7;
constexpr UINT kMissingMenu = 8;
HINSTANCE thisModule() { return ::GetModuleHandleA(nullptr); }

enum class Failure { kNone, kPreCreate, kOnCreate };

class TestFrame : public CFrameWnd {
 public:
  explicit TestFrame(Failure failure = Failure::kNone) : failure_(failure) {}
  ~TestFrame() override { ++deleted; }
  BOOL PreCreateWindow(CREATESTRUCTA& cs) override {
    return failure_ != Failure::kPreCreate && CFrameWnd::PreCreateWindow(cs);
  }
  void RecalcLayout(BOOL) override { ++layouts; }

  static int deleted;
  int layouts = 0;
  std::vector<UINT> sizeTypes;  // seen by this class's own OnSize
  std::vector<MSG> atDefault;   // messages that reached DefWindowProc

 protected:
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    atDefault.push_back({m_hWnd, message, wParam, lParam, 0, {}});
    return CFrameWnd::DefWindowProc(message, wParam, lParam);
  }
  int OnCreate(LPCREATESTRUCTA cs) {
    return failure_ == Failure::kOnCreate ? -1 : CFrameWnd::OnCreate(cs);
  }
  void OnSize(UINT type, int cx, int cy) {
    sizeTypes.push_back(type);
    CFrameWnd::OnSize(type, cx, cy);
  }
  DECLARE_MESSAGE_MAP()

 private:
  Failure failure_;
};
int TestFrame::deleted = 0;

BEGIN_MESSAGE_MAP(TestFrame, CFrameWnd)
ON_WM_CREATE()
ON_WM_SIZE()
END_MESSAGE_MAP()

bool reachedDefault(const TestFrame& frame, UINT message, WPARAM wParam, LPARAM lParam) {
  for (const MSG& m : frame.atDefault) {
    if (m.message == message && m.wParam == wParam && m.lParam == lParam) return true;
  }
  return false;
}

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char noCommandLine[] = "";
    ASSERT_TRUE(AfxWinInit(thisModule(), nullptr, noCommandLine, SW_SHOW));
    TestFrame::deleted = 0;
  }
  void TearDown() override { AfxWinTerm(); }
  static TestFrame* loadFrame() {
    auto* frame = new TestFrame;
    return frame->LoadFrame(kMenu) ? frame : nullptr;
  }
  AFX_MAINTAIN_STATE2 state_{AfxGetStaticModuleState()};
};

TEST_F(FrameTest, MessagesGoToTheMostDerivedHandlerAndOtherwiseToDefWindowProc) {
  TestFrame* frame = loadFrame();
  ASSERT_NE(nullptr, frame);
  frame->layouts = 0;
  ::SendMessageA(frame->m_hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(120, 80));
  EXPECT_EQ(std::vector<UINT>{SIZE_RESTORED}, frame->sizeTypes);
  EXPECT_TRUE(reachedDefault(*frame, WM_SIZE, SIZE_RESTORED, MAKELPARAM(120, 80)));
  EXPECT_EQ(1, frame->layouts);
  ::SendMessageA(frame->m_hWnd, WM_SIZE, SIZE_MINIMIZED, 0);
  EXPECT_EQ(1, frame->layouts) << "a minimised frame is not laid out";

  ::SendMessageA(frame->m_hWnd, WM_USER + 5, 11, 22);
  EXPECT_TRUE(reachedDefault(*frame, WM_USER + 5, 11, 22));
  HWND window = frame->m_hWnd;
  EXPECT_EQ(frame, CWnd::FromHandlePermanent(window));
  ASSERT_TRUE(frame->DestroyWindow());
  EXPECT_EQ(1, TestFrame::deleted);
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(window));
}

TEST_F(FrameTest, DeletesItselfWhenItCannotBeMadeAndLeavesTheApplicationWhenDestroyed) {
  EXPECT_FALSE((new TestFrame(Failure::kPreCreate))->LoadFrame(kMenu));
  EXPECT_FALSE((new TestFrame(Failure::kOnCreate))->LoadFrame(kMenu));
  EXPECT_FALSE((new TestFrame)->LoadFrame(kMissingMenu));
  EXPECT_EQ(3, TestFrame::deleted);

  // Destroying the main window clears it from the application.
  CWinApp app;
  TestFrame* mainFrame = loadFrame();
  TestFrame* otherFrame = loadFrame();
  ASSERT_TRUE(mainFrame != nullptr && otherFrame != nullptr);
  app.m_pMainWnd = mainFrame;
  otherFrame->DestroyWindow();
  EXPECT_EQ(mainFrame, app.m_pMainWnd);
  mainFrame->DestroyWindow();
  EXPECT_EQ(nullptr, app.m_pMainWnd);
}

class TestApp : public CWinApp {
 public:
  BOOL InitInstance() override {
    underGuard = AfxGetModuleState() == AfxGetStaticModuleState() && AfxTempMapLockCount() > 0;
    auto* made = new CFrameWnd;
    if (made->LoadFrame(kMenu)) frame = made->m_hWnd;
    return succeed;
  }
  int ExitInstance() override {
    ++exits;
    return 0;
  }
  BOOL succeed = TRUE;
  bool underGuard = false;
  HWND frame = nullptr;
  int exits = 0;
};

TEST(LibraryStartup, InitInstanceRunsUnderTheGuardAndTheModuleJoinsTheResourceChain) {
  TestApp app;
  ASSERT_TRUE(AfxDllProcessAttach(thisModule()));
  EXPECT_TRUE(app.underGuard);
  EXPECT_EQ(0, AfxTempMapLockCount());
  AFX_MODULE_STATE* state = AfxGetStaticModuleState();
  {
    // With another module's resources current, the chain still finds this module's menu.
    AFX_MAINTAIN_STATE2 current(state);
    state->m_hCurrentResourceHandle = ::GetModuleHandleA("kernel32.dll");
    EXPECT_EQ(thisModule(), AfxFindResourceHandle(MAKEINTRESOURCEA(kMenu), RT_MENU));
  }
  char frameClass[64] = {};
  ASSERT_NE(0, ::GetClassNameA(app.frame, frameClass, sizeof(frameClass)));

  AfxDllProcessDetach();
  AfxDllProcessDetach();
  EXPECT_EQ(1, app.exits);
  EXPECT_EQ(nullptr, state->m_pLibraryList);
  EXPECT_FALSE(::IsWindow(app.frame)) << "frames left on this thread are destroyed";
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof(wc);
  EXPECT_FALSE(::GetClassInfoExA(thisModule(), frameClass, &wc)) << "class still registered";
}

TEST(LibraryStartup, FailedInitInstanceRunsExitInstanceAndFailsTheLoad) {
  TestApp app;
  app.succeed = FALSE;
  EXPECT_FALSE(AfxDllProcessAttach(thisModule()));
  EXPECT_EQ(1, app.exits);
  EXPECT_FALSE(::IsWindow(app.frame));
  AfxDllProcessDetach();
  EXPECT_EQ(1, app.exits);
}

}  // namespace
