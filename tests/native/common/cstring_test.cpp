#include <gtest/gtest.h>

#include <string>

#include "afx/cstring.h"

namespace {

TEST(CStringTest, CopiesStayIndependentAndOwnTextCanBeReused) {
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
  text.Empty();
  EXPECT_TRUE(text.IsEmpty());
  EXPECT_STREQ(static_cast<const char*>(text), "");
}

TEST(CStringTest, FormatHasNoLengthLimit) {
  const std::string longText(5000, 'x');
  CString text;
  text.Format("<%s>%d", longText.c_str(), 42);
  EXPECT_EQ(text.GetLength(), 5004);
  EXPECT_EQ(std::string(text), "<" + longText + ">42");
}

TEST(CStringTest, ComparesContentNotPointers) {
  const char other[] = "path";
  EXPECT_TRUE(CString("path") == other);
  EXPECT_TRUE(CString("path") != "paths");
}

}  // namespace
