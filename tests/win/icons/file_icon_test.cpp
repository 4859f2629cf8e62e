// getFileIcon: the shell first, then the fallbacks by kind of file, on the lower-cased path.
// Icons saved as JPEG pictures: the colours come back, monochrome icons, bad arguments and
// overlong paths are refused. zorvdesk's tests write a real program's icon from the real shell.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <new>
#include <string>
#include <tuple>
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

  // The log holds the line that the path has no icon, among `count` lines in all.
  void expectNoIconLogged(const std::string& path, int count) {
    const std::string lines = loggedLines();
    EXPECT_NE(lines.find("ERROR could not get icon for file " + lower(path)), std::string::npos)
        << lines;
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), count) << lines;
  }

  TempFolder files_{"zic"};
};

// The real shell's icon is zorvdesk's icon test.
TEST_F(FileIconTest, TheShellsIconComesFirstAndNothingIsLogged) {
  const std::string document = files_.file("Notes.TXT", "text");
  ShellStandIn shell;
  shell.shellAnswer = fakeIcon(1);
  EXPECT_EQ(getFileIcon(document.c_str()), fakeIcon(1));
  EXPECT_EQ(shell.shellPath, lower(document));  // the working copy, not the caller's text
  EXPECT_EQ(shell.shellFlags, 0x5100u);
  EXPECT_TRUE(shell.shellRecordZeroed);
  EXPECT_EQ(shell.extracted(), "");
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
    shell.extractAnswer = fakeIcon(2);
    EXPECT_EQ(getFileIcon(link.c_str()), fakeIcon(2)) << name;
    EXPECT_EQ(lower(shell.extracted()), lower(iconFile) + ",3\n") << name;
  }
  EXPECT_EQ(loggedLines(), "");

  // An unreadable one gives no icon and two log lines.
  const std::string link = files_.file("Broken.lnk", "this is not a shell link");
  ShellStandIn shell;
  EXPECT_EQ(getFileIcon(link.c_str()), nullptr);
  EXPECT_EQ(shell.extracted(), ",0\n");  // the empty record's target
  expectNoIconLogged(link, 2);
}

// Wine gives every link an icon location, so the record of a link without one is put in.
TEST_F(FileIconTest, AShortcutToADocumentTakesItsProgramsIconOrTheStandardIcon) {
  const std::string link = files_.file("letter.lnk", "read through the stand-in");
  // A file, its name, target, working folder, program, icon file, arguments and icon index.
  ShortcutInfo letter{false, "", "C:\\Docs\\Letter.txt", "", "C:\\Windows\\Notepad.exe", "", "", 2};
  ShellStandIn shell;
  shell.shortcut = letter;
  shell.extractAnswer = fakeIcon(3);
  EXPECT_EQ(getFileIcon(link.c_str()), fakeIcon(3));
  EXPECT_EQ(shell.extracted(), "C:\\Windows\\Notepad.exe,2\n");

  shell.extractAnswer = HICON{nullptr};  // a program without icons (not the system's call)
  EXPECT_EQ(getFileIcon(link.c_str()), standardIcon());

  letter.executable = "";  // no program: the target itself, and no standard icon
  shell.shortcut = letter;
  shell.extractions.clear();
  EXPECT_EQ(getFileIcon(link.c_str()), nullptr);
  EXPECT_EQ(shell.extracted(), "C:\\Docs\\Letter.txt,2\n");
  expectNoIconLogged(link, 2);
}

TEST_F(FileIconTest, DotExeAnywhereMakesAProgramWithTheSharedStandardIconAsFallback) {
  files_.folder("Setup.EXE.files");
  const std::string readme = files_.file("Setup.EXE.files\\readme.txt");
  {
    ShellStandIn shell;
    EXPECT_EQ(getFileIcon(readme.c_str()), standardIcon());
    EXPECT_EQ(shell.extracted(), lower(readme) + ",0\n");

    // ExtractIconA's 1 for a file that is not a program still counts as an icon.
    shell.extractAnswer = reinterpret_cast<HICON>(1);
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
  EXPECT_EQ(shell.extracted(), lower(systemFolder() + "\\notepad.exe") + ",0\n");
  EXPECT_NE(icon, nullptr);
  releaseFileIcon(icon);
  EXPECT_EQ(loggedLines(), "");

  const std::string unknown = files_.file("Data.ZqXw", "bytes");
  EXPECT_EQ(getFileIcon(unknown.c_str()), nullptr);
  expectNoIconLogged(unknown, 2);
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
  expectNoIconLogged(std::string(2000, 'x'), 14);  // two lines for each refusal
}

constexpr int kSide = 32;

// The pictures go into the file icon tests' folder, which goes with them.
class IconPicturesTest : public FileIconTest {
 protected:
  std::string jpeg_ = files_.path("icon.jpg");
};

TEST_F(IconPicturesTest, MonochromeIconsAndBadArgumentsAreRefusedAColourIconComesBack) {
  const std::vector<BYTE> andBits(kSide * kSide / 8, 0), xorBits(kSide * kSide / 8, 0xAA);
  HICON mono = CreateIcon(nullptr, kSide, kSide, 1, 1, andBits.data(), xorBits.data());
  ASSERT_NE(mono, nullptr);
  EXPECT_FALSE(saveIconAsJpeg(mono, jpeg_.c_str()));
  EXPECT_FALSE(fileExists(jpeg_));
  DestroyIcon(mono);

  // A colour icon: red above, blue below, fully opaque (an AND mask of zeros).
  std::vector<DWORD> pixels(kSide * kSide, 0xFF0000FF);  // rows from the top
  std::fill(pixels.begin(), pixels.begin() + kSide * kSide / 2, 0xFFFF0000);
  ICONINFO parts{TRUE, 0, 0, CreateBitmap(kSide, kSide, 1, 1, andBits.data()),
                 CreateBitmap(kSide, kSide, 1, 32, pixels.data())};
  HICON icon = CreateIconIndirect(&parts);
  DeleteObject(parts.hbmColor);
  DeleteObject(parts.hbmMask);
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
  for (auto [row, blue, red] : {std::tuple{4, 0, 255}, {27, 255, 0}}) {  // red on top: upright
    const BYTE* bgr = pixel(dib, 16, kSide - 1 - row);
    EXPECT_NEAR(bgr[0], blue, 24) << row;
    EXPECT_NEAR(bgr[1], 0, 24) << row;
    EXPECT_NEAR(bgr[2], red, 24) << row;
  }
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
