// zorvdesk icon: a program's icon written as a JPEG file, and what goes wrong.
#include <windows.h>

#include <gtest/gtest.h>

#include "program_run.h"
#include "win_test_support.h"

namespace {

TEST(ZorvdeskIconTest, WritesAProgramsIconAndExplainsFailures) {
  char system[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  const std::string program = std::string(system) + "\\notepad.exe";
  const std::string jpeg = tempPath("zorvdesk_icon.jpg");
  expectZorvdesk("icon \"" + program + "\" \"" + jpeg + "\"", 0, "the icon of " + program);
  EXPECT_TRUE(fileExists(jpeg));
  DeleteFileA(jpeg.c_str());
  expectZorvdesk("icon C:\\no\\such\\file.zqx \"" + jpeg + "\"", 1,
                 "no icon for C:\\no\\such\\file.zqx");
  expectZorvdesk("icon \"" + program + "\" C:\\no\\such\\folder\\out.jpg", 1,
                 "cannot write the icon");
  expectZorvdesk("icon onlyone", 2, "usage: zorvdesk icon FILE OUT.jpg");
}

}  // namespace
