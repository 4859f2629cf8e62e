// Choosing the current world: the recorded one while its movie file exists, else the search
// of "Desktops\dZORV_*" and its record in "CurrMovie".
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "desktop_fixture.h"

namespace {

using Lines = std::vector<std::string>;

class CurrentWorldTest : public DesktopWinTest {
 protected:
  // The buffer form's result and name; the buffer starts out full of junk.
  std::string currentWorld(bool expectedResult = true) {
    char name[MAX_PATH];
    std::memset(name, '#', sizeof name);
    EXPECT_EQ(getCurrentWorld(name), expectedResult);
    return name;
  }

  long warnings() const {
    const Lines lines = logLines();
    return std::count(lines.begin(), lines.end(),
                      "WARNING could not read current world from Registry!");
  }

  // The lines of a search that starts because the recorded world's movie is missing.
  Lines searchAfterMissing(const std::string& recorded) const {
    return {"ERROR could not find world " + installDir_ + "Desktops\\" + recorded + "\\" +
                recorded + ".dcr",
            "Will search for world", "getCurrentWorld searching for valid ZORV world"};
  }
};

TEST_F(CurrentWorldTest, AValidRecordedWorldIsReturnedAndNotRewritten) {
  makeWorld("dZORV_A");
  makeWorld("dZORV_Home");
  // Any value type is accepted; a rewrite would turn this one into REG_SZ.
  recordWorld("dZORV_Home", REG_BINARY);
  EXPECT_EQ(currentWorld(), "dZORV_Home");
  EXPECT_EQ(recordedWorld().type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(logLines(), Lines{"getCurrentWorld returning dZORV_Home"});
  EXPECT_TRUE(boxTexts().empty());
}

TEST_F(CurrentWorldTest, WorldsOutsideTheSearchPatternAndFolderMoviesCount) {
  makeWorld("mZORV_Chat");
  recordWorld("mZORV_Chat");
  EXPECT_EQ(currentWorld(), "mZORV_Chat");
  makeWorld("wZORV_Site");
  recordWorld("wZORV_Site");
  EXPECT_EQ(currentWorld(), "wZORV_Site");
  // A folder carrying the movie file's name is an entry of that exact path.
  makeWorld("dZORV_Odd", false);
  ASSERT_TRUE(CreateDirectoryA(moviePath("dZORV_Odd").c_str(), nullptr));
  recordWorld("dZORV_Odd");
  EXPECT_EQ(currentWorld(), "dZORV_Odd");
  EXPECT_EQ(logLines().size(), 3u);  // one "returning" line each, no search
}

TEST_F(CurrentWorldTest, WithoutARecordTheFirstFolderWithItsMovieIsChosenAndRecorded) {
  makeWorld("dZORV_A");
  makeWorld("dZORV_B", false);
  EXPECT_EQ(currentWorld(), "dZORV_A");
  const RegistryText recorded = recordedWorld();
  EXPECT_EQ(recorded.text, "dZORV_A");
  EXPECT_EQ(recorded.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(recorded.size, sizeof "dZORV_A");  // terminator counted

  Lines expected{"WARNING could not read current world from Registry!"};
  for (const std::string& line : searchAfterMissing("")) expected.push_back(line);
  expected.push_back("getCurrentWorld set default world dZORV_A");
  expected.push_back("getCurrentWorld returning dZORV_A");
  EXPECT_EQ(logLines(), expected);
}

TEST_F(CurrentWorldTest, AFolderWithoutItsMovieIsPassedOverForALaterOneWithIt) {
  makeWorld("dZORV_A", false);
  makeWorld("dZORV_B");
  makeWorld("dZORV_C");
  makeFile(desktops() + "\\dZORV_0.txt");  // a plain file matching the pattern is no world
  recordWorld("dZORV_Gone");
  EXPECT_EQ(currentWorld(), "dZORV_B");
  EXPECT_EQ(recordedWorld().text, "dZORV_B");
  const Lines lines = logLines();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(Lines(lines.begin(), lines.begin() + 3), searchAfterMissing("dZORV_Gone"));
}

TEST_F(CurrentWorldTest, OnlyInvalidFoldersMakeTheLastOneCurrentAndEveryCallSearchesAgain) {
  makeWorld("dZORV_A", false);
  makeWorld("dZORV_B", false);
  EXPECT_EQ(currentWorld(), "dZORV_B");
  EXPECT_EQ(recordedWorld().text, "dZORV_B");
  closeLog();
  DeleteFileA(logPath(0).c_str());
  openLog("game", true);

  EXPECT_EQ(currentWorld(), "dZORV_B");
  Lines expected = searchAfterMissing("dZORV_B");
  expected.push_back("getCurrentWorld set default world dZORV_B");
  expected.push_back("getCurrentWorld returning dZORV_B");
  EXPECT_EQ(logLines(), expected);
}

TEST_F(CurrentWorldTest, OnlyPlainFilesGiveAnEmptyRecordedNameAndNoBox) {
  makeFile(desktops() + "\\dZORV_A.dcr");
  makeFile(desktops() + "\\dZORV_B");
  EXPECT_EQ(currentWorld(), "");
  const RegistryText recorded = recordedWorld();
  EXPECT_TRUE(recorded.present);
  EXPECT_EQ(recorded.text, "");
  EXPECT_EQ(recorded.size, 1u);
  EXPECT_TRUE(boxTexts().empty());
  EXPECT_EQ(logLines().back(), "getCurrentWorld returning ");
}

TEST_F(CurrentWorldTest, NoWorldAtAllIsToldOnEveryCallAndNothingIsRecorded) {
  makeWorld("mZORV_NotSearched");  // only desktop worlds are searched
  EXPECT_EQ(currentWorld(), "");
  CString name("unchanged");
  EXPECT_TRUE(getCurrentWorld(name));
  EXPECT_STREQ(name, "");  // the buffer form said true, with an empty name
  EXPECT_EQ(boxTexts(), (Lines{"No ZORV Worlds are installed", "No ZORV Worlds are installed"}));
  EXPECT_FALSE(recordedWorld().present);
  EXPECT_EQ(logLines().back(), "ERROR No ZORV Worlds are installed");
}

TEST_F(CurrentWorldTest, ANameOf128CharactersCannotBeReadBackSoEveryCallSearches) {
  // "CurrMovie" is read into 128 bytes: 127 characters come back, 128 do not.
  const std::string fits = "dZORV_" + std::string(121, 'f');
  makeWorld(fits, false);
  EXPECT_EQ(currentWorld(), fits);
  EXPECT_EQ(currentWorld(), fits);
  EXPECT_EQ(warnings(), 1);
  removeTree(worldFolder(fits));

  const std::string tooLong = fits + "g";
  makeWorld(tooLong, false);
  EXPECT_EQ(currentWorld(), tooLong);
  EXPECT_EQ(recordedWorld().text, tooLong);
  EXPECT_EQ(currentWorld(), tooLong);
  EXPECT_EQ(warnings(), 2);
}

TEST_F(CurrentWorldTest, UnterminatedRecordsAreReadWithinTheirBytes) {
  makeWorld("dZORV_Home");
  // Binary data without a terminator, exactly 10 bytes of it.
  ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, kInstallKeyPath, "CurrMovie", REG_BINARY,
                            "dZORV_Home", 10),
            ERROR_SUCCESS);
  EXPECT_EQ(currentWorld(), "dZORV_Home");
  // All 128 bytes without a terminator: a 128-character name, ending exactly there, of a
  // world that does not exist, so the search takes over.
  const std::string junk(128, 'x');
  ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, kInstallKeyPath, "CurrMovie", REG_BINARY,
                            junk.c_str(), 128),
            ERROR_SUCCESS);
  EXPECT_EQ(currentWorld(), "dZORV_Home");
  const std::string missing = "ERROR could not find world " + installDir_ + "Desktops\\" + junk;
  EXPECT_EQ(logLines().at(1).substr(0, missing.size() + 1), missing + "\\");
  EXPECT_EQ(recordedWorld().type, static_cast<DWORD>(REG_SZ));
}

TEST_F(CurrentWorldTest, WithoutAnInstallationFolderTheNameIsEmpty) {
  ASSERT_EQ(RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kInstallKeyPath, "MainDir"), ERROR_SUCCESS);
  makeWorld("dZORV_A");
  EXPECT_EQ(currentWorld(), "");
  EXPECT_EQ(logLines(), (Lines{"Unable to read ZORV installation directory in Server",
                               "ERROR could not get ZORV install dir from registry!"}));
  EXPECT_FALSE(recordedWorld().present);
  EXPECT_FALSE(getCurrentWorld(static_cast<char*>(nullptr)));
}

TEST_F(CurrentWorldTest, TheStringFormTakesTheName) {
  makeWorld("dZORV_A");
  CString name("old");
  EXPECT_TRUE(getCurrentWorld(name));
  EXPECT_STREQ(name, "dZORV_A");
}

TEST_F(CurrentWorldTest, ALongPathIsCutInItsLogLine) {
  // The recorded name makes the movie path far longer than a log text's 259 characters.
  const std::string name(127, 'n');  // still readable from "CurrMovie"
  recordWorld(name);
  makeWorld("dZORV_A");
  EXPECT_EQ(currentWorld(), "dZORV_A");
  const std::string full = "ERROR could not find world " + moviePath(name);
  ASSERT_GT(full.size(), static_cast<std::size_t>(MAX_PATH - 1));
  EXPECT_EQ(logLines().at(0), full.substr(0, MAX_PATH - 1));
}

}  // namespace
