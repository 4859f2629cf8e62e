// zorvdesk stat: a statistic of the current world read and written through the library.
#include "installation_fixture.h"

namespace {

using ZorvdeskStatTest = TemporaryInstallationTest;

// Any length is written and read back; a missing statistic, then a missing world key, fails.
TEST_F(ZorvdeskStatTest, WritesAndReadsBackAStatisticOfAnyLengthOrFails) {
  addWorld("dZORV_Home");
  expectZorvdesk("stat \"Best Score\" 17", 0, "");
  EXPECT_EQ(readRegText("SOFTWARE\\ZORV\\dZORV_Home", "Best Score"), "17");
  EXPECT_EQ(expectZorvdesk("stat \"Best Score\"", 0, "").output, "17\n");
  const std::string longText(1500, 'x');
  expectZorvdesk("stat Notes " + longText, 0, "");
  EXPECT_EQ(expectZorvdesk("stat Notes", 0, "").output, longText + "\n");
  EXPECT_EQ(expectZorvdesk("stat Games", 1, "").output,
            "zorvdesk: the current world has no statistic 'Games' (or it is empty)\n");

  RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\ZORV\\dZORV_Home");  // folder stays, key goes
  expectZorvdesk("stat Games 3", 1, "the current world has no key below HKLM\\SOFTWARE\\ZORV");
  EXPECT_EQ(readRegText(kInstallKeyPath, "Games"), std::nullopt);
}

TEST_F(ZorvdeskStatTest, WithoutAWorldNothingIsStoredAndTheUserIsToldOnce) {
  BoxAnswerer boxes;
  expectZorvdesk("stat Games 3", 1, "there is no current world");
  EXPECT_EQ(readRegText(kInstallKeyPath, "Games"), std::nullopt);
  EXPECT_EQ(boxes.texts().size(), 1u);
}

TEST_F(ZorvdeskStatTest, BadArgumentsAreUsageErrors) {
  for (const char* arguments : {"stat", "stat a b c", "stat \"\""}) {
    expectZorvdesk(arguments, 2, "usage: zorvdesk stat NAME [TEXT]");
  }
  expectZorvdesk("stat", 2, "zorvdesk: stat takes a NAME and an optional TEXT\n");
}

}  // namespace
