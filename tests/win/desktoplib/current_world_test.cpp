// Choosing the current world: the recorded one while its movie file exists, else the search
// of "Desktops\dZORV_*", recorded in "CurrMovie". And game statistics in the current world's
// key, and the key itself.
#include <algorithm>
#include <cstring>

#include "desktop_fixture.h"

namespace {

class CurrentWorldTest : public DesktopWinTest {
 protected:
  static std::string currentWorld() {
    char name[MAX_PATH] = "junk";
    EXPECT_TRUE(getCurrentWorld(name));
    return name;
  }
  static std::pair<std::string, DWORD> recorded() {
    return readValue(kInstallKeyPath, "CurrMovie");
  }
  long count(const std::string& line) const {
    const Lines lines = logLines();
    return std::count(lines.begin(), lines.end(), line);
  }
};

TEST_F(CurrentWorldTest, AValidRecordedWorldOfAnyKindIsReturnedAndNotRewritten) {
  makeWorld("dZORV_A");
  makeWorld("mZORV_Chat");
  recordWorld("mZORV_Chat", REG_BINARY);  // a rewrite would make it REG_SZ
  EXPECT_EQ(currentWorld(), "mZORV_Chat");
  EXPECT_EQ(recorded().second, static_cast<DWORD>(REG_BINARY));
  makeWorld("wZORV_Odd", false);  // a folder carrying the movie file's name counts
  CreateDirectoryA(moviePath("wZORV_Odd").c_str(), nullptr);
  recordWorld("wZORV_Odd");
  EXPECT_EQ(currentWorld(), "wZORV_Odd");
  EXPECT_EQ(logLines(),
            (Lines{"getCurrentWorld returning mZORV_Chat", "getCurrentWorld returning wZORV_Odd"}));
}

TEST_F(CurrentWorldTest, TheFirstFolderWithItsMovieIsChosenAndRecorded) {
  makeWorld("dZORV_0.dcr", false, true);  // plain files are passed over
  makeWorld("dZORV_A", false);
  makeWorld("dZORV_B");
  makeWorld("dZORV_C");
  EXPECT_EQ(currentWorld(), "dZORV_B");
  EXPECT_EQ(recorded(), std::make_pair(std::string("dZORV_B"), DWORD{REG_SZ}));
  EXPECT_EQ(
      logLines(),
      (Lines{"WARNING could not read current world from Registry!",
             "ERROR could not find world " + moviePath(""), "Will search for world",
             "getCurrentWorld searching for valid ZORV world",
             "getCurrentWorld set default world dZORV_B", "getCurrentWorld returning dZORV_B"}));
}

TEST_F(CurrentWorldTest, WithoutMoviesTheLastFolderIsRecordedAndEveryCallSearches) {
  makeWorld("dZORV_A", false);
  makeWorld("dZORV_B", false);
  EXPECT_EQ(currentWorld(), "dZORV_B");
  EXPECT_EQ(currentWorld(), "dZORV_B");
  EXPECT_EQ(count("ERROR could not find world " + moviePath("dZORV_B")), 1);
  EXPECT_EQ(count("getCurrentWorld set default world dZORV_B"), 2);
}

TEST_F(CurrentWorldTest, PlainFilesRecordAnEmptyNameAndNoMatchIsToldOnEveryCall) {
  makeWorld("dZORV_A", false, true);
  EXPECT_EQ(currentWorld(), "");
  EXPECT_EQ(recorded(), std::make_pair(std::string(), DWORD{REG_SZ}));
  EXPECT_TRUE(boxes_.texts().empty());

  DeleteFileA((desktops() + "\\dZORV_A").c_str());
  RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kInstallKeyPath, "CurrMovie");
  makeWorld("mZORV_NotSearched");
  EXPECT_EQ(currentWorld(), "");
  CString name("old");
  EXPECT_TRUE(getCurrentWorld(name));
  EXPECT_STREQ(name, "");
  EXPECT_EQ(boxes_.texts(),
            (Lines{"No ZORV Worlds are installed", "No ZORV Worlds are installed"}));
  EXPECT_EQ(recorded().second, static_cast<DWORD>(REG_NONE));
  EXPECT_EQ(logLines().back(), "ERROR No ZORV Worlds are installed");
}

TEST_F(CurrentWorldTest, NamesOf128CharactersAreRecordedButNotReadBack) {
  const std::string fits = "dZORV_" + std::string(121, 'f');  // 128 bytes with the terminator
  makeWorld(fits, false);
  currentWorld();
  EXPECT_EQ(currentWorld(), fits);
  EXPECT_EQ(count("WARNING could not read current world from Registry!"), 1);
  // Its movie path does not fit a log text: the line is cut to 259 characters.
  EXPECT_EQ(count(("ERROR could not find world " + moviePath(fits)).substr(0, MAX_PATH - 1)), 1);
  RemoveDirectoryA((desktops() + "\\" + fits).c_str());
  makeWorld(fits + "g", false);
  currentWorld();
  EXPECT_EQ(currentWorld(), fits + "g");
  EXPECT_EQ(count("WARNING could not read current world from Registry!"), 2);
}

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

// A failed write is told, null arguments do nothing.
TEST_F(GameStatsTest, RoundTripInTheWorldsKeyTextsAsLongAsTheBufferReadEmptyAFailedWriteIsTold) {
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

  setGameStat(std::string(20000, 'n').c_str(), "1");  // longer than a value name may be
  EXPECT_EQ(boxes_.texts(), Lines{"Unable to save game stat info!"});
  char text[8] = "junk";  // null arguments do nothing
  getGameStat(nullptr, text, sizeof text);
  getGameStat("games", text, 0);
  EXPECT_STREQ(text, "junk");
  setGameStat(nullptr, "1");
  setGameStat("games", nullptr);
  EXPECT_EQ(readValue(kWorldKey, "games").first, "12345");
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

}  // namespace
