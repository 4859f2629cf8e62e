// The temporary ZORV installation behind the script command "install": the folder, the copied
// GameModule and "MainDir" exist while it lives, and the registry is left as it was found.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "temporary_installation.h"

namespace xtrahost {
namespace {

constexpr char kKeyPath[] = "SOFTWARE\\ZORV";

std::optional<std::string> readMainDir() {
  char value[MAX_PATH] = {};
  DWORD size = sizeof value;
  if (RegGetValueA(HKEY_LOCAL_MACHINE, kKeyPath, "MainDir", RRF_RT_REG_SZ, nullptr, value, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::string(value);
}

bool keyExists() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
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

}  // namespace
}  // namespace xtrahost
