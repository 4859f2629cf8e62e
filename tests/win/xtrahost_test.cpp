// The xtrahost program as a script's author runs it on the module: every kind of argument as the
// transcript shows it, the temporary installation, and the exit codes and messages for what goes
// wrong (the demo script's test checks the rest of a transcript). And the host's accounting, which
// the module's failure and leak tests rely on: every block and reference is counted.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "host.h"
#include "host/identifiers.h"
#include "program_run.h"
#include "win_test_support.h"

namespace {

// Runs xtrahost on the module with a script file of this text.
ProgramRun runScript(const std::string& text) {
  const std::string path = tempPath("xtrahost_test_script.txt");
  std::ofstream(path, std::ios::binary) << text;
  ProgramRun run = runProgram("xtrahost.exe", "ZORVgame.x32 \"" + path + "\"");
  DeleteFileA(path.c_str());
  return run;
}

TEST(XtrahostProgramTest, ArgumentsReachTheHandlerAsWritten) {
  const ProgramRun run = runScript(
      "# a comment, and a blank line\n"
      "\n"
      "handler echoFirst\n"
      "handler fixed \"answer\"\n"
      "new\r\n"
      "callAFunction #echoFirst, \"..\\games\\\"1\\\".dll\", -12, void, me, #sym\n"
      "call 5 me, #fixed, 7\n"
      "destroy\n");
  EXPECT_EQ(run.exitCode, 0u) << run.output;
  EXPECT_TRUE(has(run, "line 5: new -> ")) << run.output;  // lines counted as in the file
  EXPECT_TRUE(
      has(run,
          "    handler #echoFirst(\"..\\\\games\\\"1\\\".dll\", -12, <void>, <object 2>, #sym)"
          " returns \"..\\\\games\\\"1\\\".dll\"\n"))
      << run.output;
  EXPECT_TRUE(has(run,
                  "line 7: call 5(<object 2>, #fixed, 7)\n    handler #fixed(7) returns "
                  "\"answer\"\n    -> \"answer\", code 0x00000000\n"))
      << run.output;
}

// The installation's folder, GameModule, worlds and "MainDir" last while the script runs; what
// was in the registry before is put back, a world's own key included.
TEST(XtrahostProgramTest, TheInstallationLastsForTheScriptAndTheRegistryIsPutBack) {
  const std::string home = std::string(kInstallKeyPath) + "\\dZORV_Home";
  removeInstallKey();
  writeRegText(kInstallKeyPath, "MainDir", "C:\\ZORV");
  writeRegText(kInstallKeyPath, "CurrMovie", "dZORV_Home");
  writeRegText(home, "Best", "12");
  const ProgramRun run = runScript(
      "install \"ZORVgame.x32\" \"Game.dll\"\nworld \"dZORV_Home\"\nstat \"Best\"\n"
      "world \"dZORV_New\"\nstat \"Best\"\n");
  EXPECT_EQ(run.exitCode, 0u) << run.output;
  const std::size_t from = run.output.find("(MainDir ") + 9;
  const std::string folder = run.output.substr(from, run.output.find(")\n", from) - from);
  for (const std::string& line : {": install -> " + folder + "\\ZORV_Desktop\\Xtras\\Game.dll (",
                                  "world -> " + folder + "\\Desktops\\dZORV_New\\dZORV_New.dcr",
                                  std::string("line 3: stat \"Best\" -> \"12\"\n"),
                                  std::string("line 5: stat \"Best\" -> not set\n")}) {
    EXPECT_TRUE(has(run, line)) << run.output;
  }
  EXPECT_FALSE(fileExists(folder));
  EXPECT_EQ(readRegText(kInstallKeyPath, "MainDir"), "C:\\ZORV");
  EXPECT_EQ(readRegText(kInstallKeyPath, "CurrMovie"), "dZORV_Home");
  EXPECT_EQ(readRegText(home, "Best"), "12");
  EXPECT_EQ(readRegText(kInstallKeyPath + std::string("\\dZORV_New"), "Best"), std::nullopt);
  removeInstallKey();
}

TEST(XtrahostProgramTest, WhatGoesWrongHasItsExitCodeAndMessage) {
  const struct {
    const char* script;
    DWORD exitCode;
    const char* message;
  } cases[] = {
      {"new\ngameLoadDLLzorv \"a\"\ngameLoadDLLzorv \"unterminated\n", 4,
       ":3: unterminated string\n"},
      {"gameStartDlgzorv\n", 5, "line 1: error: no instance: 'new' must come first\n"},
      {"world \"dZORV_T\"\nworld \"bad\\name\"\n", 5,
       "line 2: error: world name 'bad\\name' is no plain folder name\n"},
  };
  for (const auto& c : cases) {
    removeInstallKey();
    const ProgramRun run = runScript(c.script);
    EXPECT_EQ(run.exitCode, c.exitCode) << run.output;
    EXPECT_TRUE(has(run, c.message)) << run.output;
    EXPECT_FALSE(has(run, "line 1: new")) << run.output;  // nothing ran before a malformed line
    EXPECT_EQ(readRegText(kInstallKeyPath, "CurrMovie"), std::nullopt);  // nothing left behind
  }
}

TEST(XtrahostProgramTest, UsageAndLoadFailuresAreExplained) {
  ProgramRun run = runProgram("xtrahost.exe", "");
  EXPECT_EQ(run.exitCode, 1u);
  EXPECT_TRUE(has(run, "usage: xtrahost [--trace] <module file> [<script file>]"));
  EXPECT_TRUE(has(run, "  world \"NAME\" ")) << run.output;
  run = runProgram("xtrahost.exe", "missing.x32");
  EXPECT_EQ(run.exitCode, 2u);
  EXPECT_TRUE(has(run, "xtrahost: cannot load 'missing.x32': error 126")) << run.output;
  run = runProgram("xtrahost.exe", "kernel32.dll");  // a file without the module's exports
  EXPECT_EQ(run.exitCode, 2u) << run.output;
}

using namespace xtrahost;
namespace ids = xtra::ids;

// Withheld interfaces are driven by the module's create tests; the leak detectors can fail.
TEST(InjectionTest, ReferencesAreCountedAndUnderflowsReported) {
  Host host;
  void* out = nullptr;
  ASSERT_EQ(host.callback.QueryInterface(&ids::kHostValues, &out), xtra::kOk);
  EXPECT_EQ(out, static_cast<HostUnknown*>(&host.values));
  EXPECT_EQ(host.unbalancedReferences(), std::vector<std::string>{"Values: 1 outstanding"});
  static_cast<HostUnknown*>(out)->Release();
  static_cast<HostUnknown*>(out)->Release();
  EXPECT_EQ(host.unbalancedReferences(), std::vector<std::string>{"Values: 1 underflow"});
}

// Its failures are driven by the module's out-of-memory tests (the new-handler retries) and the
// host-failure sweep.
TEST(InjectionTest, TheAllocatorCountsLiveBlocksAndFrees) {
  CallLog log;
  Allocator allocator{log};
  void* a = allocator.Allocate(12);
  void* b = allocator.Allocate(200);
  EXPECT_EQ(allocator.liveBytes(), 212u);
  allocator.Free(a);
  allocator.Free(a);  // twice: not counted again
  EXPECT_EQ(allocator.liveBlocks(), 1u);
  allocator.Free(b);
  EXPECT_EQ(allocator.frees(), 2u);
  EXPECT_EQ(allocator.liveBlocks(), 0u);
}

}  // namespace
