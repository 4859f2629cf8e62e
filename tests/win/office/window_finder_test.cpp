// The window finder over this process's own top-level windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "office/office.h"

namespace {

BOOL CALLBACK collectOwnWindow(HWND window, LPARAM windows) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == GetCurrentProcessId())
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
  return TRUE;
}

HWND makeWindow(const char* className, const char* title) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.lpszClassName = className;
  RegisterClassA(&windowClass);  // fails harmlessly when the class exists
  return CreateWindowExA(0, className, title, WS_OVERLAPPEDWINDOW, 0, 0, 99, 99, nullptr, nullptr,
                         nullptr, nullptr);
}

TEST(WindowFinderTest, FirstOrdinaryWindowPassingOverTheFilteredOnes) {
  const HWND ordinary[] = {makeWindow("ZorvFinderTest", "one"),
                           makeWindow("ZorvFinderTest", "two")};
  // Made last, so they come first in the enumeration and must be passed over.
  const std::vector<HWND> passedOver = {makeWindow("OleMainThreadWndClass", "ole"),
                                        makeWindow("ZorvFinderTest", "*ZORVMAINhidden* test"),
                                        makeWindow("mainclassX", "frame")};
  std::vector<HWND> order;
  EnumWindows(collectOwnWindow, reinterpret_cast<LPARAM>(&order));

  const HWND found = findProcessWindow(GetCurrentProcessId());
  const HWND firstOrdinary =
      *std::find_first_of(order.begin(), order.end(), ordinary, ordinary + 2);
  EXPECT_EQ(found, firstOrdinary);
  // Exactly the filtered windows came before it.
  std::vector<HWND> before(order.begin(), std::find(order.begin(), order.end(), found));
  std::sort(before.begin(), before.end());
  std::vector<HWND> expected = passedOver;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(before, expected);

  EXPECT_EQ(findProcessWindow(0), nullptr);
  EXPECT_EQ(findProcessWindow(0xFFFFFFF0u), nullptr);
  for (HWND window : passedOver) DestroyWindow(window);
  for (HWND window : ordinary) DestroyWindow(window);
}

}  // namespace
