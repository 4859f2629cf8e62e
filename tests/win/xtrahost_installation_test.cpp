// The temporary ZORV installation behind the script commands "install" and "world": the folder,
// the copied GameModule, the worlds and "MainDir" exist while it lives, and the registry is left
// as it was found.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "temporary_installation.h"
#include "win_test_support.h"

namespace xtrahost {
namespace {

std::optional<std::string> readMainDir() { return readRegText(kInstallKeyPath, "MainDir"); }

bool keyExists(const std::string& keyPath = kInstallKeyPath) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

class InstallationTest : public ::testing::Test {
 protected:
  void SetUp() override { removeInstallKey(); }
  void TearDown() override { removeInstallKey(); }
};

TEST_F(InstallationTest, InstallsAGameModuleAndRemovesEverythingAfterwards) {
  std::string folder;
  std::string installed;
  {
    TemporaryInstallation installation;
    folder = installation.folder();
    installed = installation.addGameModule("xtrahost_fake.x32", "Game.dll");
    EXPECT_EQ(installed, folder + "\\ZORV_Desktop\\Xtras\\Game.dll");
    EXPECT_TRUE(fileExists(installed));
    EXPECT_EQ(readMainDir(), folder);
    EXPECT_THROW(installation.addGameModule("no_such_file.dll"), std::runtime_error);
  }
  EXPECT_FALSE(fileExists(installed));
  EXPECT_FALSE(fileExists(folder));
  EXPECT_FALSE(keyExists());
}

TEST_F(InstallationTest, AnExistingInstallationIsPutBack) {
  const char before[] = "C:\\ZORV";
  writeRegText(kInstallKeyPath, "MainDir", before);
  {
    TemporaryInstallation installation;
    EXPECT_EQ(readMainDir(), installation.folder());
  }
  EXPECT_EQ(readMainDir(), before);
}

TEST_F(InstallationTest, AWorldHasItsMovieFileAndKeyAndBecomesCurrent) {
  std::string folder;
  {
    TemporaryInstallation installation;
    folder = installation.folder();
    EXPECT_EQ(installation.statistic("Games"), std::nullopt);  // no world yet
    const std::string movie = installation.addWorld("dZORV_One");
    EXPECT_EQ(movie, folder + "\\Desktops\\dZORV_One\\dZORV_One.dcr");
    EXPECT_TRUE(fileExists(movie));
    EXPECT_TRUE(keyExists("SOFTWARE\\ZORV\\dZORV_One"));
    EXPECT_EQ(readRegText(kInstallKeyPath, "CurrMovie"), "dZORV_One");

    installation.addWorld("mZORV_Two");
    EXPECT_EQ(readRegText(kInstallKeyPath, "CurrMovie"), "mZORV_Two");
    EXPECT_EQ(installation.statistic("Games"), std::nullopt);
    writeRegText("SOFTWARE\\ZORV\\mZORV_Two", "Games", "7");
    EXPECT_EQ(installation.statistic("Games"), "7");
    const std::string notes(3000, 'n');
    writeRegText("SOFTWARE\\ZORV\\mZORV_Two", "Notes", notes);
    EXPECT_EQ(installation.statistic("Notes"), notes);
    writeRegText(kInstallKeyPath, "CurrMovie", "dZORV_One");  // as a game's library would switch
    EXPECT_EQ(installation.statistic("Games"), std::nullopt);
  }
  EXPECT_FALSE(fileExists(folder));
  EXPECT_FALSE(keyExists());
}

TEST_F(InstallationTest, WorldNamesThatAreNoPlainFolderNameAreRefused) {
  TemporaryInstallation installation;
  for (const std::string& name : std::vector<std::string>{
           "", ".", "..", "a\\b", "a/b", "c:", "a*", "q?", "x\"y", "<", "|", "tab\t", "dot.",
           "blank ", std::string(128, 'd'), std::string(120, 'd')}) {
    EXPECT_THROW(installation.addWorld(name), std::runtime_error) << name;
  }
  EXPECT_FALSE(fileExists(installation.folder() + "\\Desktops\\a"));
  EXPECT_EQ(readRegText(kInstallKeyPath, "CurrMovie"), std::nullopt);
  EXPECT_EQ(installation.addWorld(std::string(80, 'd')).size(),
            installation.folder().size() + 10 + 80 + 1 + 80 + 4);
}

TEST_F(InstallationTest, AnExistingWorldKeyAndCurrentWorldArePutBack) {
  writeRegText(kInstallKeyPath, "CurrMovie", "dZORV_Home");
  writeRegText("SOFTWARE\\ZORV\\dZORV_Home", "Best", "12");
  {
    TemporaryInstallation installation;
    installation.addWorld("dZORV_Home");
    installation.addWorld("dZORV_New");
    writeRegText("SOFTWARE\\ZORV\\dZORV_Home", "Games", "1");
  }
  EXPECT_EQ(readRegText(kInstallKeyPath, "CurrMovie"), "dZORV_Home");
  EXPECT_EQ(readRegText("SOFTWARE\\ZORV\\dZORV_Home", "Best"), "12");
  EXPECT_EQ(readRegText("SOFTWARE\\ZORV\\dZORV_Home", "Games"), "1");  // the world's own key stays
  EXPECT_FALSE(keyExists("SOFTWARE\\ZORV\\dZORV_New"));
  EXPECT_EQ(readMainDir(), std::nullopt);
}

}  // namespace
}  // namespace xtrahost
