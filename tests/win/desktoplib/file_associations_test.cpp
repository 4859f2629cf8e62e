// Display names from the shell's cache and programs of "open" commands, from the registry.
#include <cstring>

#include "desktop_fixture.h"

namespace {

constexpr char kApplication[] = "SOFTWARE\\Classes\\Applications\\zorvtest_viewer.exe";
const std::string kCommandKey = "ZorvTest.Document\\shell\\open\\command";

class FileAssociationsTest : public DesktopWinTest {
 protected:
  void TearDown() override {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kApplication);
    RegDeleteTreeA(HKEY_CLASSES_ROOT, ".zorvtest");
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "ZorvTest.Document");
    DesktopWinTest::TearDown();
  }

  // HKEY_CLASSES_ROOT\<subkey>, with a default value unless it is null.
  static void setClassesKey(const std::string& subkey, const char* value) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CLASSES_ROOT, subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                    nullptr);
    if (value != nullptr) RegSetValueA(key, nullptr, REG_SZ, value, 0);
    RegCloseKey(key);
  }

  // The program, or "false" with the buffer untouched.
  static std::string openProgram(const char* extension = ".zorvtest") {
    char program[MAX_PATH] = "untouched";
    if (getOpenCommandExe(extension, program)) return program;
    return std::string("false") + (std::strcmp(program, "untouched") == 0 ? "" : " and written");
  }

  // The registry handles the system gives out next: lowest free first, so a key left open by
  // the code under test takes one of the first few.
  static std::vector<HKEY> nextHandles() {
    std::vector<HKEY> keys(4);
    for (HKEY& key : keys) RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_READ, &key);
    for (HKEY key : keys) RegCloseKey(key);
    return keys;
  }
};

TEST_F(FileAssociationsTest, CachedNamesOfUpTo59CharactersAreUsed) {
  const std::string shell = std::string(kApplication) + "\\shell", dots(41, '.');
  char name[MAX_PATH] = "";
  for (const std::string& cached : {"Zorv Viewer (beta)" + dots, "Zorv Viewer (beta)." + dots}) {
    RegSetKeyValueA(HKEY_LOCAL_MACHINE, shell.c_str(), "FriendlyCache", REG_SZ, cached.c_str(),
                    static_cast<DWORD>(cached.size() + 1));
    getFriendlyAppName("D:\\Tools\\zorvtest_viewer.exe", name);
    EXPECT_EQ(name, cached.size() < 60 ? "Zorv Viewer {beta}" + dots : "zorvtest_viewer");
  }
  getFriendlyAppName("\\\\server(1)", name);  // roots stay as they are
  EXPECT_STREQ(name, "\\\\server(1)");
}

TEST_F(FileAssociationsTest, EachMissingPieceHasItsLogLineAndLeavesNoKeyOpenUntilTheProgram) {
  // Each step adds one piece of the association (a key, with a default value or without).
  const char* const kClass = "ZorvTest.Document";
  const struct {
    std::string key;
    const char* value;
    std::string line;
  } steps[] = {
      {"", nullptr, "No registry key for extension .zorvtest"},
      {".zorvtest", nullptr, "Could not get default key value for file extension .zorvtest"},
      {".zorvtest", kClass, "ERROR could not open key ZorvTest.Document"},
      {kClass, nullptr, "ERROR could not open key ZorvTest.Document"},
      {"ZorvTest.Document\\shell", nullptr,
       "ERROR could not open shell key open for ZorvTest.Document"},
      {"ZorvTest.Document\\shell\\open", nullptr,
       "Could not open command sub key for ZorvTest.Document"},
      {kCommandKey, nullptr, "Could not open sub key command for ZorvTest.Document"},
  };
  openProgram();  // the system's first use of HKEY_CLASSES_ROOT may keep a handle of its own
  Lines expected{steps[0].line};
  for (const auto& step : steps) {
    if (!step.key.empty()) setClassesKey(step.key, step.value);
    const std::vector<HKEY> before = nextHandles();
    EXPECT_EQ(openProgram(), "false") << step.line;
    EXPECT_EQ(nextHandles(), before) << step.line;
    expected.push_back(step.line);
  }
  setClassesKey(kCommandKey, "rundll32.exe shimgvw.dll,ImageView_Fullscreen %1");
  EXPECT_EQ(openProgram(), "false");  // refused without a log line
  setClassesKey(kCommandKey, "\"D:\\Program Files\\App\\APP.EXE\" /n \"%1\"");
  EXPECT_EQ(openProgram(), "d:\\program files\\app\\app.exe");
  EXPECT_EQ(logLines(), expected);
}

}  // namespace
