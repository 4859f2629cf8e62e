// zorvdesk world: the installation, the current world as the library chooses it (its choice is
// the library tests'), and the folders.
#include <regex>

#include "installation_fixture.h"

namespace {

using ZorvdeskWorldTest = TemporaryInstallationTest;

constexpr char kMedia[] =
    "media folder         C:\\windows\\system32\\macromed\\shockwave 8\\dswmedia\\\n";

TEST_F(ZorvdeskWorldTest, PrintsTheRecordedWorldAndItsFolders) {
  addWorldFolder("dZORV_Home");
  addWorldFolder("mZORV_Chat");  // a MUD lies below Desktops too, for its movie file
  writeRegText(kInstallKeyPath, "CurrMovie", "mZORV_Chat");
  BoxAnswerer boxes;
  const ProgramRun run = expectZorvdesk("world", 0, "");
  EXPECT_EQ(run.output, "installation folder  " + folder_ + "\ncurrent world        mZORV_Chat\n" +
                            "world folder         " + folder_ + "\\Desktops\\mZORV_Chat\\\n" +
                            "Visual folder        " + folder_ + "MUDs\\mZORV_Chat\\Visual\\\n" +
                            kMedia);
  EXPECT_TRUE(boxes.texts().empty());
}

TEST_F(ZorvdeskWorldTest, WithoutAWorldTheUserIsToldAndItFails) {
  BoxAnswerer boxes;
  const ProgramRun run =
      expectZorvdesk("world", 1, "current world        (none)\n" + std::string(kMedia));
  EXPECT_TRUE(has(run, "zorvdesk: no ZORV world is installed below " + folder_ + "Desktops\n"))
      << run.output;
  EXPECT_FALSE(has(run, "world folder")) << run.output;
  EXPECT_EQ(boxes.texts(), std::vector<std::string>{"No ZORV Worlds are installed"});
}

TEST_F(ZorvdeskWorldTest, WithoutAnInstallationNothingIsSearched) {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, kInstallKeyPath);
  BoxAnswerer boxes;
  const ProgramRun run = expectZorvdesk("world", 1, "");
  EXPECT_EQ(run.output, "zorvdesk: no ZORV installation is recorded (HKLM\\SOFTWARE\\ZORV)\n");
  EXPECT_TRUE(boxes.texts().empty());
  EXPECT_EQ(zorvdesk("world now").exitCode, 2u);
  // -v: the same output, then the library's log lines as the log file would hold them.
  for (const char* verbose : {"-v", "--verbose"}) {
    const ProgramRun told = expectZorvdesk(std::string(verbose) + " world", 1, "");
    EXPECT_EQ(told.output.substr(0, run.output.size()), run.output);
    EXPECT_TRUE(std::regex_search(told.output.substr(run.output.size()),
                                  std::regex("^\\d\\d:\\d\\d:\\d\\d\\.0\\d{3}: ERROR Unable to "
                                             "open ZORV install key!\n")))
        << told.output;
  }
}

}  // namespace
