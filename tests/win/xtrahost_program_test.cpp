// The xtrahost program as a user runs it: the report of a module, a script's transcript, and
// its exit codes and messages for what goes wrong.
#include <windows.h>

#include <gtest/gtest.h>

#include "program_run.h"

#include <fstream>
#include <sstream>
#include <string>

namespace {

ProgramRun runXtrahost(const std::string& arguments) {
  return runProgram("xtrahost.exe", arguments);
}

// A script file in the temporary folder, removed again by the destructor.
class ScriptFile {
 public:
  explicit ScriptFile(const std::string& text) : path_(tempPath("xtrahost_test_script.txt")) {
    std::ofstream(path_, std::ios::binary) << text;
  }
  ~ScriptFile() { DeleteFileA(path_.c_str()); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

TEST(XtrahostProgramTest, ReportsTheModuleAndRunsAScript) {
  ScriptFile script(
      "# the host's own script\n"
      "handler fixed 42\n"
      "new\n"
      "echo \"hi\"\n"
      "callBack #fixed, 1, \"two\"\n"
      "callBack #missing\n"
      "destroy\n");
  const ProgramRun run = runXtrahost("xtrahost_fake.x32 \"" + script.path() + "\"");
  EXPECT_EQ(run.exitCode, 0u) << run.output;
  EXPECT_TRUE(has(run,
                  "  class {0FFDB9A6-B00B-4F99-A41E-9E9365B62D91} (RegistrationClass)"
                  " version 0x01010043\n"
                  "    interface {00000001-0000-0000-C000-000000000046} (ClassFactory)"
                  " version 0x00000001\n"))
      << run.output;
  EXPECT_TRUE(has(run,
                  "put \"msgTable\" type 9 size 0 -> 0x00000000: text, 126 characters\n"
                  "        | xtra FakeXtra -- for the host's tests\n"
                  "        | new object me\n"))
      << run.output;
  EXPECT_TRUE(has(run, "put \"safeForShockwave\" type 6 size 1 -> 0x00000000: 1 (1 byte)"));
  EXPECT_TRUE(has(run, "line 4: echo(\"hi\")\n    -> \"hi\", code 0x00000000\n")) << run.output;
  EXPECT_TRUE(has(run,
                  "line 5: callBack(<object 2>, #fixed, 1, \"two\")\n"
                  "    handler #fixed(1, \"two\") returns 42\n"
                  "    -> 42, code 0x00000000\n"))
      << run.output;
  EXPECT_TRUE(has(run, "    -> <void>, code 0x80041003\n")) << run.output;
  EXPECT_TRUE(has(run, "line 7: destroy -> ScriptObject#2 destroyed\n")) << run.output;
  EXPECT_TRUE(has(run, "DllCanUnloadNow 0x00000000\n")) << run.output;
  EXPECT_FALSE(has(run, "warning")) << run.output;
}

TEST(XtrahostProgramTest, AMalformedScriptLineStopsBeforeAnythingRuns) {
  ScriptFile script("new\necho \"a\"\necho \"unterminated\n");
  const ProgramRun run = runXtrahost("xtrahost_fake.x32 \"" + script.path() + "\"");
  EXPECT_EQ(run.exitCode, 4u);
  EXPECT_TRUE(has(run, script.path() + ":3: unterminated string\n")) << run.output;
  EXPECT_FALSE(has(run, "line 1: new")) << run.output;
}

TEST(XtrahostProgramTest, ACallWithoutAnInstanceFailsTheRun) {
  ScriptFile script("echo \"a\"\n");
  const ProgramRun run = runXtrahost("xtrahost_fake.x32 \"" + script.path() + "\"");
  EXPECT_EQ(run.exitCode, 5u);
  EXPECT_TRUE(has(run, "line 1: error: no instance: 'new' must come first\n")) << run.output;
}

TEST(XtrahostProgramTest, ABadWorldFailsTheRunAndLeavesNothingBehind) {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\ZORV");
  ScriptFile script("world \"dZORV_T\"\nworld \"bad\\name\"\n");
  const ProgramRun run = runXtrahost("xtrahost_fake.x32 \"" + script.path() + "\"");
  EXPECT_EQ(run.exitCode, 5u);
  EXPECT_TRUE(has(run, "line 2: error: world name 'bad\\name' is no plain folder name\n"))
      << run.output;
  HKEY key = nullptr;
  EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\ZORV", 0, KEY_READ, &key), ERROR_SUCCESS);
}

TEST(XtrahostProgramTest, UsageAndLoadFailuresAreExplained) {
  ProgramRun run = runXtrahost("");
  EXPECT_EQ(run.exitCode, 1u);
  EXPECT_TRUE(has(run, "usage: xtrahost [--trace] <module file> [<script file>]"));
  EXPECT_TRUE(has(run, "  world \"NAME\" ")) << run.output;
  run = runXtrahost("missing.x32");
  EXPECT_EQ(run.exitCode, 2u);
  EXPECT_TRUE(has(run, "xtrahost: cannot load 'missing.x32': error 126")) << run.output;
}

}  // namespace
