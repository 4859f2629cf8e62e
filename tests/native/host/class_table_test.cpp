// Identifiers and the GameModule name and path helpers. The class information is checked
// through the module's own table under Wine (the entry tests).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "host/host_interfaces.h"
#include "host/identifiers.h"
#include "script/game_path.h"

namespace {

using namespace xtra;

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
