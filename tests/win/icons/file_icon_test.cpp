// getFileIcon: the shell first, then the fallbacks by kind of file, on the lower-cased path.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "common/common_fixture.h"
#include "icons/icon_test_support.h"
#include "imaging/file_icon.h"
#include "office/link_files.h"

namespace {

HICON standardIcon() { return LoadIconA(nullptr, IDI_APPLICATION); }

std::string lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string systemFolder() {
  char folder[MAX_PATH];
  GetSystemDirectoryA(folder, MAX_PATH);
  return folder;
}

class FileIconTest : public CommonWinTest {
 protected:
  void SetUp() override {
    CommonWinTest::SetUp();
    openLogInFolder();
  }

  std::string noIconLine(const std::string& path) {
    return "ERROR could not get icon for file " + lower(path);
  }

  TempFolder files_{"zic"};
};

TEST_F(FileIconTest, TheShellsIconComesFirstAndNothingIsLogged) {
  const std::string document = files_.file("Notes.TXT", "text");
  HICON icon = getFileIcon(document.c_str());  // Wine's real shell
  EXPECT_NE(icon, nullptr);
  releaseFileIcon(icon);

  ShellStandIn shell;
  shell.answerShell(fakeIcon(1));
  EXPECT_EQ(getFileIcon(document.c_str()), fakeIcon(1));
  EXPECT_EQ(shell.shellPath, lower(document));  // the working copy, not the caller's text
  EXPECT_EQ(shell.shellFlags, 0x5100u);
  EXPECT_TRUE(shell.shellRecordZeroed);
  EXPECT_TRUE(shell.extractions.empty());
  EXPECT_EQ(loggedLines(), "");
}

TEST_F(FileIconTest, AShortcutWithAnIconLocationGivesThatIconAtTheLinksIndex) {
  const std::string iconFile = systemFolder() + "\\shell32.dll";
  for (const char* name : {"tool.lnk", "TOOL2.LNK"}) {  // capitals count as a shortcut too
    const std::string link =
        makeLink(files_, name, {systemFolder() + "\\notepad.exe", "", "", iconFile, 3});
    ASSERT_NE(link, "");
    ShellStandIn shell;
    shell.answerExtract(fakeIcon(2));
    EXPECT_EQ(getFileIcon(link.c_str()), fakeIcon(2)) << name;
    ASSERT_EQ(shell.extractions.size(), 1u) << name;
    EXPECT_EQ(lower(shell.extractions[0].file), lower(iconFile));
    EXPECT_EQ(shell.extractions[0].index, 3u);
  }
  // A shortcut inside a folder whose name holds ".exe" is still a shortcut: ".lnk" comes first.
  files_.folder("Kit.exe.d");
  const std::string link = makeLink(files_, "Kit.exe.d\\run.lnk",
                                    {systemFolder() + "\\notepad.exe", "", "", iconFile, 5});
  ShellStandIn shell;
  shell.answerExtract(fakeIcon(4));
  EXPECT_EQ(getFileIcon(link.c_str()), fakeIcon(4));
  ASSERT_EQ(shell.extractions.size(), 1u);
  EXPECT_EQ(shell.extractions[0].index, 5u);
  EXPECT_EQ(loggedLines(), "");
}

// Wine gives every link an icon location, so the record of a link without one is put in.
TEST_F(FileIconTest, AShortcutToADocumentTakesItsProgramsIconOrTheStandardIcon) {
  const std::string link = files_.file("letter.lnk", "read through the stand-in");
  ShortcutInfo letter;
  letter.targetPath = "C:\\Docs\\Letter.txt";
  letter.executable = "C:\\Windows\\Notepad.exe";
  letter.iconIndex = 2;
  ShellStandIn shell;
  shell.answerShortcut(letter);
  shell.answerExtract(fakeIcon(3));
  EXPECT_EQ(getFileIcon(link.c_str()), fakeIcon(3));
  ASSERT_EQ(shell.extractions.size(), 1u);
  EXPECT_EQ(shell.extractions[0].file, "C:\\Windows\\Notepad.exe");
  EXPECT_EQ(shell.extractions[0].index, 2u);

  shell.answerExtract(nullptr);  // a program without icons
  EXPECT_EQ(getFileIcon(link.c_str()), standardIcon());

  letter.executable = "";  // no program: the target itself, and no standard icon
  shell.answerShortcut(letter);
  shell.extractions.clear();
  EXPECT_EQ(getFileIcon(link.c_str()), nullptr);
  ASSERT_EQ(shell.extractions.size(), 1u);
  EXPECT_EQ(shell.extractions[0].file, "C:\\Docs\\Letter.txt");
  EXPECT_EQ(shell.extractions[0].index, 2u);
  const std::string lines = loggedLines();
  EXPECT_NE(lines.find(noIconLine(link)), std::string::npos) << lines;
}

TEST_F(FileIconTest, AnUnreadableShortcutGivesNoIconAndTwoLogLines) {
  const std::string link = files_.file("Broken.lnk", "this is not a shell link");
  ShellStandIn shell;
  EXPECT_EQ(getFileIcon(link.c_str()), nullptr);
  ASSERT_EQ(shell.extractions.size(), 1u);
  EXPECT_EQ(shell.extractions[0].file, "");  // the empty record's target
  const std::string lines = loggedLines();
  EXPECT_NE(lines.find(noIconLine(link)), std::string::npos) << lines;
  EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 2) << lines;
}

TEST_F(FileIconTest, DotExeAnywhereMakesAProgramWithTheStandardIconAsFallback) {
  files_.folder("Setup.EXE.files");
  const std::string readme = files_.file("Setup.EXE.files\\readme.txt");
  {
    ShellStandIn shell;
    EXPECT_EQ(getFileIcon(readme.c_str()), standardIcon());
    ASSERT_EQ(shell.extractions.size(), 1u);
    EXPECT_EQ(shell.extractions[0].file, lower(readme));
    EXPECT_EQ(shell.extractions[0].index, 0u);

    // ExtractIconA's 1 for a file that is not a program still counts as an icon.
    shell.answerExtract(reinterpret_cast<HICON>(1));
    HICON one = getFileIcon(readme.c_str());
    EXPECT_EQ(one, reinterpret_cast<HICON>(1));
    releaseFileIcon(one);  // no handle to destroy
  }

  // A real program file without icons: the test programs have none.
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  ShellStandIn shell;
  EXPECT_EQ(getFileIcon(self), standardIcon());
  EXPECT_EQ(loggedLines(), "");
}

TEST_F(FileIconTest, ADocumentTakesItsProgramsFirstIconAndAnUnknownTypeNone) {
  const RegisteredType type(".zqdoc", "ZorvTest.Document",
                            "\"" + systemFolder() + "\\notepad.exe\" \"%1\"");
  const std::string document = files_.file("Diary.ZQDOC", "text");
  ShellStandIn shell;
  HICON icon = getFileIcon(document.c_str());
  ASSERT_EQ(shell.extractions.size(), 1u);
  EXPECT_EQ(shell.extractions[0].file, lower(systemFolder() + "\\notepad.exe"));
  EXPECT_EQ(shell.extractions[0].index, 0u);
  EXPECT_NE(icon, nullptr);
  releaseFileIcon(icon);
  EXPECT_EQ(loggedLines(), "");

  const std::string unknown = files_.file("Data.ZqXw", "bytes");
  EXPECT_EQ(getFileIcon(unknown.c_str()), nullptr);
  const std::string lines = loggedLines();
  EXPECT_NE(lines.find(noIconLine(unknown)), std::string::npos) << lines;
  EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 2) << lines;
}

TEST_F(FileIconTest, NullAndOverlongPathsNeverOverrun) {
  ShellStandIn shell;
  EXPECT_EQ(getFileIcon(nullptr), nullptr);
  EXPECT_EQ(loggedLines(), "");
  for (size_t length : {259u, 260u, 300u, 2000u}) {
    const std::string path = "c:\\" + std::string(length - 3 - 6, 'a') + "\\b.exe";
    ASSERT_EQ(path.size(), length);
    shell.extractions.clear();
    HICON icon = getFileIcon(path.c_str());
    // Only a path the shell's calls can name is looked up: a program with the standard icon.
    EXPECT_EQ(icon, length < 260 ? LoadIconA(nullptr, IDI_APPLICATION) : nullptr) << length;
    EXPECT_EQ(shell.extractions.size(), length < 260 ? 1u : 0u) << length;
    EXPECT_EQ(getFileIcon(std::string(length, 'x').c_str()), nullptr) << length;
  }
  EXPECT_NE(loggedLines().find(noIconLine(std::string(2000, 'x'))), std::string::npos);
}

TEST_F(FileIconTest, ReleasingLeavesTheSharedStandardIconAlone) {
  releaseFileIcon(standardIcon());
  releaseFileIcon(nullptr);
  ICONINFO info{};
  EXPECT_TRUE(GetIconInfo(standardIcon(), &info));
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
}

}  // namespace
