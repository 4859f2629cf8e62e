// The Office locator against ProgID keys made by the tests, real shortcut files, and message
// boxes answered by a helper thread.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "link_files.h"
#include "message_box_answerer.h"
#include "office/office.h"
#include "office_classes.h"

namespace {

constexpr char kWordServer[] = "C:\\Program Files\\Microsoft Office\\WINWORD.EXE";
constexpr char kExcelServer[] = "C:\\Program Files\\Microsoft Office\\EXCEL.EXE";

std::string noticeFor(const std::string& application) {
  return "ZORV was unable to determine the location of " + application +
         ".  Please insert the shortcut manually, by right clicking on any Shortcut Pane";
}

struct Located {
  bool result;
  std::string path;
  std::vector<std::string> notices;
};

class OfficeLocatorTest : public ::testing::Test {
 protected:
  void SetUp() override { removeOfficeServers(); }
  void TearDown() override { removeOfficeServers(); }

  static Located locate(const std::string& path) {
    char buffer[MAX_PATH] = {};
    path.copy(buffer, MAX_PATH - 1);
    MessageBoxAnswerer user("Information");
    const bool result = locateOfficeApplication(buffer);
    return {result, buffer, user.texts()};
  }
};

TEST_F(OfficeLocatorTest, WordShortcutToItsIconProgramGivesTheServerKeepingTheBlank) {
  registerOfficeServer("Word.Application", 1, (std::string(kWordServer) + " /automation").c_str());
  TempFolder folder;
  const std::string link =
      folder.link("Microsoft Word.lnk", {folder.file("wordicon.exe"), "", "", "", 0});

  const Located located = locate(link);
  EXPECT_TRUE(located.result);
  EXPECT_EQ(located.path, std::string(kWordServer) + " ");
  EXPECT_TRUE(located.notices.empty());
}

TEST_F(OfficeLocatorTest, FrontPageShortcutMayLeadToEitherIconProgram) {
  registerOfficeServer("FrontPage.Application", 5, "C:\\FP\\FRONTPG.EXE");
  TempFolder folder;
  const std::string link =
      folder.link("Microsoft FrontPage.lnk", {folder.file("fpicon.exe"), "", "", "", 0});
  for (const std::string& path : {link, std::string("C:\\FP\\misc.exe")}) {
    const Located located = locate(path);
    EXPECT_TRUE(located.result) << path;
    EXPECT_EQ(located.path, "C:\\FP\\FRONTPG.EXE");
  }
}

TEST_F(OfficeLocatorTest, PathsOfNoApplicationPassUnchangedWithoutNotice) {
  // Word and FrontPage are not registered: had they been recognised, a notice would follow.
  TempFolder folder;
  const std::string wordIcon = folder.file("wordicon.exe");
  const std::string paths[] = {
      folder.link("Microsoft Word.lnk", {folder.file("editor.exe"), "", "", "", 0}),
      folder.link("Microsoft FrontPage.lnk", {folder.file("fpicon.ex_"), "", "", "", 0}),
      "C:\\Program Files\\FrontPage\\fpicon.exe",  // the path test knows only misc.exe
      folder.link("sub\\microsoft word.lnk", {wordIcon, "", "", "", 0}),
      "C:\\OFFICE\\WORDICON.EXE",
      "C:\\Games\\ZORV\\game.exe",
      "",
  };
  folder.folder("sub");
  for (const std::string& path : paths) {
    const Located located = locate(path);
    EXPECT_TRUE(located.result) << path;
    EXPECT_EQ(located.path, path);
    EXPECT_TRUE(located.notices.empty()) << path;
  }
}

TEST_F(OfficeLocatorTest, RecognisedButUnregisteredTellsTheUserOnceAndStops) {
  setClassesValue("Excel.Application", "no CLSID subkey");
  registerOfficeServer("Access.Application", 6, "C:\\ACCESS.EXE");  // a later row that would fit
  const std::string path = "C:\\accicons.exe\\xlicons.exe";

  const Located located = locate(path);
  EXPECT_FALSE(located.result);
  EXPECT_EQ(located.path, path);
  EXPECT_EQ(located.notices, std::vector<std::string>{noticeFor("Microsoft Excel")});
}

TEST_F(OfficeLocatorTest, EarlierRowWinsAndEveryApplicationHasItsNotice) {
  registerOfficeServer("Word.Application", 1, kWordServer);
  registerOfficeServer("Excel.Application", 2, kExcelServer);
  EXPECT_EQ(locate("C:\\wordicon.exe\\Microsoft Excel.lnk").path, kWordServer);

  removeOfficeServers();
  const char* const icons[][2] = {
      {"wordicon.exe", "Microsoft Word"},   {"xlicons.exe", "Microsoft Excel"},
      {"outicon.exe", "Microsoft Outlook"}, {"pptico.exe", "Microsoft PowerPoint"},
      {"misc.exe", "Microsoft FrontPage"},  {"accicons.exe", "Microsoft Access"}};
  for (const auto& icon : icons) {
    const Located located = locate(std::string("C:\\Office\\") + icon[0]);
    EXPECT_FALSE(located.result);
    EXPECT_EQ(located.notices, std::vector<std::string>{noticeFor(icon[1])});
  }
  char* none = nullptr;
  EXPECT_FALSE(locateOfficeApplication(none));
}

class LocalServerPathTest : public OfficeLocatorTest {
 protected:
  // The result, and the output buffer afterwards (an unchanged sentinel as "#").
  static std::pair<bool, std::string> serverOf(const std::string& progId) {
    char out[MAX_PATH];
    std::memset(out, '#', sizeof out);
    out[MAX_PATH - 1] = '\0';
    const bool result = getLocalServerPath(out, progId.c_str());
    const std::string text = out;
    return {result, text == std::string(MAX_PATH - 1, '#') ? "#" : text};
  }
};

TEST_F(LocalServerPathTest, CutsAtTheFirstSlashOnly) {
  registerOfficeServer("Word.Application", 1, "C:\\Word\\WINWORD.EXE /automation /x");
  registerOfficeServer("Outlook.Application", 3, "C:\\Program Files\\OUTLOOK.EXE");
  registerOfficeServer("Excel.Application", 2, "");
  EXPECT_EQ(serverOf("Word.Application"),
            std::make_pair(true, std::string("C:\\Word\\WINWORD.EXE ")));
  EXPECT_EQ(serverOf("Outlook.Application"),
            std::make_pair(true, std::string("C:\\Program Files\\OUTLOOK.EXE")));
  EXPECT_EQ(serverOf("Excel.Application"), std::make_pair(true, std::string()));
}

TEST_F(LocalServerPathTest, ValuesUpToTheReadSize) {
  const std::string longest(258, 's');  // with its terminator exactly the 259 bytes read
  registerOfficeServer("Word.Application", 1, longest.c_str());
  registerOfficeServer("Excel.Application", 2, (longest + "s").c_str());
  EXPECT_EQ(serverOf("Word.Application"), std::make_pair(true, longest));
  EXPECT_EQ(serverOf("Excel.Application"), std::make_pair(false, std::string("#")));

  setClassesValue("Access.Application\\CLSID", std::string(259, 'c'));
  EXPECT_EQ(serverOf("Access.Application"), std::make_pair(false, std::string("#")));
}

TEST_F(LocalServerPathTest, ClassIdentifierOfAnyTypeWithoutTerminator) {
  const std::string classId = "{5A0B7E21-3C44-4F19-9D2A-000000000099}";
  RegSetKeyValueA(HKEY_CLASSES_ROOT, "Word.Application\\CLSID", nullptr, REG_BINARY, classId.data(),
                  static_cast<DWORD>(classId.size()));
  setClassesValue("CLSID\\" + classId + "\\LocalServer32", "C:\\BINARY.EXE");
  EXPECT_EQ(serverOf("Word.Application"), std::make_pair(true, std::string("C:\\BINARY.EXE")));
  RegDeleteTreeA(HKEY_CLASSES_ROOT, ("CLSID\\" + classId).c_str());
}

TEST_F(LocalServerPathTest, EveryMissingStepFailsWithTheBufferUnchanged) {
  // Excel: a CLSID key without value; Outlook: no LocalServer32 key; PowerPoint: the key
  // without value; Access: a number where the class identifier belongs; FrontPage: empty.
  HKEY key = nullptr;
  RegCreateKeyA(HKEY_CLASSES_ROOT, "Excel.Application\\CLSID", &key);
  RegCloseKey(key);
  registerOfficeServer("Outlook.Application", 3, nullptr);
  const std::string powerPoint = registerOfficeServer("PowerPoint.Application", 4, nullptr);
  RegCreateKeyA(HKEY_CLASSES_ROOT, ("CLSID\\" + powerPoint + "\\LocalServer32").c_str(), &key);
  RegCloseKey(key);
  const DWORD number = 42;
  RegSetKeyValueA(HKEY_CLASSES_ROOT, "Access.Application\\CLSID", nullptr, REG_DWORD, &number,
                  sizeof number);
  setClassesValue("FrontPage.Application\\CLSID", "");

  for (const std::string& progId :
       {std::string("Word.Application"), std::string("Excel.Application"),
        std::string("Outlook.Application"), std::string("PowerPoint.Application"),
        std::string("Access.Application"), std::string("FrontPage.Application"),
        std::string(300, 'p'), std::string()}) {
    EXPECT_EQ(serverOf(progId), std::make_pair(false, std::string("#"))) << progId;
  }

  char out[MAX_PATH] = "kept";
  EXPECT_FALSE(getLocalServerPath(out, nullptr));
  EXPECT_STREQ(out, "kept");
  EXPECT_FALSE(getLocalServerPath(nullptr, "Word.Application"));
}

}  // namespace
