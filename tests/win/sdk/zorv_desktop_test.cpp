// The games' library as a GameModule sees it: this program includes sdk/zorv_desktop.h only and
// links libzorvdesktop.a only, like a game.
#include "sdk/zorv_desktop.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "installation_fixture.h"

namespace {

using SdkTest = TemporaryInstallationTest;

// Taking every address makes the link fail for anything declared that the library lacks.
TEST(SdkLinkTest, EveryDeclaredFunctionIsInTheLibrary) {
  const void* functions[] = {
      reinterpret_cast<const void*>(static_cast<bool (*)(char*)>(getInstallDir)),
      reinterpret_cast<const void*>(static_cast<bool (*)(char*)>(getCurrentWorld)),
      reinterpret_cast<const void*>(static_cast<bool (*)(char*)>(getWorldDir)),
      reinterpret_cast<const void*>(static_cast<bool (*)(char*)>(getVisualDir)),
      reinterpret_cast<const void*>(static_cast<bool (*)(char*)>(getShockwaveMediaDir)),
      reinterpret_cast<const void*>(getGameStat),
      reinterpret_cast<const void*>(setGameStat),
      reinterpret_cast<const void*>(openWorldKey),
      reinterpret_cast<const void*>(seedRandom),
      reinterpret_cast<const void*>(randomFloat),
      reinterpret_cast<const void*>(randomInt),
      reinterpret_cast<const void*>(static_cast<int (*)(const char*)>(hashString)),
      reinterpret_cast<const void*>(isWin9x),
      reinterpret_cast<const void*>(splitPath),
      reinterpret_cast<const void*>(isRootPath),
      reinterpret_cast<const void*>(getFriendlyAppName),
      reinterpret_cast<const void*>(getOpenCommandExe),
      reinterpret_cast<const void*>(parseShellPath),
      reinterpret_cast<const void*>(openLog),
      reinterpret_cast<const void*>(closeLog),
      reinterpret_cast<const void*>(logMessage),
  };
  for (const void* function : functions) EXPECT_NE(function, nullptr);
}

TEST_F(SdkTest, TheBufferFormsGiveTheWorldAndMediaFolders) {
  addWorld("dZORV_Sdk");
  writeRegText(kZorvKey, "CurrMovie", "dZORV_Sdk");
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
  writeRegText(kZorvKey, "MainDir", longMainDir);
  BoxAnswerer boxes;  // no world can be found there
  char dir[ZORV_DESKTOP_PATH_SIZE];
  std::memset(dir, 'x', sizeof dir);
  EXPECT_FALSE(getWorldDir(dir));
  EXPECT_STREQ(dir, "");
  EXPECT_EQ(boxes.texts().size(), 1u);
}

TEST_F(SdkTest, StatisticsGoToTheCurrentWorldsKey) {
  addWorld("dZORV_Sdk");
  writeRegText(kZorvKey, "CurrMovie", "dZORV_Sdk");
  setGameStat("Level", "12");
  EXPECT_EQ(readRegText("SOFTWARE\\ZORV\\dZORV_Sdk", "Level"), "12");
  char text[16];
  getGameStat("Level", text, sizeof text);
  EXPECT_STREQ(text, "12");
  getGameStat("Never written", text, sizeof text);
  EXPECT_STREQ(text, "");
}

TEST(SdkUtilityTest, HashOfTextsAndNull) {
  EXPECT_EQ(hashString("abc"), 25284);
  EXPECT_EQ(hashString(""), 0);
  EXPECT_EQ(hashString(nullptr), 0);
}

}  // namespace
