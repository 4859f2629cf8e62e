// zorvdesk open-with and app-name: the file association questions on a registry set up here.
#include <cstring>

#include "installation_fixture.h"

namespace {

constexpr char kApplicationShell[] = "SOFTWARE\\Classes\\Applications\\zdkview.exe\\shell";

class ZorvdeskAssociationTest : public ::testing::Test {
 protected:
  void SetUp() override { removeKeys(); }
  void TearDown() override { removeKeys(); }

  static void removeKeys() {
    for (const char* key : {".zdktest", ".zdkdll", "ZorvdeskTest.Doc", "ZorvdeskTest.Dll"}) {
      RegDeleteTreeA(HKEY_CLASSES_ROOT, key);
    }
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\Applications\\zdkview.exe");
  }

  static void associate(const char* extension, const char* type, const std::string& command) {
    ASSERT_EQ(RegSetKeyValueA(HKEY_CLASSES_ROOT, extension, nullptr, REG_SZ, type,
                              static_cast<DWORD>(std::strlen(type) + 1)),
              ERROR_SUCCESS);
    const std::string commandKey = std::string(type) + "\\shell\\open\\command";
    ASSERT_EQ(RegSetKeyValueA(HKEY_CLASSES_ROOT, commandKey.c_str(), nullptr, REG_SZ,
                              command.c_str(), static_cast<DWORD>(command.size() + 1)),
              ERROR_SUCCESS);
  }
};

TEST_F(ZorvdeskAssociationTest, OpenWithPrintsTheProgramWithoutItsArguments) {
  associate(".zdktest", "ZorvdeskTest.Doc", "\"D:\\Program Files\\App\\APP.EXE\" /n \"%1\"");
  const ProgramRun run = zorvdesk("open-with .zdktest");
  EXPECT_EQ(run.exitCode, 0u) << run.output;
  EXPECT_EQ(run.output, "d:\\program files\\app\\app.exe\n");
}

TEST_F(ZorvdeskAssociationTest, OpenWithFailsForNoProgramAndRefusesWhatIsNoExtension) {
  associate(".zdkdll", "ZorvdeskTest.Dll", "rundll32.exe shell32.dll,Control_RunDLL %1");
  ProgramRun run = zorvdesk("open-with .zdkdll");
  EXPECT_EQ(run.exitCode, 1u);
  EXPECT_EQ(run.output, "zorvdesk: no program is registered to open .zdkdll files\n");
  EXPECT_EQ(zorvdesk("open-with .zdknone").exitCode, 1u);
  for (const char* arguments :
       {"open-with", "open-with txt", "open-with .", "open-with .a .b", "open-with .a\\b"}) {
    run = zorvdesk(arguments);
    EXPECT_EQ(run.exitCode, 2u) << arguments;
    EXPECT_TRUE(has(run, "usage: zorvdesk open-with .EXT")) << run.output;
  }
}

TEST_F(ZorvdeskAssociationTest, AppNameUsesTheCachedNameOrTheFileName) {
  ProgramRun run = zorvdesk("app-name \"D:\\Tools\\Paint (new).exe\"");
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_EQ(run.output, "Paint {new}\n");

  const char cached[] = "Image Viewer (beta)";
  ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, kApplicationShell, "FriendlyCache", REG_SZ, cached,
                            sizeof cached),
            ERROR_SUCCESS);
  run = zorvdesk("app-name \"C:\\Some Folder\\zdkview.exe\"");
  EXPECT_EQ(run.output, "Image Viewer {beta}\n");
  EXPECT_EQ(zorvdesk("app-name D:\\").output, "D:\\\n");

  EXPECT_EQ(zorvdesk("app-name").exitCode, 2u);
  EXPECT_EQ(zorvdesk("app-name " + std::string(260, 'p')).exitCode, 2u);
}

}  // namespace
