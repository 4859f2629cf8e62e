// The buffer forms that the games' library adds (the package test links every declared function
// and reads a world's folder through a game), and the sample game Dice Duel keeping its record in
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

TEST_F(SdkTest, BufferFormsRefuseAFolderThatDoesNotFitAndTakeNull) {
  // 249 characters and a backslash: with "\Desktops\" and the (empty) world it needs 261 bytes.
  const std::string longMainDir = "C:\\" + std::string(246, 'l') + "\\";
  writeRegText(kInstallKeyPath, "MainDir", longMainDir);
  BoxAnswerer boxes;  // no world can be found there
  char dir[ZORV_DESKTOP_PATH_SIZE];
  std::memset(dir, 'x', sizeof dir);
  EXPECT_FALSE(getWorldDir(dir));
  EXPECT_STREQ(dir, "");
  EXPECT_EQ(boxes.texts().size(), 1u);
  ASSERT_TRUE(getShockwaveMediaDir(dir));
  EXPECT_STREQ(dir, "C:\\windows\\system32\\macromed\\shockwave 8\\dswmedia\\");
  EXPECT_FALSE(getWorldDir(nullptr) || getShockwaveMediaDir(nullptr));
  EXPECT_EQ(hashString(nullptr), 0);  // the text itself is checked natively
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

// Without a world the game is played and nothing is kept. The demo script checks the record
// growing in the world's statistics over two games; here what the score dialog shows.
TEST_F(DiceRecordTest, TheRecordIsKeptOnlyInAWorldAndShown) {
  std::string shown;
  {
    BoxAnswerer boxes;
    play("Ada;1", &shown);
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"No ZORV Worlds are installed"});
  }
  EXPECT_EQ(shown, "No ZORV world is installed: the record is not kept.");
  EXPECT_EQ(readRegText(kInstallKeyPath, "DiceDuelGamesPlayed"), std::nullopt);
  addWorld("dZORV_Dice");
  writeRegText(kInstallKeyPath, "CurrMovie", "dZORV_Dice");
  const std::string margin = std::to_string(play("Ada;2", &shown));
  EXPECT_EQ(shown, "dZORV_Dice: Games played: 1, best score: " + margin);
}

}  // namespace
