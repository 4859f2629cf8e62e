// The window finder over this process's own top-level windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "office/office.h"

namespace {

using WindowSearch = std::pair<DWORD, std::vector<HWND>>;

BOOL CALLBACK collectWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<WindowSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->first) search->second.push_back(window);
  return TRUE;
}

// The process's top-level windows in enumeration order.
std::vector<HWND> windowsOf(DWORD processId) {
  WindowSearch search{processId, {}};
  EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&search));
  return search.second;
}

class WindowFinderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"OleMainThreadWndClass", "mainclassX", "ZorvFinderTestWindow"}) {
      WNDCLASSA windowClass{};
      windowClass.lpfnWndProc = DefWindowProcA;
      windowClass.hInstance = GetModuleHandleA(nullptr);
      windowClass.lpszClassName = name;
      RegisterClassA(&windowClass);
    }
  }
  void TearDown() override {
    for (HWND window : windows_) DestroyWindow(window);
    for (const char* name : {"OleMainThreadWndClass", "mainclassX", "ZorvFinderTestWindow"}) {
      UnregisterClassA(name, GetModuleHandleA(nullptr));
    }
  }

  HWND make(const char* className, const char* title) {
    HWND window = CreateWindowExA(0, className, title, WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    windows_.push_back(window);
    return window;
  }

  std::vector<HWND> windows_;
};

TEST_F(WindowFinderTest, FirstOrdinaryWindowPassingOverTheFilteredOnes) {
  HWND first = make("ZorvFinderTestWindow", "ordinary one");
  HWND second = make("ZorvFinderTestWindow", "ordinary two");
  // Made last, so they come first in the enumeration and must be passed over.
  const std::vector<HWND> passedOver = {make("OleMainThreadWndClass", "ole"),
                                        make("ZorvFinderTestWindow", "*ZORVMAINhidden* of a test"),
                                        make("mainclassX", "framework frame")};
  const std::vector<HWND> order = windowsOf(GetCurrentProcessId());

  const HWND found = findProcessWindow(GetCurrentProcessId());
  ASSERT_TRUE(found == first || found == second);
  const auto foundAt = std::find(order.begin(), order.end(), found);
  const auto otherAt = std::find(order.begin(), order.end(), found == first ? second : first);
  EXPECT_LT(foundAt, otherAt) << "not the first ordinary window";
  // The windows enumerated before it are exactly the ones filtered out.
  std::vector<HWND> before(order.begin(), foundAt);
  for (HWND window : passedOver) {
    ASSERT_NE(window, nullptr);
    EXPECT_NE(std::find(before.begin(), before.end(), window), before.end());
  }
  for (HWND window : before) {
    EXPECT_NE(std::find(passedOver.begin(), passedOver.end(), window), passedOver.end());
  }
}

TEST_F(WindowFinderTest, ProcessZeroAndForeignProcessesFindNothing) {
  make("ZorvFinderTestWindow", "ordinary");
  EXPECT_EQ(findProcessWindow(0), nullptr);
  EXPECT_EQ(findProcessWindow(0xFFFFFFF0u), nullptr);
  // The module-wide result starts empty for each search.
  EXPECT_NE(findProcessWindow(GetCurrentProcessId()), nullptr);
  EXPECT_EQ(findProcessWindow(0), nullptr);
}

}  // namespace
