// zorvdesk's link, office and window commands.
#include <windows.h>

#include <gtest/gtest.h>

#include "office/link_files.h"
#include "office/office_classes.h"
#include "program_run.h"

namespace {

TEST(ZorvdeskOfficeTest, LinkPrintsEveryFieldAndTheResult) {
  TempFolder folder;
  const std::string link = makeLink(
      folder, "t.lnk", {folder.folder("target dir"), "C:\\work", "-x", "C:\\icons.dll", 3});
  ProgramRun run = zorvdesk("link \"" + link + "\"");
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_TRUE(has(run, "result: true\nisDirectory: true\nfileName: target dir\ntargetPath: "));
  EXPECT_TRUE(has(run,
                  "\nworkingDirectory: C:\\work\nexecutable: \niconPath: C:\\icons.dll\n"
                  "arguments: -x\niconIndex: 3\n"))
      << run.output;
  expectZorvdesk("link \"" + folder.file("plain.lnk") + "\"", 1,
                 "result: false\nisDirectory: false\nfileName: \n");
}

TEST(ZorvdeskOfficeTest, OfficePrintsTheServerOrTheNoticeWithoutABox) {
  removeOfficeServers();
  registerOfficeServer("Word.Application", 1, "C:\\Office\\WINWORD.EXE /automation");
  EXPECT_EQ(expectZorvdesk("office C:\\Office\\wordicon.exe", 0, "").output,
            "C:\\Office\\WINWORD.EXE \n");
  EXPECT_EQ(expectZorvdesk("office C:\\Office\\xlicons.exe", 1, "").output,
            "ZORV was unable to determine the location of Microsoft Excel.  Please insert the "
            "shortcut manually, by right clicking on any Shortcut Pane\n");
  removeOfficeServers();
  EXPECT_EQ(zorvdesk("office \"C:\\Program Files\\a.exe\"").output, "C:\\Program Files\\a.exe\n");
  EXPECT_EQ(zorvdesk("office " + std::string(MAX_PATH, 'a')).exitCode, 2u);
}

TEST(ZorvdeskOfficeTest, WindowFindsThisProcesssWindow) {
  HWND window = CreateWindowExA(0, "STATIC", "zorvdesk test", WS_OVERLAPPEDWINDOW, 0, 0, 99, 99,
                                nullptr, nullptr, nullptr, nullptr);
  const ProgramRun found = expectZorvdesk("window " + std::to_string(GetCurrentProcessId()), 0, "");
  DestroyWindow(window);
  EXPECT_TRUE(has(found, "\ntitle: zorvdesk test\nclass: Static\n")) << found.output;
  EXPECT_EQ(zorvdesk("window 0").exitCode, 1u);
  for (const char* bad : {"", "12x", "-1", "4294967296"}) {
    EXPECT_EQ(zorvdesk(std::string("window ") + bad).exitCode, 2u) << bad;
  }
}

}  // namespace
