// The hidden frame linked into this program, probed through a subclass that records the
// window positions reaching default processing and counts layouts.
#include "app/main_frame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "afx/dll_startup.h"
#include "afx/module_state.h"
#include "app/resource.h"

namespace {

class ProbedMainFrame : public CMainFrame {
 public:
  void RecalcLayout(BOOL) override { ++layouts; }

  int layouts = 0;
  std::vector<WINDOWPOS> positionsAtDefault;

 protected:
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_WINDOWPOSCHANGING || message == WM_WINDOWPOSCHANGED) {
      positionsAtDefault.push_back(*reinterpret_cast<const WINDOWPOS*>(lParam));
    }
    return CMainFrame::DefWindowProc(message, wParam, lParam);
  }
};

class MainFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char noCommandLine[] = "";
    ASSERT_TRUE(AfxWinInit(::GetModuleHandleA(nullptr), nullptr, noCommandLine, SW_SHOW));
    frame_ = new ProbedMainFrame;
    ASSERT_TRUE(frame_->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
    window_ = frame_->m_hWnd;
    frame_->positionsAtDefault.clear();
  }
  void TearDown() override { AfxWinTerm(); }

  std::string title() const {
    char text[64] = {};
    ::GetWindowTextA(window_, text, sizeof(text));
    return text;
  }

  AFX_MAINTAIN_STATE2 state_{AfxGetStaticModuleState()};
  ProbedMainFrame* frame_ = nullptr;
  HWND window_ = nullptr;
};

// Its title stays whatever text is set, it refuses activation and focus, and size messages
// skip the layout.
TEST_F(MainFrameTest, KeepsItsTitleRefusesActivationAndFocusAndSkipsTheLayout) {
  EXPECT_EQ(kHiddenFrameTitle, title());
  ::SetWindowTextA(window_, "Visible Title");
  EXPECT_EQ(kHiddenFrameTitle, title());

  EXPECT_EQ(MA_NOACTIVATE,
            ::SendMessageA(window_, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(window_),
                           MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)));
  EXPECT_EQ(1, ::SendMessageA(window_, WM_ACTIVATE, WA_ACTIVE, 0));
  EXPECT_EQ(1, ::SendMessageA(window_, WM_SETFOCUS, 0, 0));
  EXPECT_NE(window_, ::GetActiveWindow());
  EXPECT_NE(window_, ::GetFocus());

  ::SendMessageA(window_, WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200));
  EXPECT_EQ(0, frame_->layouts);
}

TEST_F(MainFrameTest, ShowMoveAndSizeRequestsBecomeHidesInPlace) {
  ::SetWindowPos(window_, HWND_NOTOPMOST, 10, 20, 300, 200, SWP_SHOWWINDOW);
  ::ShowWindow(window_, SW_SHOWNORMAL);
  ::MoveWindow(window_, 5, 5, 100, 100, TRUE);

  ASSERT_FALSE(frame_->positionsAtDefault.empty());
  for (const WINDOWPOS& pos : frame_->positionsAtDefault) {
    EXPECT_EQ(0, pos.x | pos.y | pos.cx | pos.cy);
    EXPECT_EQ(0x0296u, pos.flags);
  }
  EXPECT_FALSE(::IsWindowVisible(window_));
  RECT rect = {};
  ::GetWindowRect(window_, &rect);
  EXPECT_EQ(0, rect.left | rect.top);
  // The system keeps a captioned window at least at its minimum size, but no larger.
  EXPECT_LE(rect.right,
            std::max(::GetSystemMetrics(SM_CXMINTRACK), ::GetSystemMetrics(SM_CXMINIMIZED)));
  EXPECT_TRUE(::GetWindowLongPtrA(window_, GWL_EXSTYLE) & WS_EX_TOPMOST) << "z-order changed";
  EXPECT_NE(window_, ::GetActiveWindow());
  EXPECT_NE(window_, ::GetForegroundWindow());
}

}  // namespace
