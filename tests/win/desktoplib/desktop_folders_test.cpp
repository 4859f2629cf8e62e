// The world, Visual and Shockwave media folders, random numbers from msvcrt's generator, paths
// as shell item identifier lists, display names from the shell's cache and programs of "open"
// commands, from the registry.
#include <shlobj.h>

#include <cstdlib>
#include <cstring>

#include "desktop_fixture.h"
#include "program_run.h"

namespace {

using DesktopFoldersTest = DesktopWinTest;

TEST_F(DesktopFoldersTest, VisualFolderByTheWorldsFirstCharacter) {
  const std::pair<const char*, const char*> cases[] = {{"dZORV_Home", "Desktops"},
                                                       {"mZORV_Chat", "MUDs"},
                                                       {"wZORV_Site", "Webs"},
                                                       {"MZORV_Cap", "Desktops"}};
  for (const auto& [world, kind] : cases) {
    makeWorld(world);
    recordWorld(world);
    char path[MAX_PATH] = "";
    CString text;
    EXPECT_TRUE(getVisualDir(path) && getVisualDir(text)) << world;
    EXPECT_EQ(path, installDir_ + kind + "\\" + world + "\\Visual\\");
    EXPECT_STREQ(text, path);
  }
  CString dir;
  EXPECT_TRUE(getWorldDir(dir));
  EXPECT_EQ(std::string(dir), installDir_ + "\\Desktops\\MZORV_Cap\\");
}

TEST_F(DesktopFoldersTest, WithoutAWorldVisualFailsAndTheWorldFolderEndsInTwoBackslashes) {
  CString path("before"), dir;
  EXPECT_FALSE(getVisualDir(path));
  EXPECT_STREQ(path, "before");
  EXPECT_TRUE(getWorldDir(dir));
  EXPECT_EQ(std::string(dir), installDir_ + "\\Desktops\\\\");
  EXPECT_EQ(boxes_.texts().size(), 2u);
}

// Wine reads its per-program Windows version when a process starts: a program of its own
// reports the platform, once as Windows 7 and once as Windows 98.
TEST(PlatformTest, MediaFolderAndWin9xByPlatformFamily) {
  const char* appDefaults = "Software\\Wine\\AppDefaults\\desktoplib_platform_probe.exe";
  EXPECT_EQ(runProgram("desktoplib_platform_probe.exe", "").output,
            "win9x 0\nmedia C:\\windows\\system32\\macromed\\shockwave 8\\dswmedia\\\n");
  RegSetKeyValueA(HKEY_CURRENT_USER, appDefaults, "Version", REG_SZ, "win98", 6);
  const std::string win98 = runProgram("desktoplib_platform_probe.exe", "").output;
  RegDeleteTreeA(HKEY_CURRENT_USER, appDefaults);
  EXPECT_EQ(win98, "win9x 1\nmedia C:\\windows\\system\\macromed\\shockwave 8\\dswmedia\\\n");
}

TEST(RandomTest, DrawsOfTheRuntimesGeneratorAndTheirRange) {
  seedRandom();  // from now on the library does not seed by itself
  std::srand(1);
  std::vector<int> draws, dice;
  for (int i = 0; i < 6; ++i) draws.push_back(static_cast<int>(randomFloat(0, 32767)));
  EXPECT_EQ(draws, (std::vector<int>{41, 18467, 6334, 26500, 19169, 15724}));  // msvcrt, seed 1
  std::srand(1);
  for (int i = 0; i < 6; ++i) dice.push_back(randomInt(1, 6));
  EXPECT_EQ(dice, (std::vector<int>{1, 4, 2, 5, 4, 3}));  // floor(1.01 + draw / 32767 * 5.98)
  // Every draw's value and range are the native tests'; here empty ranges on the real generator.
  for (int i = 0; i < 5000; ++i) {
    ASSERT_EQ(randomInt(0, 0), 0);
    ASSERT_EQ(randomFloat(2, 2), 2.0f);
  }
}

TEST_F(DesktopFoldersTest, AnExistingFolderParsesToItselfAndAMissingPathToNothing) {
  ITEMIDLIST* list = nullptr;
  ASSERT_TRUE(parseShellPath(folder_.c_str(), &list));
  char path[MAX_PATH] = "";
  EXPECT_TRUE(SHGetPathFromIDListA(list, path));
  CoTaskMemFree(list);
  EXPECT_STRCASEEQ(path, folder_.c_str());
  EXPECT_FALSE(parseShellPath((folder_ + "\\missing.txt").c_str(), &list));
  EXPECT_EQ(list, nullptr);
  EXPECT_FALSE(parseShellPath(nullptr, &list));
}

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
