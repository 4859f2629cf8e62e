// The temporary ZORV installation behind the script commands "install" and "world": the folder,
// the copied GameModule, the worlds and "MainDir" exist while it lives, and the registry is left
// as it was found.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "temporary_installation.h"

namespace xtrahost {
namespace {

constexpr char kKeyPath[] = "SOFTWARE\\ZORV";

std::optional<std::string> readValue(const std::string& keyPath, const char* name) {
  char value[MAX_PATH] = {};
  DWORD size = sizeof value;
  if (RegGetValueA(HKEY_LOCAL_MACHINE, keyPath.c_str(), name, RRF_RT_REG_SZ, nullptr, value,
                   &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::string(value);
}

std::optional<std::string> readMainDir() { return readValue(kKeyPath, "MainDir"); }

bool keyExists(const std::string& keyPath = kKeyPath) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

void setValue(const std::string& keyPath, const char* name, const std::string& text) {
  ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, keyPath.c_str(), name, REG_SZ, text.c_str(),
                            static_cast<DWORD>(text.size() + 1)),
            ERROR_SUCCESS);
}

bool fileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class InstallationTest : public ::testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, kKeyPath); }
  void TearDown() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, kKeyPath); }
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
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  const char before[] = "C:\\ZORV";
  RegSetValueExA(key, "MainDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(before), sizeof before);
  RegCloseKey(key);
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
    EXPECT_EQ(readValue(kKeyPath, "CurrMovie"), "dZORV_One");

    installation.addWorld("mZORV_Two");
    EXPECT_EQ(readValue(kKeyPath, "CurrMovie"), "mZORV_Two");
    EXPECT_EQ(installation.statistic("Games"), std::nullopt);
    setValue("SOFTWARE\\ZORV\\mZORV_Two", "Games", "7");
    EXPECT_EQ(installation.statistic("Games"), "7");
    const std::string notes(3000, 'n');
    setValue("SOFTWARE\\ZORV\\mZORV_Two", "Notes", notes);
    EXPECT_EQ(installation.statistic("Notes"), notes);
    setValue(kKeyPath, "CurrMovie", "dZORV_One");  // as a game's library would switch
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
  EXPECT_EQ(readValue(kKeyPath, "CurrMovie"), std::nullopt);
  EXPECT_EQ(installation.addWorld(std::string(80, 'd')).size(),
            installation.folder().size() + 10 + 80 + 1 + 80 + 4);
}

TEST_F(InstallationTest, AnExistingWorldKeyAndCurrentWorldArePutBack) {
  setValue(kKeyPath, "CurrMovie", "dZORV_Home");
  setValue("SOFTWARE\\ZORV\\dZORV_Home", "Best", "12");
  {
    TemporaryInstallation installation;
    installation.addWorld("dZORV_Home");
    installation.addWorld("dZORV_New");
    setValue("SOFTWARE\\ZORV\\dZORV_Home", "Games", "1");
  }
  EXPECT_EQ(readValue(kKeyPath, "CurrMovie"), "dZORV_Home");
  EXPECT_EQ(readValue("SOFTWARE\\ZORV\\dZORV_Home", "Best"), "12");
  EXPECT_EQ(readValue("SOFTWARE\\ZORV\\dZORV_Home", "Games"), "1");  // the world's own key stays
  EXPECT_FALSE(keyExists("SOFTWARE\\ZORV\\dZORV_New"));
  EXPECT_EQ(readMainDir(), std::nullopt);
}

}  // namespace
}  // namespace xtrahost
