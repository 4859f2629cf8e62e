// Dice Duel keeps its record in the current world through the games' library and shows it in
// its score dialog. The dialogs are answered by a helper thread that reads the record line.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "installation_fixture.h"
#include "sdk/zorv_game_module.h"

namespace {

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

TEST_F(DiceRecordTest, EachGameCountsAndTheBestMarginIsKept) {
  addWorld("dZORV_Dice");
  writeRegText(kInstallKeyPath, "CurrMovie", "dZORV_Dice");
  const std::string key = "SOFTWARE\\ZORV\\dZORV_Dice";
  writeRegText(key, "DiceDuelGamesPlayed", "4");
  writeRegText(key, "DiceDuelBestScore", "-60");  // below any margin: the first game beats it

  std::string shown;
  const int first = play("Ada;2", &shown);
  EXPECT_EQ(readRegText(key, "DiceDuelGamesPlayed"), "5");
  EXPECT_EQ(readRegText(key, "DiceDuelBestScore"), std::to_string(first));
  EXPECT_EQ(shown, "dZORV_Dice: Games played: 5, best score: " + std::to_string(first));

  const int second = play("Ada;9", &shown);
  const std::string best = std::to_string(std::max(first, second));
  EXPECT_EQ(readRegText(key, "DiceDuelGamesPlayed"), "6");
  EXPECT_EQ(readRegText(key, "DiceDuelBestScore"), best);
  EXPECT_EQ(shown, "dZORV_Dice: Games played: 6, best score: " + best);
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
