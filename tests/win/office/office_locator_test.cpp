// The Office locator against ProgID keys made by the tests, real shortcut files, and message
// boxes answered by a helper thread; and the window finder over this process's own top-level
// windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "link_files.h"
#include "office/office.h"
#include "office_classes.h"

namespace {

constexpr char kWordServer[] = "C:\\Program Files\\Office\\WINWORD.EXE";

struct Located {
  bool result;
  std::string path;
  std::vector<std::string> notices;
};

class OfficeLocatorTest : public ::testing::Test {
 protected:
  void SetUp() override { removeOfficeServers(); }
  void TearDown() override { removeOfficeServers(); }

  static Located locate(const std::string& path) {
    char buffer[MAX_PATH] = {};
    path.copy(buffer, MAX_PATH - 1);
    BoxAnswerer user("Information");
    const bool result = locateOfficeApplication(buffer);
    return {result, buffer, user.texts()};
  }

  // The result and the output buffer afterwards, "#" while it holds its sentinel unchanged.
  static std::pair<bool, std::string> serverOf(const std::string& progId) {
    char out[MAX_PATH];
    std::memset(out, '#', sizeof out);
    out[1] = '\0';
    const bool result = getLocalServerPath(out, progId.c_str());
    return {result, out};
  }
};

TEST_F(OfficeLocatorTest, ShortcutsLeadingToIconProgramsGiveTheServer) {
  registerOfficeServer("Word.Application", 1, (std::string(kWordServer) + " /automation").c_str());
  registerOfficeServer("FrontPage.Application", 5, "C:\\FRONTPG.EXE");
  TempFolder folder;
  const std::string word = makeLink(folder, "Microsoft Word.lnk", {folder.file("wordicon.exe")});
  const std::string frontPage =
      makeLink(folder, "Microsoft FrontPage.lnk", {folder.file("fpicon.exe")});

  const Located located = locate(word);
  EXPECT_TRUE(located.result);
  EXPECT_EQ(located.path, std::string(kWordServer) + " ");  // the blank before "/" stays
  EXPECT_TRUE(located.notices.empty());
  EXPECT_EQ(locate(frontPage).path, "C:\\FRONTPG.EXE");
  EXPECT_EQ(locate("C:\\FP\\misc.exe").path, "C:\\FRONTPG.EXE");
  // Row order: the path names Word's icon program before Excel's shortcut is considered.
  EXPECT_EQ(locate("C:\\wordicon.exe\\Microsoft Excel.lnk").path, std::string(kWordServer) + " ");
}

TEST_F(OfficeLocatorTest, PathsOfNoApplicationPassUnchangedRecognisedButUnregisteredOnesStop) {
  // Nothing is registered: a recognised application would bring a notice and false.
  TempFolder folder;
  folder.folder("sub");
  const std::string paths[] = {
      makeLink(folder, "Microsoft Word.lnk", {folder.file("editor.exe")}),
      makeLink(folder, "sub\\microsoft word.lnk", {folder.file("wordicon.exe")}),
      "C:\\Program Files\\FrontPage\\fpicon.exe",  // the path test knows only misc.exe
      "C:\\OFFICE\\WORDICON.EXE",
      "",
  };
  for (const std::string& path : paths) {
    const Located located = locate(path);
    EXPECT_TRUE(located.result) << path;
    EXPECT_EQ(located.path, path);
    EXPECT_TRUE(located.notices.empty()) << path;
  }
  EXPECT_FALSE(locateOfficeApplication(nullptr));

  // Recognised but unregistered: the user is told once, and it stops.
  setClassesValue("Excel.Application", "no CLSID subkey");
  registerOfficeServer("Access.Application", 6, "C:\\ACCESS.EXE");  // a later row that would fit
  const Located located = locate("C:\\accicons.exe\\xlicons.exe");
  EXPECT_FALSE(located.result);
  EXPECT_EQ(located.path, "C:\\accicons.exe\\xlicons.exe");
  EXPECT_EQ(located.notices, std::vector<std::string>{
                                 "ZORV was unable to determine the location of Microsoft Excel.  "
                                 "Please insert the shortcut manually, by right clicking on any "
                                 "Shortcut Pane"});
}

TEST_F(OfficeLocatorTest, ServerValuesAreCutAtTheFirstSlashAndReadUpToTheirSize) {
  registerOfficeServer("Word.Application", 1, "C:\\WINWORD.EXE /automation /x");
  registerOfficeServer("Excel.Application", 2, std::string(258, 's').c_str());
  registerOfficeServer("Access.Application", 6, std::string(259, 's').c_str());
  setClassesValue("PowerPoint.Application\\CLSID", std::string(259, 'c'));
  EXPECT_EQ(serverOf("Word.Application"), std::make_pair(true, std::string("C:\\WINWORD.EXE ")));
  EXPECT_EQ(serverOf("Excel.Application").second, std::string(258, 's'));
  EXPECT_EQ(serverOf("Access.Application"), std::make_pair(false, std::string("#")));
  EXPECT_EQ(serverOf("PowerPoint.Application"), std::make_pair(false, std::string("#")));

  // The class identifier's type is not examined, and it may come without a terminator: a
  // longer one read just before leaves its bytes behind it.
  setClassesValue("Access.Application\\CLSID", std::string(200, 'c'));
  setClassesValue("FrontPage.Application\\CLSID", testClassId(5), REG_BINARY);
  setClassesValue("CLSID\\" + testClassId(5) + "\\LocalServer32", "C:\\FRONTPG.EXE");
  const bool longer = serverOf("Access.Application").first;
  EXPECT_EQ(serverOf("FrontPage.Application").second, "C:\\FRONTPG.EXE");
  EXPECT_FALSE(longer);
}

TEST_F(OfficeLocatorTest, EveryMissingStepFailsWithTheBufferUnchanged) {
  HKEY key = nullptr;
  RegCreateKeyA(HKEY_CLASSES_ROOT, "Excel.Application\\CLSID", &key);  // no class identifier
  RegCloseKey(key);
  registerOfficeServer("Outlook.Application", 3, nullptr);  // no LocalServer32 key
  RegCreateKeyA(HKEY_CLASSES_ROOT, ("CLSID\\" + testClassId(4) + "\\LocalServer32").c_str(), &key);
  RegCloseKey(key);
  registerOfficeServer("PowerPoint.Application", 4, nullptr);  // LocalServer32 without value
  setClassesValue("Access.Application\\CLSID", "");
  for (const char* progId : {"Word.Application", "Excel.Application", "Outlook.Application",
                             "PowerPoint.Application", "Access.Application", ""}) {
    EXPECT_EQ(serverOf(progId), std::make_pair(false, std::string("#"))) << progId;
  }
  char out[] = "kept";
  EXPECT_FALSE(getLocalServerPath(out, nullptr) || getLocalServerPath(nullptr, "x"));
}

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

  ASSERT_GE(order.size(), 5u);
  EXPECT_TRUE(std::is_permutation(passedOver.begin(), passedOver.end(), order.begin()));
  EXPECT_TRUE(order[3] == ordinary[0] || order[3] == ordinary[1]);
  EXPECT_EQ(findProcessWindow(GetCurrentProcessId()), order[3]);

  EXPECT_EQ(findProcessWindow(0), nullptr);
  EXPECT_EQ(findProcessWindow(0xFFFFFFF0u), nullptr);
  for (HWND window : passedOver) DestroyWindow(window);
  for (HWND window : ordinary) DestroyWindow(window);
}

}  // namespace
