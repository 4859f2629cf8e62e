// The class information over a table, with a counting allocator, and the GameModule name and
// path helpers. The module's exports check the walk through its own table under Wine, and
// Register the message table's exact bytes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "host/class_table.h"
#include "host/identifiers.h"
#include "script/game_path.h"

namespace {

using namespace xtra;

// The operations are never called by the walk or the class info.
const ClassDescription kTwoClasses[] = {
    {&ids::kRegistrationClass, kTableVersion, 24, nullptr, nullptr, &ids::kRegistrationInterface,
     kTableVersion, nullptr},
    {&ids::kScriptClass, kTableVersion, 112, nullptr, nullptr, &ids::kScriptInterface,
     kTableVersion, nullptr},
};
const ClassTable kTable = {kTwoClasses, 2};

struct CountingAllocator : HostAllocator {
  XtraResult XTRA_CALL QueryInterface(const GUID*, void**) override { return kNotAvailable; }
  std::uint32_t XTRA_CALL AddRef() override { return 1; }
  std::uint32_t XTRA_CALL Release() override { return 1; }
  void* XTRA_CALL Allocate(std::uint32_t size) override {
    sizes.push_back(size);
    return fail ? nullptr : std::memset(block = std::malloc(size), 0xCD, size);
  }
  void XTRA_CALL Free(void* p) override { std::free(p); }
  ~CountingAllocator() { std::free(block); }  // the one block a success gives
  bool fail = false;
  std::vector<std::uint32_t> sizes;
  void* block = nullptr;
};

TEST(ClassInfo, OneEntryMoreThanTheWalkCountsEndingInZeroIdsOrNothingWithoutMemory) {
  CountingAllocator allocator;
  ClassInfoEntry* table = nullptr;
  ASSERT_EQ(getClassInfo(kTable, &allocator, &table), kOk);
  ASSERT_EQ(allocator.sizes, (std::vector<std::uint32_t>{200}));
  EXPECT_TRUE(sameId(table[3].interfaceId, ids::kScriptInterface));
  EXPECT_EQ(table[3].interfaceVersion, kTableVersion);
  const GUID zero{};
  EXPECT_TRUE(sameId(table[4].classId, zero) && sameId(table[4].interfaceId, zero));
  EXPECT_EQ(table[4].classVersion, 0xCDCDCDCDu);  // the terminator's versions are not written
  EXPECT_EQ(table[4].interfaceVersion, 0xCDCDCDCDu);
  allocator.fail = true;
  EXPECT_EQ(getClassInfo(kTable, &allocator, &table), kOutOfMemory);
  EXPECT_EQ(table, nullptr);
}

TEST(Identifiers, CompareAllSixteenBytes) {
  GUID a = ids::kScriptClass;
  EXPECT_TRUE(sameId(a, ids::kScriptClass));
  a.Data4[7] ^= 1;
  EXPECT_FALSE(sameId(a, ids::kScriptClass));
  a = ids::kScriptClass;
  a.Data2 ^= 0x100;
  EXPECT_FALSE(sameId(a, ids::kScriptClass));
}

TEST(GameModuleName, ComparesIgnoringAsciiCaseOnly) {
  EXPECT_TRUE(sameNameIgnoringCase("Dice.DLL", "dice.dll"));
  EXPECT_TRUE(sameNameIgnoringCase("", ""));
  EXPECT_FALSE(sameNameIgnoringCase("dice.dll", "dice.dl"));
  EXPECT_FALSE(sameNameIgnoringCase("dice.dl", "dice.dll"));
  EXPECT_FALSE(sameNameIgnoringCase("\xC4.dll", "\xE4.dll"));  // no code-page folding
  EXPECT_FALSE(sameNameIgnoringCase("[.dll", "{.dll"));        // only letters fold
}

// The folder and the name, with exactly one backslash between; exactly 259 characters fit.
TEST(GameModulePath, AddsExactlyOneBackslashBeforeTheXtrasFolderAndRefusesWhatDoesNotFit) {
  const std::string tail = "\\ZORV_Desktop\\Xtras\\Dice.dll";
  const std::string longest(259 - tail.size(), 'x');
  const std::pair<std::string, std::string> cases[] = {
      {"D:\\Install", "D:\\Install" + tail},
      {"D:\\Install\\", "D:\\Install" + tail},
      {"C:\\100%s%d\\", "C:\\100%s%d" + tail},
      {longest, longest + tail},
      {longest + "x", ""},  // refused, the output left empty
  };
  for (const auto& [dir, expected] : cases) {
    char out[260];
    std::memset(out, 'z', sizeof out);
    EXPECT_EQ(composeGameModulePath(dir.c_str(), "Dice.dll", out, sizeof out), !expected.empty())
        << dir;
    EXPECT_EQ(std::string(out), expected) << dir;
  }
}

}  // namespace
