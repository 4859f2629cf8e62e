// Game statistics in the current world's key, and the key itself.
#include <algorithm>
#include <cstring>
#include <string>

#include "desktop_fixture.h"

namespace {

constexpr char kWorldKey[] = "SOFTWARE\\ZORV\\dZORV_Home";

class GameStatsTest : public DesktopWinTest {
 protected:
  // A valid current world dZORV_Home with its registry key.
  void useHomeWorld() {
    makeWorld("dZORV_Home");
    recordWorld("dZORV_Home");
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kWorldKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }

  // getGameStat into a buffer of size bytes that starts out full of junk; every byte after
  // the text must have been cleared.
  static std::string stat(const char* name, DWORD size) {
    std::string buffer(size, '#');
    getGameStat(name, buffer.data(), size);
    const std::size_t length = std::strlen(buffer.c_str());
    EXPECT_LT(length, static_cast<std::size_t>(size)) << name;
    EXPECT_EQ(buffer.find_first_not_of('\0', length), std::string::npos) << name;
    return buffer.c_str();
  }
};

TEST_F(GameStatsTest, StatisticsRoundTripInTheWorldsKey) {
  useHomeWorld();
  setGameStat("best", "4210");
  EXPECT_EQ(readValue(kWorldKey, "best").text, "4210");
  EXPECT_EQ(readValue(kWorldKey, "best").type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(stat("best", 16), "4210");
  setGameStat("best", "");
  EXPECT_EQ(stat("best", 16), "");
  EXPECT_EQ(stat("never written", 16), "");
  EXPECT_TRUE(boxTexts().empty());
}

TEST_F(GameStatsTest, ATextAsLongAsTheBufferDoesNotFitAndReadsEmpty) {
  useHomeWorld();
  setGameStat("games", "12345");
  EXPECT_EQ(stat("games", 6), "12345");
  EXPECT_EQ(stat("games", 5), "");
  EXPECT_EQ(stat("games", 1), "");
  // Binary data without a terminator gets the one of the cleared buffer.
  ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, kWorldKey, "raw", REG_BINARY, "abc", 3),
            ERROR_SUCCESS);
  EXPECT_EQ(stat("raw", 4), "abc");
  EXPECT_EQ(stat("raw", 3), "");
}

TEST_F(GameStatsTest, WithoutAWorldKeyNothingIsReadOrWritten) {
  makeWorld("dZORV_Home");
  recordWorld("dZORV_Home");
  setGameStat("best", "1");
  EXPECT_EQ(stat("best", 8), "");
  EXPECT_EQ(readValue(kWorldKey, "best").present, false);
  EXPECT_FALSE(readValue(kInstallKeyPath, "best").present);
  const std::vector<std::string> lines = logLines();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "ERROR Unable to open ZORV world key!"), 2);
  EXPECT_TRUE(boxTexts().empty());
  EXPECT_EQ(openWorldKey(), nullptr);
}

TEST_F(GameStatsTest, WithAnEmptyWorldNameStatisticsLiveInTheInstallationKey) {
  makeFile(desktops() + "\\dZORV_NotAFolder");  // searched, no folder: the empty name is saved
  setGameStat("games", "3");
  EXPECT_EQ(readValue(kInstallKeyPath, "games").text, "3");
  EXPECT_EQ(stat("games", 8), "3");
  EXPECT_TRUE(boxTexts().empty());
}

TEST_F(GameStatsTest, WithNoWorldInstalledEveryCallTellsTheUser) {
  setGameStat("games", "3");
  EXPECT_EQ(stat("games", 8), "3");  // the empty name opened the installation key
  EXPECT_EQ(boxTexts().size(), 2u);
}

TEST_F(GameStatsTest, AFailedWriteIsTold) {
  useHomeWorld();
  const std::string tooLongName(20000, 'n');  // longer than a value name may be
  setGameStat(tooLongName.c_str(), "1");
  EXPECT_EQ(boxTexts(), std::vector<std::string>{"Unable to save game stat info!"});
}

TEST_F(GameStatsTest, NullArgumentsDoNothing) {
  useHomeWorld();
  char text[8] = "junk";
  getGameStat(nullptr, text, sizeof text);
  EXPECT_STREQ(text, "junk");
  getGameStat("best", nullptr, 8);
  getGameStat("best", text, 0);
  EXPECT_STREQ(text, "junk");
  setGameStat(nullptr, "1");
  setGameStat("best", nullptr);
  EXPECT_FALSE(readValue(kWorldKey, "best").present);
}

TEST_F(GameStatsTest, TheWorldKeyIsTheCurrentWorldsAndOpenForWriting) {
  useHomeWorld();
  HKEY key = openWorldKey();
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(RegSetValueExA(key, "direct", 0, REG_SZ, reinterpret_cast<const BYTE*>("yes"), 4),
            ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(readValue(kWorldKey, "direct").text, "yes");
}

TEST_F(GameStatsTest, WithoutTheInstallationKeyThereIsNoWorldKey) {
  removeInstallKey();
  EXPECT_EQ(openWorldKey(), nullptr);
  setGameStat("best", "1");
  EXPECT_EQ(stat("best", 8), "");
  EXPECT_TRUE(boxTexts().empty());
}

}  // namespace
