// The installation key in Wine's real registry. Wine runs every process elevated, so a process
// that may read but not write HKLM\SOFTWARE (openInstallKey failing although the key exists)
// cannot be produced here; that case is left untested rather than faked.
#include <gtest/gtest.h>

#include <string>

#include "common/install_registry.h"
#include "common_fixture.h"

namespace {

using InstallRegistryTest = CommonWinTest;

// The folder through both forms; "failed" marks a form that returned false (the string form
// must then leave its argument as it was).
std::string readBothForms() {
  char buffer[MAX_PATH];
  const std::string fromBuffer = getInstallDir(buffer) ? buffer : "failed";
  CString dir("unchanged");
  const bool stringOk = getInstallDir(dir);
  EXPECT_EQ(stringOk ? std::string(dir) : "failed", fromBuffer);
  if (!stringOk) {
    EXPECT_STREQ(dir, "unchanged");
  }
  return fromBuffer;
}

// The backslash rule's boundaries are checked natively on the same texts; here the value as
// the registry gives it.
TEST_F(InstallRegistryTest, FolderEndsWithExactlyOneBackslash) {
  setMainDir("D:\\Install");
  EXPECT_EQ(readBothForms(), "D:\\Install\\");
  setMainDir(std::string(MAX_PATH - 1, 'd'));
  EXPECT_EQ(readBothForms(), "failed");
  setMainDir("C:\\Bin", REG_BINARY);  // any type is read as text, terminated here
  EXPECT_EQ(readBothForms(), "C:\\Bin\\");
}

// Without the key the log tests see their own two lines; here the key without "MainDir".
TEST_F(InstallRegistryTest, AMissingFolderValueIsLogged) {
  openLogInFolder();
  RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kInstallKeyPath, "MainDir");
  char buffer[MAX_PATH];
  EXPECT_FALSE(getInstallDir(buffer));
  EXPECT_EQ(loggedLines(),
            "15:49:00.0007: Unable to read ZORV installation directory in Server\r\n");
}

TEST_F(InstallRegistryTest, TextureModeIsAFourByteDwordAndNeverCreatesTheKey) {
  openLogInFolder();
  ASSERT_TRUE(setTextureMode(0xA5A5F00Du));
  DWORD type = 0, mode = 0, size = sizeof mode;
  ASSERT_EQ(RegGetValueA(HKEY_LOCAL_MACHINE, kInstallKeyPath, "TextureMode", RRF_RT_ANY, &type,
                         &mode, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(mode, 0xA5A5F00Du);

  removeInstallKey();
  EXPECT_FALSE(setTextureMode(1));  // a key it made would have taken the value
  EXPECT_EQ(loggedLines(), "");
}

}  // namespace
