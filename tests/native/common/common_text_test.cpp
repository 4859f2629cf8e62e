// The platform-neutral texts of the log and of the installation folder, and the framework's
// string.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "afx/cstring.h"
#include "common/install_dir_text.h"
#include "common/log_text.h"

namespace {

// Year, month, day of the week (not read), day, hour, minute, second, milliseconds.
const SYSTEMTIME kExampleTime{2026, 12, 0, 4, 15, 49, 0, 7};

// The log tests under Wine check a line, the banner and the file name of kExampleTime in the
// file; here the other times and dates, the error text's line feeds, and the file name's limit.
TEST(LogTextTest, TimesAndDatesErrorTextsAndTheFileNamesLimit) {
  EXPECT_STREQ(formatLogLine(SYSTEMTIME{2026, 1, 0, 1, 23, 5, 9, 999}, ""), "23:05:09.0999: ");
  EXPECT_STREQ(formatLogBanner(SYSTEMTIME{2000, 2, 0, 29, 0, 0, 0, 0}).lines[2],
               "Tuesday, February 29, 2000");
  EXPECT_STREQ(formatBannerDate(SYSTEMTIME{2100, 3, 0, 1, 0, 0, 0, 0}), "Monday, March 01, 2100");
  EXPECT_STREQ(formatErrorLine("a\nb\r\n\nc"), "ERROR: ab\rc");
  EXPECT_STREQ(formatErrorLine(nullptr), "ERROR: ");

  // The log tests open files named this way; here the longest folder that fits.
  char path[MAX_PATH];
  // "g_12042026_154900.log" is 21 characters: the folder takes the rest of 259.
  const std::string folder(MAX_PATH - 1 - 21, 'f');
  ASSERT_TRUE(formatLogFileName(folder.c_str(), "g", kExampleTime, path));
  EXPECT_EQ(std::strlen(path), static_cast<std::size_t>(MAX_PATH - 1));
  EXPECT_FALSE(formatLogFileName((folder + "f").c_str(), "g", kExampleTime, path));
  EXPECT_STREQ(path, "");
}

// The rule applied to "MainDir" as read into a MAX_PATH buffer: bytes read, folder or failure.
TEST(InstallDirTextTest, EndsWithOneBackslashWithinTheBuffer) {
  const std::string longest(MAX_PATH - 2, 'd');
  const struct {
    std::string bytes;
    std::string expected;  // empty: refused
  } cases[] = {
      {std::string("D:\\Install\\", 12), "D:\\Install\\"},
      {std::string("", 1), "\\"},
      {"C:\\Raw", "C:\\Raw\\"},  // stored without terminator
      {longest + '\0', longest + '\\'},
      {longest, longest + '\\'},
      {std::string(MAX_PATH - 1, 'd'), ""},  // the terminator fits, the backslash does not
  };
  for (const auto& c : cases) {
    char dir[MAX_PATH];
    std::memset(dir, '#', sizeof dir);
    std::memcpy(dir, c.bytes.data(), c.bytes.size());
    const bool ok = finishInstallDirText(dir, c.bytes.size(), sizeof dir);
    EXPECT_EQ(ok ? std::string(dir) : "", c.expected) << c.bytes;  // a folder is never empty
  }
}

TEST(CStringTest, CopiesStayIndependentOwnTextCanBeReusedContentIsComparedAndFormatHasNoLimit) {
  CString text("ab");
  const CString copy(text);
  text += text;
  EXPECT_STREQ(copy, "ab");
  EXPECT_STREQ(text, "abab");
  EXPECT_EQ(text.GetLength(), 4);
  text = static_cast<const char*>(text) + 1;
  EXPECT_STREQ(text, "bab");
  text.Format("%s-%s", static_cast<const char*>(text), static_cast<const char*>(text));
  EXPECT_STREQ(text, "bab-bab");
  EXPECT_TRUE(text == "bab-bab" && text != "bab-ba");  // content, not pointers
  text.Empty();
  EXPECT_TRUE(text.IsEmpty());
  EXPECT_STREQ(static_cast<const char*>(text), "");
  const std::string longText(5000, 'x');  // Format has no length limit
  text.Format("<%s>%d", longText.c_str(), 42);
  EXPECT_EQ(std::string(text), "<" + longText + ">42");
}

}  // namespace
