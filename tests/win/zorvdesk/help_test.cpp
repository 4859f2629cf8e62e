// zorvdesk's own conduct: its help, unknown commands and bad arguments, and the
// installation folder command.
#include <windows.h>

#include <gtest/gtest.h>

#include "program_run.h"
#include "win_test_support.h"

namespace {

TEST(ZorvdeskHelpTest, HelpListsEveryCommandAndSucceeds) {
  const ProgramRun run = zorvdesk("--help");
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_TRUE(has(run, "usage: zorvdesk COMMAND")) << run.output;
  for (const char* synopsis :
       {"install-dir", "world", "stat NAME [TEXT]", "open-with .EXT", "app-name PATH"}) {
    EXPECT_TRUE(has(run, std::string("\n  ") + synopsis + " ")) << synopsis;
  }
}

TEST(ZorvdeskHelpTest, NoCommandOrAnUnknownOneIsAUsageError) {
  ProgramRun run = zorvdesk("");
  EXPECT_EQ(run.exitCode, 2u);
  EXPECT_TRUE(has(run, "usage: zorvdesk COMMAND")) << run.output;
  run = zorvdesk("frobnicate");
  EXPECT_EQ(run.exitCode, 2u);
  EXPECT_TRUE(has(run, "unknown command 'frobnicate'")) << run.output;
}

TEST(ZorvdeskHelpTest, CommandHelpAndSurplusArguments) {
  ProgramRun run = zorvdesk("install-dir --help");
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_TRUE(has(run, "usage: zorvdesk install-dir")) << run.output;
  run = zorvdesk("install-dir extra");
  EXPECT_EQ(run.exitCode, 2u);
  EXPECT_TRUE(has(run, "takes no arguments")) << run.output;
}

TEST(ZorvdeskHelpTest, InstallDirPrintsMainDirOrFails) {
  removeInstallKey();
  ProgramRun run = zorvdesk("install-dir");
  EXPECT_EQ(run.exitCode, 1u);
  EXPECT_TRUE(has(run, "no ZORV installation")) << run.output;

  writeRegText(kInstallKeyPath, "MainDir", "C:\\Games\\ZORV");
  run = zorvdesk("install-dir");
  removeInstallKey();
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_EQ(run.output, "C:\\Games\\ZORV\\\n");
}

}  // namespace
