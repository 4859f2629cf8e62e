// Random numbers from msvcrt's generator, and paths as shell item identifier lists.
#include <shlobj.h>

#include <cstdlib>
#include <set>

#include "desktop_fixture.h"

namespace {

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

using ShellPathTest = DesktopWinTest;

TEST_F(ShellPathTest, AnExistingFolderParsesToItselfAndAMissingPathToNothing) {
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
