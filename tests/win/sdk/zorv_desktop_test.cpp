// The games' library as a GameModule sees it: this program includes sdk/zorv_desktop.h only and
// links libzorvdesktop.a only, like a game.
#include "sdk/zorv_desktop.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "installation_fixture.h"

namespace {

using SdkTest = TemporaryInstallationTest;

// Taking every address makes the link fail for anything declared that the library lacks (here,
// seeing this header only, no name is overloaded).
#define ZORV_ADDRESS(f) reinterpret_cast<const void*>(f)
TEST(SdkLinkTest, EveryDeclaredFunctionIsInTheLibrary) {
  // clang-format off
  const void* functions[] = {
      ZORV_ADDRESS(getInstallDir), ZORV_ADDRESS(getCurrentWorld), ZORV_ADDRESS(getWorldDir),
      ZORV_ADDRESS(getVisualDir), ZORV_ADDRESS(getShockwaveMediaDir), ZORV_ADDRESS(getGameStat),
      ZORV_ADDRESS(setGameStat), ZORV_ADDRESS(openWorldKey), ZORV_ADDRESS(seedRandom),
      ZORV_ADDRESS(randomFloat), ZORV_ADDRESS(randomInt), ZORV_ADDRESS(hashString),
      ZORV_ADDRESS(isWin9x), ZORV_ADDRESS(splitPath), ZORV_ADDRESS(isRootPath),
      ZORV_ADDRESS(getFriendlyAppName), ZORV_ADDRESS(getOpenCommandExe),
      ZORV_ADDRESS(parseShellPath), ZORV_ADDRESS(openLog), ZORV_ADDRESS(closeLog),
      ZORV_ADDRESS(logMessage)};
  // clang-format on
  for (const void* function : functions) EXPECT_NE(function, nullptr);
}

TEST_F(SdkTest, TheBufferFormsGiveTheWorldAndMediaFolders) {
  addWorld("dZORV_Sdk");
  writeRegText(kInstallKeyPath, "CurrMovie", "dZORV_Sdk");
  char dir[ZORV_DESKTOP_PATH_SIZE] = {};
  ASSERT_TRUE(getWorldDir(dir));
  EXPECT_EQ(std::string(dir), folder_ + "\\Desktops\\dZORV_Sdk\\");
  ASSERT_TRUE(getVisualDir(dir));
  EXPECT_EQ(std::string(dir), folder_ + "Desktops\\dZORV_Sdk\\Visual\\");
  ASSERT_TRUE(getShockwaveMediaDir(dir));
  EXPECT_STREQ(dir, "C:\\windows\\system32\\macromed\\shockwave 8\\dswmedia\\");
  EXPECT_FALSE(getWorldDir(nullptr));
  EXPECT_FALSE(getShockwaveMediaDir(nullptr));
}

TEST_F(SdkTest, AWorldFolderThatDoesNotFitIsRefusedNotCut) {
  // 249 characters and a backslash: with "\Desktops\" and the (empty) world it needs 261 bytes.
  const std::string longMainDir = "C:\\" + std::string(246, 'l') + "\\";
  writeRegText(kInstallKeyPath, "MainDir", longMainDir);
  BoxAnswerer boxes;  // no world can be found there
  char dir[ZORV_DESKTOP_PATH_SIZE];
  std::memset(dir, 'x', sizeof dir);
  EXPECT_FALSE(getWorldDir(dir));
  EXPECT_STREQ(dir, "");
  EXPECT_EQ(boxes.texts().size(), 1u);
}

TEST(SdkUtilityTest, TheHashTakesATextOrNull) {
  EXPECT_EQ(hashString("abc"), 25284);
  EXPECT_EQ(hashString(nullptr), 0);
}

}  // namespace
