// Paths, command lines, the string hash and random draws.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <map>
#include <string>

#include "desktoplib/association_text.h"
#include "desktoplib/desktoplib.h"
#include "desktoplib/random_scale.h"

namespace {

TEST(DesktopTextTest, SplitAndRoot) {
  char folder[MAX_PATH] = "-", file[MAX_PATH] = "-";
  splitPath("viewer.exe", folder, file);  // no backslash: nothing written
  splitPath(("D:\\" + std::string(257, 'f')).c_str(), folder, file);  // beyond MAX_PATH - 1
  EXPECT_STREQ(folder, "-");
  splitPath("D:\\Tools\\viewer.exe", folder, file);
  EXPECT_EQ(std::string(folder) + "|" + file, "D:\\Tools|viewer.exe");
  splitPath(folder, folder, nullptr);  // outputs may share the path's buffer or be left out
  EXPECT_STREQ(folder, "D:");
  for (const char* root : {"D:\\", "\\\\server", "\\\\"}) EXPECT_TRUE(isRootPath(root)) << root;
  for (const char* other : {"D:", "D:\\x", "\\\\server\\share", "\\\\server\\", "", "D:\\\\"})
    EXPECT_FALSE(isRootPath(other)) << other;
}

TEST(DesktopTextTest, ProgramOfTheOpenCommandAndTitleOfAProgram) {
  const std::map<std::string, std::string> commands = {
      {"\"D:\\Program Files\\App\\APP.EXE\" /n \"%1\"", "d:\\program files\\app\\app.exe"},
      {"%SystemRoot%\\system32\\NOTEPAD.EXE %1", "%systemroot%\\system32\\notepad.exe"},
      {"c:\\tools\\viewer.com %1", "c:\\tools\\viewer.com %1"},
      {"c:\\my.exe tools\\app.exe", "c:\\my.exe"},
      {"\"RUNDLL32.EXE\" x.dll,Run", "refused"},
      {"C:\\WINDOWS\\rundll32.exe x.dll,Run", "c:\\windows\\rundll32.exe"},
      {"C:\\\xC4PFEL.EXE", "c:\\\xC4pfel.exe"},  // ASCII letters only change case
  };
  for (const auto& [command, expected] : commands) {
    char text[MAX_PATH];
    std::strcpy(text, command.c_str());
    EXPECT_EQ(programFromOpenCommand(text) ? text : "refused", expected);
  }
  const std::map<std::string, std::string> titles = {
      {"D:\\Tools\\Paint (new).exe", "Paint {new}"},
      {"D:\\Tools.d\\my.app.exe", "my.app"},
      {"viewer", "viewer"},
      {std::string(400, 'n') + ".exe", std::string(MAX_PATH - 1, 'n')}};
  for (const auto& [path, expected] : titles) {
    char name[MAX_PATH];
    programTitleFromPath(path.c_str(), name);
    replaceBrackets(name);
    EXPECT_EQ(name, expected);
  }
}

TEST(DesktopTextTest, HashOfSignedCharacters) {
  EXPECT_EQ(hashString("abc"), 25284);
  EXPECT_EQ(hashString(""), 0);
  EXPECT_EQ(hashString("\xFF\x61"), 0xFFFF + 97);  // -1 wraps to all ones, then bytes swap
}

TEST(DesktopTextTest, RandomIntegersWeighTheirEndsPointNineNine) {
  std::map<int, int> dice, extreme;
  for (int draw = 0; draw <= kRandomDrawMax; ++draw) {
    ++dice[randomIntFromDraw(draw, 1, 6)];
    ++extreme[randomIntFromDraw(draw, INT_MIN, INT_MAX)];  // UB if it left the int range
  }
  ASSERT_EQ(dice.size(), 6u);
  for (const auto& [value, count] : dice) {  // 32768 draws over a width of 5.98
    EXPECT_NEAR(count, (value == 1 || value == 6 ? 0.99 : 1.0) * 32768 / 5.98, 2.0) << value;
  }
  EXPECT_EQ(scaleRandomDraw(kRandomDrawMax, 2.5f, 7.5f), 7.5f);
}

// Every step rounded to float, also where the i686 build computes on the x87 unit.
TEST(DesktopTextTest, RandomFloatsRoundTheDifferenceToFloat) {
  const float low = 0.1f, high = 0.7f;
  volatile float difference = high - low;  // stored: rounded to float on every architecture
  int differing = 0;
  for (int draw = 0; draw <= kRandomDrawMax; ++draw) {
    volatile float expected = static_cast<float>(low + static_cast<double>(draw) / kRandomDrawMax *
                                                           static_cast<float>(difference));
    differing += scaleRandomDraw(draw, low, high) != expected;
  }
  EXPECT_EQ(differing, 0);
}

}  // namespace
