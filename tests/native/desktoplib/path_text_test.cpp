// Paths and command lines of the file association lookup, as text.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "desktoplib/association_text.h"
#include "desktoplib/desktoplib.h"

namespace {

struct Split {
  std::string folder;
  std::string file;
};

// Both outputs start out as "-" so that an untouched one shows.
Split split(const std::string& path) {
  char folder[MAX_PATH] = "-";
  char file[MAX_PATH] = "-";
  splitPath(path.c_str(), folder, file);
  return {folder, file};
}

TEST(SplitPathTest, SplitsAtTheLastBackslash) {
  Split parts = split("D:\\Tools\\viewer.exe");
  EXPECT_EQ(parts.folder, "D:\\Tools");
  EXPECT_EQ(parts.file, "viewer.exe");
  parts = split("D:\\x");
  EXPECT_EQ(parts.folder, "D:");
  EXPECT_EQ(parts.file, "x");
  parts = split("D:\\Tools\\");
  EXPECT_EQ(parts.folder, "D:\\Tools");
  EXPECT_EQ(parts.file, "");
}

TEST(SplitPathTest, WritesNothingWithoutABackslashOrBeyondMaxPath) {
  Split parts = split("viewer.exe");
  EXPECT_EQ(parts.folder, "-");
  EXPECT_EQ(parts.file, "-");

  const std::string longest = "D:\\" + std::string(MAX_PATH - 4, 'f');  // 259 characters
  parts = split(longest);
  EXPECT_EQ(parts.folder, "D:");
  EXPECT_EQ(parts.file.size(), static_cast<std::size_t>(MAX_PATH - 4));
  parts = split(longest + "f");
  EXPECT_EQ(parts.folder, "-");
  EXPECT_EQ(parts.file, "-");
}

TEST(SplitPathTest, OutputsMayShareThePathsBufferOrBeNull) {
  char path[MAX_PATH] = "C:\\a\\b.txt";
  char file[MAX_PATH] = "";
  splitPath(path, path, file);
  EXPECT_STREQ(path, "C:\\a");
  EXPECT_STREQ(file, "b.txt");
  splitPath("C:\\a\\b.txt", nullptr, file);
  EXPECT_STREQ(file, "b.txt");
  splitPath(nullptr, path, file);  // nothing happens
  EXPECT_STREQ(path, "C:\\a");
}

TEST(IsRootPathTest, DriveRootsAndBareServerNames) {
  const struct {
    const char* path;
    bool root;
  } cases[] = {
      {"D:\\", true},          {"\\\\server", true}, {"\\\\", true},
      {"D:", false},           {"D:\\x", false},     {"\\\\server\\share", false},
      {"\\\\server\\", false}, {"\\", false},        {"", false},
      {"abc", false},          {"D:\\\\", false},    {"\\\\\\", false},
  };
  for (const auto& c : cases) EXPECT_EQ(isRootPath(c.path), c.root) << c.path;
  EXPECT_FALSE(isRootPath(nullptr));
}

// The program an "open" command line runs, or "refused".
std::string program(const char* command) {
  char text[MAX_PATH];
  std::strcpy(text, command);
  return programFromOpenCommand(text) ? std::string(text) : "refused";
}

TEST(OpenCommandTest, ProgramOfTheCommandLine) {
  EXPECT_EQ(program("\"D:\\Program Files\\App\\APP.EXE\" /n \"%1\""),
            "d:\\program files\\app\\app.exe");
  EXPECT_EQ(program("%SystemRoot%\\system32\\NOTEPAD.EXE %1"),
            "%systemroot%\\system32\\notepad.exe");
  EXPECT_EQ(program("c:\\tools\\viewer.com %1"), "c:\\tools\\viewer.com %1");
  EXPECT_EQ(program("c:\\my.exe tools\\app.exe"), "c:\\my.exe");
  EXPECT_EQ(program("\"\"\"C:\\A.exe\" \"%1\""), "c:\\a.exe");
  EXPECT_EQ(program("\"c:\\quoted name\" %1"), "c:\\quoted name");
  EXPECT_EQ(program("c:\\app.exec %1"), "c:\\app.exe");
  EXPECT_EQ(program(""), "");
}

TEST(OpenCommandTest, RundllAtTheStartIsRefusedAnywhereElseKept) {
  EXPECT_EQ(program("rundll32.exe shimgvw.dll,ImageView_Fullscreen %1"), "refused");
  EXPECT_EQ(program("\"RUNDLL32.EXE\" x.dll,Run"), "refused");
  EXPECT_EQ(program("C:\\WINDOWS\\System32\\rundll32.exe x.dll,Run %1"),
            "c:\\windows\\system32\\rundll32.exe");
  EXPECT_EQ(program("rundll32"), "rundll32");
}

TEST(OpenCommandTest, OnlyAsciiLettersChangeCase) {
  EXPECT_EQ(program("C:\\\xC4PFEL\\\xC9.EXE"), "c:\\\xC4pfel\\\xC9.exe");
}

std::string title(const std::string& path) {
  char name[MAX_PATH];
  programTitleFromPath(path.c_str(), name);
  replaceBrackets(name);
  return name;
}

TEST(ProgramTitleTest, FileNameWithoutExtensionAndCurlyBrackets) {
  EXPECT_EQ(title("D:\\Tools\\Paint (new).exe"), "Paint {new}");
  EXPECT_EQ(title("D:\\Tools\\my.app.exe"), "my.app");
  EXPECT_EQ(title("D:\\Tools\\viewer"), "viewer");
  EXPECT_EQ(title("D:\\Tools.d\\viewer"), "viewer");
  EXPECT_EQ(title("(bare).exe"), "{bare}");
  EXPECT_EQ(title("D:\\Tools\\"), "");
}

TEST(ProgramTitleTest, AnOverlongNameIsCutToTheBuffer) {
  const std::string name(400, 'n');
  EXPECT_EQ(title("D:\\" + name + ".exe"), name.substr(0, MAX_PATH - 1));
  EXPECT_EQ(title(name + ".e"), name.substr(0, MAX_PATH - 1));
}

TEST(RegistryTextTest, ReadsAreTerminatedWithinTheirBuffer) {
  char buffer[8];
  std::memset(buffer, 'x', sizeof buffer);
  ASSERT_TRUE(terminateRegistryText(buffer, 3, sizeof buffer));
  EXPECT_STREQ(buffer, "xxx");
  ASSERT_TRUE(terminateRegistryText(buffer, 0, sizeof buffer));
  EXPECT_STREQ(buffer, "");

  // A full buffer: acceptable only with a terminator of its own.
  std::memcpy(buffer, "abc\0defg", sizeof buffer);
  EXPECT_TRUE(terminateRegistryText(buffer, sizeof buffer, sizeof buffer));
  EXPECT_STREQ(buffer, "abc");
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_FALSE(terminateRegistryText(buffer, sizeof buffer, sizeof buffer));
}

}  // namespace
