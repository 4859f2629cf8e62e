// Game statistics in the current world's key, and the key itself.
#include <cstring>

#include "desktop_fixture.h"

namespace {

constexpr char kWorldKey[] = "SOFTWARE\\ZORV\\dZORV_Home";

class GameStatsTest : public DesktopWinTest {
 protected:
  void useHomeWorld() {
    makeWorld("dZORV_Home");
    recordWorld("dZORV_Home");
    RegSetKeyValueA(HKEY_LOCAL_MACHINE, kWorldKey, "games", REG_SZ, "12345", 6);
  }

  // A statistic read into size bytes of junk: every byte after the text must be cleared.
  static std::string stat(const char* name, DWORD size) {
    std::string buffer(size, '#');
    getGameStat(name, buffer.data(), size);
    const std::size_t length = std::strlen(buffer.c_str());
    EXPECT_EQ(buffer.find_first_not_of('\0', length), std::string::npos) << name << size;
    return buffer.c_str();
  }
};

TEST_F(GameStatsTest, RoundTripInTheWorldsKeyAndTextsAsLongAsTheBufferReadEmpty) {
  useHomeWorld();
  setGameStat("best", "4210");
  EXPECT_EQ(readValue(kWorldKey, "best"), std::make_pair(std::string("4210"), DWORD{REG_SZ}));
  EXPECT_EQ(stat("best", 16), "4210");
  EXPECT_EQ(stat("never written", 16), "");
  EXPECT_EQ(stat("games", 6), "12345");
  EXPECT_EQ(stat("games", 5), "");
  RegSetKeyValueA(HKEY_LOCAL_MACHINE, kWorldKey, "raw", REG_BINARY, "abc", 3);
  EXPECT_EQ(stat("raw", 4), "abc");  // the cleared buffer terminates it
  EXPECT_EQ(stat("raw", 3), "");
  EXPECT_TRUE(boxes_.texts().empty());
}

TEST_F(GameStatsTest, WithoutTheWorldsKeyNothingIsReadOrWritten) {
  makeWorld("dZORV_Home");
  recordWorld("dZORV_Home");
  setGameStat("best", "1");
  EXPECT_EQ(stat("best", 8), "");
  EXPECT_EQ(openWorldKey(), nullptr);
  EXPECT_EQ(readValue(kInstallKeyPath, "best").second, static_cast<DWORD>(REG_NONE));
  EXPECT_EQ(logLines().back(), "ERROR Unable to open ZORV world key!");
}

TEST_F(GameStatsTest, WithNoWorldStatisticsLiveInTheInstallationKey) {
  setGameStat("games", "3");
  EXPECT_EQ(readValue(kInstallKeyPath, "games").first, "3");
  EXPECT_EQ(stat("games", 8), "3");
  EXPECT_EQ(boxes_.texts().size(), 2u);  // each call was told that no world is installed
}

TEST_F(GameStatsTest, AFailedWriteIsToldAndNullArgumentsDoNothing) {
  useHomeWorld();
  setGameStat(std::string(20000, 'n').c_str(), "1");  // longer than a value name may be
  EXPECT_EQ(boxes_.texts(), Lines{"Unable to save game stat info!"});
  char text[8] = "junk";
  getGameStat(nullptr, text, sizeof text);
  getGameStat("games", text, 0);
  EXPECT_STREQ(text, "junk");
  setGameStat(nullptr, "1");
  setGameStat("games", nullptr);
  EXPECT_EQ(readValue(kWorldKey, "games").first, "12345");
}

}  // namespace
