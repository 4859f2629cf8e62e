// zorvdesk icon: a program's icon written as a JPEG file, and what goes wrong.
#include <windows.h>

#include <gtest/gtest.h>

#include "program_run.h"

namespace {

TEST(ZorvdeskIconTest, WritesAProgramsIconAndExplainsFailures) {
  char system[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  const std::string program = std::string(system) + "\\notepad.exe";
  const std::string jpeg = tempPath("zorvdesk_icon.jpg");
  ProgramRun run = runProgram("zorvdesk.exe", "icon \"" + program + "\" \"" + jpeg + "\"");
  EXPECT_EQ(run.exitCode, 0u) << run.output;
  EXPECT_TRUE(has(run, "the icon of " + program)) << run.output;
  const DWORD attributes = GetFileAttributesA(jpeg.c_str());
  EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  DeleteFileA(jpeg.c_str());

  run = runProgram("zorvdesk.exe", "icon C:\\no\\such\\file.zqx \"" + jpeg + "\"");
  EXPECT_EQ(run.exitCode, 1u);
  EXPECT_TRUE(has(run, "no icon for C:\\no\\such\\file.zqx")) << run.output;

  run = runProgram("zorvdesk.exe", "icon \"" + program + "\" C:\\no\\such\\folder\\out.jpg");
  EXPECT_EQ(run.exitCode, 1u);
  EXPECT_TRUE(has(run, "cannot write the icon")) << run.output;

  run = runProgram("zorvdesk.exe", "icon onlyone");
  EXPECT_EQ(run.exitCode, 2u);
  EXPECT_TRUE(has(run, "usage: zorvdesk icon FILE OUT.jpg")) << run.output;
}

}  // namespace
