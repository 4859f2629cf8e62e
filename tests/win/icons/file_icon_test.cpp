// getFileIcon: the shell first, then the fallbacks by kind of file, on the lower-cased path.
// Icons saved as JPEG pictures: the colours come back, monochrome icons, bad arguments and
// overlong paths are refused. zorvdesk's tests write a real program's icon from the real shell.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <new>
#include <string>
#include <vector>

#include "../../native/imaging/dib_pictures.h"
#include "common/common_fixture.h"
#include "icons/icon_test_support.h"
#include "imaging/file_icon.h"
#include "imaging/icon_pictures.h"
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

// The real shell's icon is zorvdesk's icon test.
TEST_F(FileIconTest, TheShellsIconComesFirstAndNothingIsLogged) {
  const std::string document = files_.file("Notes.TXT", "text");
  ShellStandIn shell;
  shell.answerShell(fakeIcon(1));
  EXPECT_EQ(getFileIcon(document.c_str()), fakeIcon(1));
  EXPECT_EQ(shell.shellPath, lower(document));  // the working copy, not the caller's text
  EXPECT_EQ(shell.shellFlags, 0x5100u);
  EXPECT_TRUE(shell.shellRecordZeroed);
  EXPECT_TRUE(shell.extractions.empty());
  EXPECT_EQ(loggedLines(), "");
}

// Capitals count as a shortcut too, and a shortcut inside a folder whose name holds ".exe" is
// still a shortcut: ".lnk" comes first.
TEST_F(FileIconTest, AShortcutGivesTheIconAtItsIconLocationAndAnUnreadableOneNone) {
  const std::string iconFile = systemFolder() + "\\shell32.dll";
  files_.folder("Kit.exe.d");
  for (const char* name : {"TOOL.LNK", "Kit.exe.d\\run.lnk"}) {
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
  EXPECT_EQ(loggedLines(), "");

  // An unreadable one gives no icon and two log lines.
  const std::string link = files_.file("Broken.lnk", "this is not a shell link");
  ShellStandIn shell;
  EXPECT_EQ(getFileIcon(link.c_str()), nullptr);
  ASSERT_EQ(shell.extractions.size(), 1u);
  EXPECT_EQ(shell.extractions[0].file, "");  // the empty record's target
  const std::string lines = loggedLines();
  EXPECT_NE(lines.find(noIconLine(link)), std::string::npos) << lines;
  EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 2) << lines;
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

TEST_F(FileIconTest, DotExeAnywhereMakesAProgramWithTheSharedStandardIconAsFallback) {
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
  releaseFileIcon(standardIcon());  // shared: left alone
  releaseFileIcon(nullptr);
  ICONINFO info{};
  EXPECT_TRUE(GetIconInfo(standardIcon(), &info));
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
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

constexpr int kSide = 32;

// A 32 x 32 colour icon: red above, blue below, fully opaque (an AND mask of zeros).
HICON makeColourIcon() {
  std::vector<DWORD> pixels(kSide * kSide, 0xFF0000FF);  // rows from the top
  std::fill(pixels.begin(), pixels.begin() + kSide * kSide / 2, 0xFFFF0000);
  const std::vector<BYTE> opaque(kSide * kSide / 8, 0);
  ICONINFO icon{TRUE, 0, 0, CreateBitmap(kSide, kSide, 1, 1, opaque.data()),
                CreateBitmap(kSide, kSide, 1, 32, pixels.data())};
  HICON result = CreateIconIndirect(&icon);
  DeleteObject(icon.hbmColor);
  DeleteObject(icon.hbmMask);
  return result;
}

HICON makeMonochromeIcon() {
  BYTE andBits[kSide * kSide / 8] = {};
  BYTE xorBits[kSide * kSide / 8];
  for (BYTE& b : xorBits) b = 0xAA;
  return CreateIcon(nullptr, kSide, kSide, 1, 1, andBits, xorBits);
}

void expectColour(const BYTE* bgr, int blue, int green, int red) {
  constexpr int kTolerance = 24;
  EXPECT_NEAR(bgr[0], blue, kTolerance);
  EXPECT_NEAR(bgr[1], green, kTolerance);
  EXPECT_NEAR(bgr[2], red, kTolerance);
}

// The pictures go into the file icon tests' folder, which goes with them.
class IconPicturesTest : public FileIconTest {
 protected:
  std::string jpeg_ = files_.path("icon.jpg");
};

TEST_F(IconPicturesTest, MonochromeIconsAndBadArgumentsAreRefusedAColourIconComesBack) {
  HICON mono = makeMonochromeIcon();
  ASSERT_NE(mono, nullptr);
  EXPECT_FALSE(saveIconAsJpeg(mono, jpeg_.c_str()));
  EXPECT_FALSE(fileExists(jpeg_));
  DestroyIcon(mono);

  HICON icon = makeColourIcon();
  EXPECT_FALSE(saveIconAsJpeg(icon, ""));
  EXPECT_FALSE(saveIconAsJpeg(icon, nullptr));
  EXPECT_FALSE(saveIconAsJpeg(nullptr, jpeg_.c_str()));
  EXPECT_FALSE(fileExists(jpeg_));
  ICONINFO info{};
  EXPECT_TRUE(GetIconInfo(icon, &info));  // the icon was left as it was
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);

  // A colour icon comes back as its colours.
  ASSERT_TRUE(saveIconAsJpeg(icon, jpeg_.c_str()));
  DestroyIcon(icon);
  BITMAPINFOHEADER* dib = nullptr;
  ASSERT_NE(readJpegFile(jpeg_.c_str(), &dib), 0);
  EXPECT_EQ(dib->biWidth, kSide);
  EXPECT_EQ(dib->biHeight, kSide);
  expectColour(pixel(dib, 16, kSide - 1 - 4), 0, 0, 255);   // red on top: upright
  expectColour(pixel(dib, 16, kSide - 1 - 27), 255, 0, 0);  // blue below
  ::operator delete(dib);
}

TEST_F(IconPicturesTest, AJoinedPathOver259CharactersIsRefusedWithoutALookUp) {
  const std::string folder = "c:\\" + std::string(200, 'f');
  EXPECT_FALSE(saveFileIconAsJpeg(folder.c_str(), std::string(56, 'n').c_str(), jpeg_.c_str()));
  EXPECT_EQ(loggedLines(), "");  // 260 characters: refused, not cut
  EXPECT_FALSE(saveFileIconAsJpeg(folder.c_str(), std::string(55, 'n').c_str(), jpeg_.c_str()));
  EXPECT_NE(loggedLines().find("ERROR could not get icon for file c:\\fff"), std::string::npos);
  EXPECT_FALSE(saveFileIconAsJpeg(nullptr, "x.exe", jpeg_.c_str()));
  EXPECT_FALSE(saveFileIconAsJpeg("c:\\", nullptr, jpeg_.c_str()));
  EXPECT_FALSE(fileExists(jpeg_));
}

}  // namespace
