// The games' library as a GameModule sees it: this program includes sdk/zorv_desktop.h only and
// links libzorvdesktop.a only, like a game. And the sample game Dice Duel keeping its record in
// the current world through that library, shown in its score dialog: the dialogs are answered by
// a helper thread that reads the record line.
#include "sdk/zorv_desktop.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "installation_fixture.h"
#include "sdk/zorv_game_module.h"

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

TEST(SdkUtilityTest, TheHashTakesNull) {  // the text itself is checked natively
  EXPECT_EQ(hashString(nullptr), 0);
}

constexpr char kResultsCaption[] = "Dice Duel - Results";
constexpr int kRecordLine = 1005;  // the score dialog's record text

class DiceRecordTest : public TemporaryInstallationTest {
 protected:
  void SetUp() override {
    TemporaryInstallationTest::SetUp();
    SetEnvironmentVariableA("ZORV_GAME_UNATTENDED", nullptr);  // the dialogs wait for OK
    game_ = LoadLibraryA("..\\samples\\ZorvDice.dll");
    ASSERT_NE(game_, nullptr) << GetLastError();
    score_ = reinterpret_cast<ZorvGameScoreDlgFn>(
        reinterpret_cast<void*>(GetProcAddress(game_, ZORV_GAME_SCORE_EXPORT)));
    ASSERT_NE(score_, nullptr);
  }
  void TearDown() override {
    if (game_ != nullptr) FreeLibrary(game_);
    TemporaryInstallationTest::TearDown();
  }

  // Plays one game; gives its margin and what the score dialog showed as the record.
  int play(const char* setup, std::string* recordLine) {
    BoxAnswerer dialog(kResultsCaption, kRecordLine);
    const int margin = score_(setup, static_cast<int>(std::strlen(setup)));
    const std::vector<std::string> shown = dialog.texts();
    *recordLine = shown.size() == 1 ? shown[0] : "<" + std::to_string(shown.size()) + " dialogs>";
    return margin;
  }

  HMODULE game_ = nullptr;
  ZorvGameScoreDlgFn score_ = nullptr;
};

// The demo script's test plays two games from no record; here the world has one already.
TEST_F(DiceRecordTest, AGameCountsAndABetterMarginIsKept) {
  addWorld("dZORV_Dice");
  writeRegText(kInstallKeyPath, "CurrMovie", "dZORV_Dice");
  const std::string key = "SOFTWARE\\ZORV\\dZORV_Dice";
  writeRegText(key, "DiceDuelGamesPlayed", "4");
  writeRegText(key, "DiceDuelBestScore", "-60");  // below any margin: the game beats it
  std::string shown;
  const std::string margin = std::to_string(play("Ada;2", &shown));
  EXPECT_EQ(readRegText(key, "DiceDuelGamesPlayed"), "5");
  EXPECT_EQ(readRegText(key, "DiceDuelBestScore"), margin);
  EXPECT_EQ(shown, "dZORV_Dice: Games played: 5, best score: " + margin);
}

TEST_F(DiceRecordTest, WithoutAWorldTheGameIsPlayedAndNothingIsKept) {
  BoxAnswerer boxes;
  std::string shown;
  play("Ada;1", &shown);
  EXPECT_EQ(shown, "No ZORV world is installed: the record is not kept.");
  EXPECT_EQ(boxes.texts(), std::vector<std::string>{"No ZORV Worlds are installed"});
  EXPECT_EQ(readRegText(kInstallKeyPath, "DiceDuelGamesPlayed"), std::nullopt);
}

}  // namespace
