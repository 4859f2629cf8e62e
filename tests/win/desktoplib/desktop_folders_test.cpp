// The world, Visual and Shockwave media folders, random numbers from msvcrt's generator, and
// paths as shell item identifier lists.
#include <shlobj.h>

#include <cstdlib>
#include <set>

#include "desktop_fixture.h"
#include "program_run.h"

namespace {

using DesktopFoldersTest = DesktopWinTest;

TEST_F(DesktopFoldersTest, VisualFolderByTheWorldsFirstCharacter) {
  const std::pair<const char*, const char*> cases[] = {{"dZORV_Home", "Desktops"},
                                                       {"mZORV_Chat", "MUDs"},
                                                       {"wZORV_Site", "Webs"},
                                                       {"Home", "Desktops"},
                                                       {"MZORV_Cap", "Desktops"}};
  for (const auto& [world, kind] : cases) {
    makeWorld(world);
    recordWorld(world);
    char path[MAX_PATH] = "";
    CString text;
    EXPECT_TRUE(getVisualDir(path) && getVisualDir(text)) << world;
    EXPECT_EQ(path, installDir_ + kind + "\\" + world + "\\Visual\\");
    EXPECT_STREQ(text, path);
  }
  CString dir;
  EXPECT_TRUE(getWorldDir(dir));
  EXPECT_EQ(std::string(dir), installDir_ + "\\Desktops\\MZORV_Cap\\");
}

TEST_F(DesktopFoldersTest, WithoutAWorldVisualFailsAndTheWorldFolderEndsInTwoBackslashes) {
  CString path("before"), dir;
  EXPECT_FALSE(getVisualDir(path));
  EXPECT_STREQ(path, "before");
  EXPECT_TRUE(getWorldDir(dir));
  EXPECT_EQ(std::string(dir), installDir_ + "\\Desktops\\\\");
  EXPECT_EQ(boxes_.texts().size(), 2u);
}

// Wine reads its per-program Windows version when a process starts: a program of its own
// reports the platform, once as Windows 7 and once as Windows 98.
TEST(PlatformTest, MediaFolderAndWin9xByPlatformFamily) {
  const char* appDefaults = "Software\\Wine\\AppDefaults\\desktoplib_platform_probe.exe";
  ProgramRun run = runProgram("desktoplib_platform_probe.exe", "");
  EXPECT_TRUE(has(run, "win9x 0\nmedia C:\\windows\\system32\\macromed\\shockwave 8\\dswmedia\\\n"))
      << run.output;
  RegSetKeyValueA(HKEY_CURRENT_USER, appDefaults, "Version", REG_SZ, "win98", 6);
  run = runProgram("desktoplib_platform_probe.exe", "");
  RegDeleteTreeA(HKEY_CURRENT_USER, appDefaults);
  EXPECT_TRUE(has(run, "win9x 1\nmedia C:\\windows\\system\\macromed\\shockwave 8\\dswmedia\\\n"))
      << run.output;
}

TEST(RandomTest, DrawsOfTheRuntimesGeneratorAndTheirRange) {
  seedRandom();  // from now on the library does not seed by itself
  std::srand(1);
  std::vector<int> draws, dice;
  for (int i = 0; i < 6; ++i) draws.push_back(static_cast<int>(randomFloat(0, 32767)));
  EXPECT_EQ(draws, (std::vector<int>{41, 18467, 6334, 26500, 19169, 15724}));  // msvcrt, seed 1
  std::srand(1);
  for (int i = 0; i < 6; ++i) dice.push_back(randomInt(1, 6));
  EXPECT_EQ(dice, (std::vector<int>{1, 4, 2, 5, 4, 3}));  // floor(1.01 + draw / 32767 * 5.98)

  std::set<int> seen;
  for (int i = 0; i < 5000; ++i) {
    seen.insert(randomInt(1, 6));
    ASSERT_EQ(randomInt(0, 0), 0);
    ASSERT_EQ(randomFloat(2, 2), 2.0f);
  }
  EXPECT_EQ(seen, (std::set<int>{1, 2, 3, 4, 5, 6}));
}

TEST_F(DesktopFoldersTest, AnExistingFolderParsesToItselfAndAMissingPathToNothing) {
  ITEMIDLIST* list = nullptr;
  ASSERT_TRUE(parseShellPath(folder_.c_str(), &list));
  char path[MAX_PATH] = "";
  EXPECT_TRUE(SHGetPathFromIDListA(list, path));
  CoTaskMemFree(list);
  EXPECT_STRCASEEQ(path, folder_.c_str());
  EXPECT_FALSE(parseShellPath((folder_ + "\\missing.txt").c_str(), &list));
  EXPECT_EQ(list, nullptr);
  EXPECT_FALSE(parseShellPath(nullptr, &list));
}

}  // namespace
