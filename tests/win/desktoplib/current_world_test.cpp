// Choosing the current world: the recorded one while its movie file exists, else the search
// of "Desktops\dZORV_*", recorded in "CurrMovie".
#include <algorithm>

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

}  // namespace
