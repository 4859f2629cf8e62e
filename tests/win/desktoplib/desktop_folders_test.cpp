// The world, Visual and Shockwave media folders.
#include <string>

#include "desktop_fixture.h"
#include "program_run.h"

namespace {

class DesktopFoldersTest : public DesktopWinTest {
 protected:
  // The current world made valid: its movie lives below "Desktops" whatever its kind.
  void useWorld(const std::string& name) {
    makeWorld(name);
    recordWorld(name);
  }
};

TEST_F(DesktopFoldersTest, VisualFolderByTheWorldsFirstCharacter) {
  const struct {
    const char* world;
    const char* kind;
  } cases[] = {{"dZORV_Home", "Desktops"}, {"mZORV_Chat", "MUDs"},    {"wZORV_Site", "Webs"},
               {"Home", "Desktops"},       {"DZORV_Cap", "Desktops"}, {"MZORV_Cap", "Desktops"},
               {"xWorld", "Desktops"}};
  for (const auto& c : cases) {
    useWorld(c.world);
    const std::string expected = installDir_ + c.kind + "\\" + c.world + "\\Visual\\";
    char path[MAX_PATH] = "";
    EXPECT_TRUE(getVisualDir(path)) << c.world;
    EXPECT_EQ(path, expected);
    CString text;
    EXPECT_TRUE(getVisualDir(text)) << c.world;
    EXPECT_EQ(std::string(text), expected);
  }
}

TEST_F(DesktopFoldersTest, WorldFolderKeepsTheDoubledBackslash) {
  useWorld("dZORV_Home");
  CString dir("ignored");
  EXPECT_TRUE(getWorldDir(dir));
  EXPECT_EQ(std::string(dir), installDir_ + "\\Desktops\\dZORV_Home\\");
  EXPECT_NE(GetFileAttributesA(dir), INVALID_FILE_ATTRIBUTES);  // the system reads it as one
}

TEST_F(DesktopFoldersTest, WithoutAWorldVisualFailsAndTheWorldFolderEndsInTwoBackslashes) {
  char path[MAX_PATH] = "before";
  EXPECT_FALSE(getVisualDir(path));
  EXPECT_STREQ(path, "before");
  CString text("before");
  EXPECT_FALSE(getVisualDir(text));
  EXPECT_STREQ(text, "before");
  CString dir;
  EXPECT_TRUE(getWorldDir(dir));
  EXPECT_EQ(std::string(dir), installDir_ + "\\Desktops\\\\");
  EXPECT_EQ(boxTexts().size(), 3u);  // each call asked for the world and was told
}

TEST_F(DesktopFoldersTest, WithoutAnInstallationFolderTheWorldFolderBuildsOnTheCallersText) {
  ASSERT_EQ(RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kInstallKeyPath, "MainDir"), ERROR_SUCCESS);
  CString dir("X:");
  EXPECT_TRUE(getWorldDir(dir));
  EXPECT_STREQ(dir, "X:\\Desktops\\\\");
  char path[MAX_PATH] = "before";
  EXPECT_FALSE(getVisualDir(path));
  EXPECT_STREQ(path, "before");
}

TEST_F(DesktopFoldersTest, AVisualPathBeyondTheBufferIsRefused) {
  // The only world folder has no movie but is current all the same; its Visual path is longer
  // than 259 characters although the folder itself fits.
  const std::string name =
      "dZORV_" + std::string(MAX_PATH - 1 - installDir_.size() - sizeof "Desktops\\" - 6, 'n');
  makeWorld(name, false);
  const std::string visual = installDir_ + "Desktops\\" + name + "\\Visual\\";
  ASSERT_GE(visual.size(), static_cast<std::size_t>(MAX_PATH));
  char path[MAX_PATH] = "before";
  EXPECT_FALSE(getVisualDir(path));
  EXPECT_STREQ(path, "before");
  EXPECT_EQ(recordedWorld().text, name);
}

TEST(ShockwaveMediaDirTest, BelowSystem32OnTheNtFamily) {
  CString dir;
  getShockwaveMediaDir(dir);
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  EXPECT_EQ(std::string(dir),
            std::string(windows) + "\\system32\\macromed\\shockwave 8\\dswmedia\\");
  EXPECT_FALSE(isWin9x());
}

// A program of its own reports the platform, since Wine's per-program Windows version is read
// when a process starts.
class Windows98Test : public ::testing::Test {
 protected:
  static constexpr char kProbe[] = "desktoplib_platform_probe.exe";
  static constexpr char kAppDefaults[] =
      "Software\\Wine\\AppDefaults\\desktoplib_platform_probe.exe";

  void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kAppDefaults); }
};

TEST_F(Windows98Test, MediaFolderBelowSystemAndWin9xTrue) {
  ProgramRun run = runProgram(kProbe, "");
  ASSERT_EQ(run.exitCode, 0u) << run.output;
  EXPECT_TRUE(has(run, "win9x 0\n")) << run.output;
  EXPECT_TRUE(has(run, "\\system32\\macromed\\shockwave 8\\dswmedia\\\n")) << run.output;

  ASSERT_EQ(
      RegSetKeyValueA(HKEY_CURRENT_USER, kAppDefaults, "Version", REG_SZ, "win98", sizeof "win98"),
      ERROR_SUCCESS);
  run = runProgram(kProbe, "");
  ASSERT_EQ(run.exitCode, 0u) << run.output;
  EXPECT_TRUE(has(run, "win9x 1\n")) << run.output;
  EXPECT_TRUE(has(run, "\\windows\\system\\macromed\\shockwave 8\\dswmedia\\\n")) << run.output;
}

}  // namespace
