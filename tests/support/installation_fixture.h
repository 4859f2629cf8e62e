// Set-up shared by the tests of the library's users (zorvdesk, the games' SDK, Dice Duel): a
// temporary installation folder recorded as "MainDir", and worlds in it.
#pragma once

#include <string>

#include "program_run.h"
#include "win_test_support.h"

// A clean HKLM\SOFTWARE\ZORV and an installation folder recorded as "MainDir" (with its
// trailing backslash); worlds are added by the tests. Everything goes again afterwards.
class TemporaryInstallationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    removeInstallKey();
    folder_ = makeTempFolder("zdk") + "\\";
    writeRegText(kInstallKeyPath, "MainDir", folder_);
  }

  void TearDown() override {
    removeInstallKey();
    removeTree(folder_.substr(0, folder_.size() - 1));
  }

  // Desktops\<name>, with its movie file unless told otherwise.
  void addWorldFolder(const std::string& name, bool withMovie = true) {
    const std::string world = folder_ + "Desktops\\" + name;
    std::filesystem::create_directories(world);
    if (withMovie) writeFile(world + "\\" + name + ".dcr", "");
  }

  // A world with its movie file and its registry key.
  void addWorld(const std::string& name) {
    addWorldFolder(name);
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE,
                            (std::string(kInstallKeyPath) + "\\" + name).c_str(), &key),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }

  std::string folder_;  // ends with a backslash
};
