// The message table text and the GameModule path helpers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "script/game_path.h"
#include "script/message_table.h"

namespace {

using namespace xtra;

TEST(MessageTable, IsNineLinesOfLineFeedTerminatedTextIn276Bytes) {
  const std::string text = kMessageTable;
  EXPECT_EQ(text.size(), 275u);
  EXPECT_EQ(kMessageTable[275], '\0');
  EXPECT_EQ(text.find('\r'), std::string::npos);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 9);
  EXPECT_EQ(text.back(), '\n');
  EXPECT_NE(text.find("\ncallACommand  object me, symbol otherHandler, * --\n"), std::string::npos);
  EXPECT_EQ(text.compare(0, 27, "xtra ZORVgame -- game xtra\n"), 0);
}

TEST(GameModuleName, ComparesIgnoringAsciiCaseOnly) {
  EXPECT_TRUE(sameNameIgnoringCase("Dice.DLL", "dice.dll"));
  EXPECT_TRUE(sameNameIgnoringCase("", ""));
  EXPECT_FALSE(sameNameIgnoringCase("dice.dll", "dice.dl"));
  EXPECT_FALSE(sameNameIgnoringCase("dice.dl", "dice.dll"));
  EXPECT_FALSE(sameNameIgnoringCase("\xC4.dll", "\xE4.dll"));  // no code-page folding
  EXPECT_FALSE(sameNameIgnoringCase("[.dll", "{.dll"));        // only letters fold
}

TEST(GameModulePath, AddsExactlyOneBackslashBeforeTheXtrasFolder) {
  char out[260];
  ASSERT_TRUE(composeGameModulePath("D:\\Install", "Dice.dll", out, sizeof out));
  EXPECT_STREQ(out, "D:\\Install\\ZORV_Desktop\\Xtras\\Dice.dll");
  ASSERT_TRUE(composeGameModulePath("D:\\Install\\", "Dice.dll", out, sizeof out));
  EXPECT_STREQ(out, "D:\\Install\\ZORV_Desktop\\Xtras\\Dice.dll");
  ASSERT_TRUE(composeGameModulePath("C:\\100%s%d\\", "a", out, sizeof out));
  EXPECT_STREQ(out, "C:\\100%s%d\\ZORV_Desktop\\Xtras\\a");
}

TEST(GameModulePath, RefusesAPathThatWouldNotFit) {
  const std::string folderAndName = "\\ZORV_Desktop\\Xtras\\Dice.dll";
  std::string dir(259 - folderAndName.size(), 'x');  // exactly 259 characters in all
  char out[260];
  ASSERT_TRUE(composeGameModulePath(dir.c_str(), "Dice.dll", out, sizeof out));
  EXPECT_EQ(std::strlen(out), 259u);
  dir += 'x';
  std::memset(out, 'z', sizeof out);
  EXPECT_FALSE(composeGameModulePath(dir.c_str(), "Dice.dll", out, sizeof out));
  EXPECT_STREQ(out, "");
}

}  // namespace
