// Display names from the shell's cache and the programs of "open" commands, read from the
// registry's file associations.
#include <cstring>
#include <string>
#include <vector>

#include "desktop_fixture.h"

namespace {

using Lines = std::vector<std::string>;

constexpr char kApplicationKey[] = "SOFTWARE\\Classes\\Applications\\zorvtest_viewer.exe";
constexpr char kExtension[] = ".zorvtest";
constexpr char kClass[] = "ZorvTest.Document";

class FileAssociationsTest : public DesktopWinTest {
 protected:
  void TearDown() override {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kApplicationKey);
    RegDeleteTreeA(HKEY_CLASSES_ROOT, kExtension);
    RegDeleteTreeA(HKEY_CLASSES_ROOT, kClass);
    DesktopWinTest::TearDown();
  }

  static void setFriendlyCache(const std::string& name) {
    const std::string shell = std::string(kApplicationKey) + "\\shell";
    ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, shell.c_str(), "FriendlyCache", REG_SZ,
                              name.c_str(), static_cast<DWORD>(name.size() + 1)),
              ERROR_SUCCESS);
  }

  static std::string friendlyName(const char* path) {
    char name[MAX_PATH] = "";
    getFriendlyAppName(path, name);
    return name;
  }

  // Creates HKEY_CLASSES_ROOT\<subkey>, with a default value unless it is null.
  static void setClassesKey(const std::string& subkey, const char* value) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    if (value != nullptr) {
      RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                     static_cast<DWORD>(std::strlen(value) + 1));
    }
    RegCloseKey(key);
  }

  // The whole association of kExtension with an "open" command.
  static void associate(const char* command) {
    setClassesKey(kExtension, kClass);
    setClassesKey(std::string(kClass) + "\\shell\\open\\command", command);
  }

  // getOpenCommandExe's program, or "false" (the buffer then must be untouched).
  static std::string openProgram(const char* extension = kExtension) {
    char program[MAX_PATH] = "untouched";
    if (getOpenCommandExe(extension, program)) return program;
    EXPECT_STREQ(program, "untouched");
    return "false";
  }

  // The value of a registry handle that the system would give out next. Handles are handed
  // out lowest free first, so a key left open by the code under test changes it.
  static HKEY nextHandle() {
    HKEY key = nullptr;
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_READ, &key);
    RegCloseKey(key);
    return key;
  }
};

TEST_F(FileAssociationsTest, CachedNamesOfUpTo59CharactersAreUsed) {
  const std::string dots(59 - 18, '.');
  const std::string cached = "Zorv Viewer (beta)" + dots;
  setFriendlyCache(cached);
  EXPECT_EQ(friendlyName("D:\\Tools\\zorvtest_viewer.exe"), "Zorv Viewer {beta}" + dots);

  setFriendlyCache(cached + ".");  // 61 bytes with the terminator
  EXPECT_EQ(friendlyName("D:\\Tools\\zorvtest_viewer.exe"), "zorvtest_viewer");
}

TEST_F(FileAssociationsTest, WithoutACachedNameTheFileNameIsShown) {
  EXPECT_EQ(friendlyName("D:\\Tools\\Paint (new).exe"), "Paint {new}");
  EXPECT_EQ(friendlyName("D:\\Tools\\my.app.exe"), "my.app");
  EXPECT_EQ(friendlyName("D:\\Tools\\viewer"), "viewer");
  EXPECT_EQ(friendlyName("zorvtest_viewer.exe"), "zorvtest_viewer");  // a bare file name
  EXPECT_EQ(friendlyName("D:\\"), "D:\\");
  EXPECT_EQ(friendlyName("\\\\server(1)"), "\\\\server(1)");  // roots keep their brackets

  char name[MAX_PATH] = "untouched";
  getFriendlyAppName(nullptr, name);
  EXPECT_STREQ(name, "untouched");
  getFriendlyAppName("D:\\x.exe", nullptr);
}

TEST_F(FileAssociationsTest, ProgramOfTheOpenCommand) {
  associate("\"D:\\Program Files\\App\\APP.EXE\" /n \"%1\"");
  EXPECT_EQ(openProgram(), "d:\\program files\\app\\app.exe");
  associate("%SystemRoot%\\system32\\NOTEPAD.EXE %1");
  EXPECT_EQ(openProgram(), "%systemroot%\\system32\\notepad.exe");
  associate("C:\\Windows\\System32\\rundll32.exe x.dll,Run %1");
  EXPECT_EQ(openProgram(), "c:\\windows\\system32\\rundll32.exe");
  associate("c:\\tools\\viewer.com %1");
  EXPECT_EQ(openProgram(), "c:\\tools\\viewer.com %1");
  associate("c:\\my.exe tools\\app.exe");
  EXPECT_EQ(openProgram(), "c:\\my.exe");
  EXPECT_TRUE(logLines().empty());
}

TEST_F(FileAssociationsTest, RundllIsNoProgramAndIsNotLogged) {
  associate("rundll32.exe shimgvw.dll,ImageView_Fullscreen %1");
  EXPECT_EQ(openProgram(), "false");
  EXPECT_TRUE(logLines().empty());
}

TEST_F(FileAssociationsTest, EachMissingPieceHasItsLogLineAndLeavesNoKeyOpen) {
  // Each step builds one more piece of the association before asking.
  const struct {
    void (*build)();
    const char* line;
  } steps[] = {
      {[] {}, "No registry key for extension .zorvtest"},
      {[] { setClassesKey(kExtension, nullptr); },
       "Could not get default key value for file extension .zorvtest"},
      {[] { setClassesKey(kExtension, kClass); }, "ERROR could not open key ZorvTest.Document"},
      {[] { setClassesKey(kClass, nullptr); }, "ERROR could not open key ZorvTest.Document"},
      {[] { setClassesKey(std::string(kClass) + "\\shell", nullptr); },
       "ERROR could not open shell key open for ZorvTest.Document"},
      {[] { setClassesKey(std::string(kClass) + "\\shell\\open", nullptr); },
       "Could not open command sub key for ZorvTest.Document"},
      {[] { setClassesKey(std::string(kClass) + "\\shell\\open\\command", nullptr); },
       "Could not open sub key command for ZorvTest.Document"},
  };
  openProgram();  // the system's first use of HKEY_CLASSES_ROOT may keep a handle of its own
  closeLog();
  DeleteFileA(logPath(0).c_str());
  openLog("game", true);

  Lines expected;
  for (const auto& step : steps) {
    step.build();
    const HKEY before = nextHandle();
    EXPECT_EQ(openProgram(), "false") << step.line;
    EXPECT_EQ(nextHandle(), before) << step.line;
    expected.push_back(step.line);
  }
  EXPECT_EQ(logLines(), expected);

  const HKEY before = nextHandle();
  setClassesKey(std::string(kClass) + "\\shell\\open\\command", "c:\\app.exe");
  EXPECT_EQ(openProgram(), "c:\\app.exe");
  EXPECT_EQ(nextHandle(), before);
}

TEST_F(FileAssociationsTest, UnterminatedValuesThatFillTheBufferAreUnreadable) {
  associate("c:\\app.exe");
  const std::string full(MAX_PATH, 'c');
  const std::string command = std::string(kClass) + "\\shell\\open\\command";
  ASSERT_EQ(RegSetKeyValueA(HKEY_CLASSES_ROOT, command.c_str(), nullptr, REG_BINARY, full.c_str(),
                            MAX_PATH),
            ERROR_SUCCESS);
  EXPECT_EQ(openProgram(), "false");
  ASSERT_EQ(
      RegSetKeyValueA(HKEY_CLASSES_ROOT, kExtension, nullptr, REG_BINARY, full.c_str(), MAX_PATH),
      ERROR_SUCCESS);
  EXPECT_EQ(openProgram(), "false");
  EXPECT_EQ(logLines(), (Lines{"Could not open sub key command for ZorvTest.Document",
                               "Could not get default key value for file extension .zorvtest"}));
}

TEST_F(FileAssociationsTest, LongNamesAreCutInTheirLogLine) {
  const std::string extension = "." + std::string(400, 'e');
  EXPECT_EQ(openProgram(extension.c_str()), "false");
  const std::string line = "No registry key for extension " + extension;
  EXPECT_EQ(logLines(), Lines{line.substr(0, MAX_PATH - 1)});
  EXPECT_FALSE(getOpenCommandExe(nullptr, nullptr));
}

}  // namespace
