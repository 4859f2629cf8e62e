// zorvdesk's own conduct: its help, unknown commands and bad arguments, and the
// installation folder command.
#include <windows.h>

#include <gtest/gtest.h>

#include "program_run.h"
#include "win_test_support.h"

namespace {

TEST(ZorvdeskHelpTest, HelpListsEveryCommandAndSucceeds) {
  const ProgramRun run = expectZorvdesk("--help", 0, "usage: zorvdesk COMMAND");
  for (const char* synopsis :
       {"install-dir", "world", "stat NAME [TEXT]", "open-with .EXT", "app-name PATH"}) {
    EXPECT_TRUE(has(run, std::string("\n  ") + synopsis + " ")) << synopsis;
  }
}

TEST(ZorvdeskHelpTest, UsageErrorsAndCommandHelp) {
  expectZorvdesk("", 2, "usage: zorvdesk COMMAND");
  expectZorvdesk("frobnicate", 2, "unknown command 'frobnicate'");
  expectZorvdesk("install-dir --help", 0, "usage: zorvdesk install-dir");
  expectZorvdesk("install-dir extra", 2, "takes no arguments");
}

// The installation folder, and the GameModule setting shown and set.
TEST(ZorvdeskHelpTest, InstallDirAndHardeningNeedAnInstallation) {
  removeInstallKey();
  expectZorvdesk("install-dir", 1, "no ZORV installation");
  expectZorvdesk("hardening on", 1, "no ZORV installation");
  expectZorvdesk("hardening maybe", 2, "takes nothing, on or off");
  writeRegText(kInstallKeyPath, "MainDir", "C:\\Games\\ZORV");
  EXPECT_EQ(expectZorvdesk("install-dir", 0, "").output, "C:\\Games\\ZORV\\\n");
  expectZorvdesk("hardening", 0, "off: ");
  expectZorvdesk("hardening on", 0, "on: ");
  expectZorvdesk("hardening", 0, "on: ");
  expectZorvdesk("hardening off", 0, "off: ");
  removeInstallKey();
}

}  // namespace
