// Random numbers from msvcrt's generator, and paths as shell item identifier lists.
#include <shlobj.h>
#include <sys/timeb.h>

#include <cstdlib>
#include <set>
#include <vector>

#include "desktop_fixture.h"

namespace {

// msvcrt's first draws after srand(1).
const std::vector<int> kDrawsOfSeed1 = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358};

TEST(RandomTest, DrawsComeFromTheRuntimesGenerator) {
  seedRandom();  // from now on the library does not seed by itself
  std::srand(1);
  std::vector<int> draws;
  for (std::size_t i = 0; i < kDrawsOfSeed1.size(); ++i) {
    draws.push_back(static_cast<int>(randomFloat(0.0f, 32767.0f)));
  }
  EXPECT_EQ(draws, kDrawsOfSeed1);

  // randomInt(1, 6) of the same draws: floor(1.01 + draw / 32767 * 5.98).
  std::srand(1);
  std::vector<int> dice;
  for (std::size_t i = 0; i < kDrawsOfSeed1.size(); ++i) dice.push_back(randomInt(1, 6));
  EXPECT_EQ(dice, (std::vector<int>{1, 4, 2, 5, 4, 3, 3, 6}));
}

TEST(RandomTest, ManyDrawsStayInRangeAndReachEveryValue) {
  std::set<int> seen;
  for (int i = 0; i < 5000; ++i) {
    const int value = randomInt(1, 6);
    ASSERT_GE(value, 1);
    ASSERT_LE(value, 6);
    seen.insert(value);
    ASSERT_EQ(randomInt(0, 0), 0);
    ASSERT_EQ(randomFloat(2.0f, 2.0f), 2.0f);
    const float f = randomFloat(-1.5f, 1.5f);
    ASSERT_GE(f, -1.5f);
    ASSERT_LE(f, 1.5f);
  }
  EXPECT_EQ(seen.size(), 6u);
}

TEST(RandomTest, SeedIsSecondsOverMillisecondsInSixteenBits) {
  // Retried until the clock reads the same non-zero millisecond before and after seeding.
  for (int attempt = 0; attempt < 1000; ++attempt) {
    _timeb before;
    _timeb after;
    _ftime(&before);
    seedRandom();
    const int first = std::rand();
    _ftime(&after);
    if (before.time != after.time || before.millitm != after.millitm || before.millitm == 0) {
      continue;
    }
    std::srand(
        static_cast<unsigned>(static_cast<long long>(before.time / before.millitm) & 0xFFFF));
    EXPECT_EQ(std::rand(), first);
    return;
  }
  FAIL() << "the clock never held still for a whole call";
}

class ShellPathTest : public DesktopWinTest {};

TEST_F(ShellPathTest, AnExistingFolderParsesToItsOwnPath) {
  ITEMIDLIST* list = nullptr;
  ASSERT_TRUE(parseShellPath(folder_.c_str(), &list));
  ASSERT_NE(list, nullptr);
  char path[MAX_PATH] = "";
  EXPECT_TRUE(SHGetPathFromIDListA(list, path));
  CoTaskMemFree(list);
  EXPECT_STRCASEEQ(path, folder_.c_str());
}

TEST_F(ShellPathTest, AMissingPathDoesNotParse) {
  ITEMIDLIST* list = reinterpret_cast<ITEMIDLIST*>(&list);  // junk to be replaced
  EXPECT_FALSE(parseShellPath((folder_ + "\\missing\\file.txt").c_str(), &list));
  EXPECT_EQ(list, nullptr);
  EXPECT_FALSE(parseShellPath(nullptr, &list));
  EXPECT_FALSE(parseShellPath(folder_.c_str(), nullptr));
}

}  // namespace
