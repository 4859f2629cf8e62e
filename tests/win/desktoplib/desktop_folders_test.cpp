// The world, Visual and Shockwave media folders.
#include "desktop_fixture.h"
#include "program_run.h"

namespace {

using DesktopFoldersTest = DesktopWinTest;

TEST_F(DesktopFoldersTest, VisualFolderByTheWorldsFirstCharacter) {
  const std::pair<const char*, const char*> cases[] = {{"dZORV_Home", "Desktops"},
                                                       {"mZORV_Chat", "MUDs"},
                                                       {"wZORV_Site", "Webs"},
                                                       {"Home", "Desktops"},
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
  ProgramRun run = runProgram("desktoplib_platform_probe.exe", "");
  EXPECT_TRUE(has(run, "win9x 0\nmedia C:\\windows\\system32\\macromed\\shockwave 8\\dswmedia\\\n"))
      << run.output;
  RegSetKeyValueA(HKEY_CURRENT_USER, appDefaults, "Version", REG_SZ, "win98", 6);
  run = runProgram("desktoplib_platform_probe.exe", "");
  RegDeleteTreeA(HKEY_CURRENT_USER, appDefaults);
  EXPECT_TRUE(has(run, "win9x 1\nmedia C:\\windows\\system\\macromed\\shockwave 8\\dswmedia\\\n"))
      << run.output;
}

}  // namespace
