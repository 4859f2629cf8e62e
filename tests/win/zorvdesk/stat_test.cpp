// zorvdesk stat: a statistic of the current world read and written through the library.
#include "installation_fixture.h"

namespace {

using ZorvdeskStatTest = TemporaryInstallationTest;

TEST_F(ZorvdeskStatTest, WritesAndReadsBackAStatisticOfAnyLength) {
  addWorld("dZORV_Home");
  ProgramRun run = zorvdesk("stat \"Best Score\" 17");
  EXPECT_EQ(run.exitCode, 0u) << run.output;
  EXPECT_EQ(readRegText("SOFTWARE\\ZORV\\dZORV_Home", "Best Score"), "17");
  run = zorvdesk("stat \"Best Score\"");
  EXPECT_EQ(run.exitCode, 0u) << run.output;
  EXPECT_EQ(run.output, "17\n");

  const std::string longText(1500, 'x');
  EXPECT_EQ(zorvdesk("stat Notes " + longText).exitCode, 0u);
  run = zorvdesk("stat Notes");
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_EQ(run.output, longText + "\n");
}

TEST_F(ZorvdeskStatTest, AMissingStatisticOrWorldKeyFails) {
  addWorld("dZORV_Home");
  ProgramRun run = zorvdesk("stat Games");
  EXPECT_EQ(run.exitCode, 1u);
  EXPECT_EQ(run.output, "zorvdesk: the current world has no statistic 'Games' (or it is empty)\n");

  RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\ZORV\\dZORV_Home");  // folder stays, key goes
  run = zorvdesk("stat Games 3");
  EXPECT_EQ(run.exitCode, 1u);
  EXPECT_TRUE(has(run, "the current world has no key below HKLM\\SOFTWARE\\ZORV")) << run.output;
  EXPECT_EQ(readRegText(kInstallKeyPath, "Games"), std::nullopt);
}

TEST_F(ZorvdeskStatTest, WithoutAWorldNothingIsStoredAndTheUserIsToldOnce) {
  BoxAnswerer boxes;
  const ProgramRun run = zorvdesk("stat Games 3");
  EXPECT_EQ(run.exitCode, 1u);
  EXPECT_TRUE(has(run, "there is no current world")) << run.output;
  EXPECT_EQ(readRegText(kInstallKeyPath, "Games"), std::nullopt);
  EXPECT_EQ(boxes.texts().size(), 1u);
}

TEST_F(ZorvdeskStatTest, BadArgumentsAreUsageErrors) {
  for (const char* arguments : {"stat", "stat a b c", "stat \"\""}) {
    const ProgramRun run = zorvdesk(arguments);
    EXPECT_EQ(run.exitCode, 2u) << arguments;
    EXPECT_TRUE(has(run, "usage: zorvdesk stat NAME [TEXT]")) << run.output;
  }
}

}  // namespace
