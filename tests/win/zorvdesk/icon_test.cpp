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
  ProgramRun run = zorvdesk("icon \"" + program + "\" \"" + jpeg + "\"");
  EXPECT_EQ(run.exitCode, 0u) << run.output;
  EXPECT_TRUE(has(run, "the icon of " + program)) << run.output;
  EXPECT_TRUE(fileExists(jpeg));
  DeleteFileA(jpeg.c_str());

  run = zorvdesk("icon C:\\no\\such\\file.zqx \"" + jpeg + "\"");
  EXPECT_EQ(run.exitCode, 1u);
  EXPECT_TRUE(has(run, "no icon for C:\\no\\such\\file.zqx")) << run.output;

  run = zorvdesk("icon \"" + program + "\" C:\\no\\such\\folder\\out.jpg");
  EXPECT_EQ(run.exitCode, 1u);
  EXPECT_TRUE(has(run, "cannot write the icon")) << run.output;

  run = zorvdesk("icon onlyone");
  EXPECT_EQ(run.exitCode, 2u);
  EXPECT_TRUE(has(run, "usage: zorvdesk icon FILE OUT.jpg")) << run.output;
}

}  // namespace
