// Shell link files read into ShortcutInfo: real links made through the shell, and a stand-in
// link class for the shell's failures, which Wine never produces.
#include <gtest/gtest.h>

#include "fake_shell_link.h"
#include "link_files.h"
#include "office/office.h"

namespace {

bool samePath(const char* a, const char* b) {
  char longA[MAX_PATH] = {}, longB[MAX_PATH] = {};
  GetLongPathNameA(a, longA, MAX_PATH);
  GetLongPathNameA(b, longB, MAX_PATH);
  return _stricmp(longA, longB) == 0 && longA[0] != '\0';
}

// A record that a call must leave alone where it claims to.
ShortcutInfo filledRecord() {
  ShortcutInfo info;
  info.isDirectory = true;
  info.fileName = info.targetPath = info.workingDirectory = "old";
  info.executable = info.iconPath = info.arguments = "old";
  info.iconIndex = 77;
  return info;
}

bool untouched(const ShortcutInfo& info) {
  return info.isDirectory && info.fileName == "old" && info.targetPath == "old" &&
         info.workingDirectory == "old" && info.executable == "old" && info.iconPath == "old" &&
         info.arguments == "old" && info.iconIndex == 77;
}

TEST(ShortcutTest, LinkRoundTripGivesEveryField) {
  const RegisteredType type(".zorvlinktest", "ZorvLinkTest",
                            "\"C:\\windows\\system32\\notepad.exe\" \"%1\"");
  TempFolder folder;
  const std::string target = folder.file("a long name.zorvlinktest");
  const std::string link =
      makeLink(folder, "doc.lnk",
               {target, folder.root, "/p \"x y\"", "C:\\windows\\system32\\shell32.dll", 7});
  ShortcutInfo info;
  ASSERT_TRUE(resolveShortcut(link.c_str(), info));
  EXPECT_FALSE(info.isDirectory);
  EXPECT_EQ(info.fileName, "a long name.zorvlinktest");
  // Wine reports the long form whatever the flag; the short form names the same file.
  EXPECT_TRUE(samePath(info.targetPath, target.c_str())) << info.targetPath;
  EXPECT_EQ(info.workingDirectory, folder.root.c_str());
  EXPECT_EQ(info.arguments, "/p \"x y\"");
  EXPECT_EQ(info.iconPath, "C:\\windows\\system32\\shell32.dll");
  EXPECT_EQ(info.iconIndex, 7);
  EXPECT_TRUE(samePath(info.executable, "C:\\windows\\system32\\notepad.exe")) << info.executable;
}

TEST(ShortcutTest, FoldersUnknownTypesAndLostTargetsHaveNoProgram) {
  TempFolder folder;
  const std::string toFolder = makeLink(folder, "f.lnk", {folder.folder("viewer.exe"), "", "", ""});
  const std::string toDocument =
      makeLink(folder, "d.lnk", {folder.file("d.zorvnone"), "", "-a", ""});
  const std::string lost = folder.file("lost.exe");
  const std::string toLost = makeLink(folder, "l.lnk", {lost, "", "", ""});
  DeleteFileA(lost.c_str());

  ShortcutInfo info = filledRecord();
  ASSERT_TRUE(resolveShortcut(toFolder.c_str(), info));
  EXPECT_TRUE(info.isDirectory);
  EXPECT_EQ(info.executable, "");
  info = filledRecord();
  ASSERT_TRUE(resolveShortcut(toDocument.c_str(), info));
  EXPECT_EQ(info.fileName, "d.zorvnone");
  EXPECT_EQ(info.arguments, "-a");
  EXPECT_EQ(info.executable, "");
  // Windows cannot resolve a lost target and leaves the record; Wine reports the stored path.
  info = ShortcutInfo();
  ASSERT_TRUE(resolveShortcut(toLost.c_str(), info));
  EXPECT_TRUE(info.targetPath.IsEmpty() || _stricmp(info.targetPath, lost.c_str()) == 0);
  EXPECT_EQ(info.executable, "");
}

TEST(ShortcutTest, WhatIsNoLinkIsRefusedAndTheFullPathLengthWorks) {
  TempFolder folder;
  for (const std::string& path : {folder.file("plain.lnk", "not a link"), folder.path("none.lnk"),
                                  std::string(), std::string(300, 'a')}) {
    ShortcutInfo info = filledRecord();
    EXPECT_FALSE(resolveShortcut(path.c_str(), info)) << path;
    EXPECT_TRUE(untouched(info));
  }
  ShortcutInfo info;
  EXPECT_FALSE(resolveShortcut(nullptr, info));

  const std::string sub = folder.folder(std::string(200 - folder.root.size(), 'd'));
  const std::string name = sub.substr(folder.root.size() + 1) + "\\" +
                           std::string(MAX_PATH - 1 - sub.size() - 5, 'n') + ".lnk";
  ASSERT_EQ(makeLink(folder, name, {sub, "", "", ""}).size(), MAX_PATH - 1u);
  EXPECT_TRUE(resolveShortcut(folder.path(name).c_str(), info));
  EXPECT_TRUE(info.isDirectory);
}

TEST(ShortcutTest, MultithreadedThreadGetsFalse) {
  TempFolder folder;
  const std::string link = makeLink(folder, "t.lnk", {folder.file("t.txt"), "", "", ""});
  runOnThread([&link] {
    ASSERT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    ShortcutInfo info = filledRecord();
    EXPECT_FALSE(resolveShortcut(link.c_str(), info));
    EXPECT_TRUE(untouched(info));
    CoUninitialize();
  });
}

class ShellFailureTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr))); }
  void TearDown() override { CoUninitialize(); }

  // The result, with the stand-in answering as told; every interface must be released.
  static bool resolveWith(const FakeLinkResults& results, ShortcutInfo& info) {
    const DWORD cookie = fakeLinkRegister(results);
    EXPECT_NE(cookie, 0u);
    const bool read = resolveShortcut("C:\\x.lnk", info);
    fakeLinkRevoke(cookie);
    EXPECT_EQ(fakeLinkReferences, 0) << "an interface was not released";
    return read;
  }
};

FakeLinkResults failing(HRESULT FakeLinkResults::*step) {
  FakeLinkResults results{};
  results.*step = E_FAIL;
  return results;
}

// The shell is called in order with its arguments; each failing step leaves what it should.
TEST_F(ShellFailureTest, CallsInOrderAndEachFailingStepLeavesWhatItShould) {
  ShortcutInfo info;
  ASSERT_TRUE(resolveWith(FakeLinkResults{}, info));
  EXPECT_STREQ(fakeLinkCalls,
               "Load(C:\\x.lnk,0) Resolve(0,2) GetPath(260,1) GetIconLocation(260) "
               "GetWorkingDirectory(260) GetArguments(260) ");
  EXPECT_EQ(info.targetPath, FAKE_TARGET);
  EXPECT_EQ(info.fileName, FAKE_FILE_NAME);
  EXPECT_EQ(info.iconPath, FAKE_ICON);
  EXPECT_EQ(info.iconIndex, FAKE_ICON_INDEX);
  EXPECT_EQ(info.workingDirectory, FAKE_DIRECTORY);
  EXPECT_EQ(info.arguments, FAKE_ARGUMENTS);
  for (auto step :
       {&FakeLinkResults::queryPersistFile, &FakeLinkResults::load, &FakeLinkResults::getPath}) {
    ShortcutInfo info = filledRecord();
    EXPECT_FALSE(resolveWith(failing(step), info));
    EXPECT_TRUE(untouched(info));
  }
  info = filledRecord();  // an unresolvable link is still a link
  EXPECT_TRUE(resolveWith(failing(&FakeLinkResults::resolve), info));
  EXPECT_TRUE(untouched(info));

  EXPECT_TRUE(resolveWith(failing(&FakeLinkResults::getIconLocation), info));
  EXPECT_EQ(info.iconPath, "");
  EXPECT_EQ(info.iconIndex, 0);
  FakeLinkResults noIndex{};
  noIndex.leavesIconIndex = TRUE;
  EXPECT_TRUE(resolveWith(noIndex, info));
  EXPECT_EQ(info.iconIndex, -9999);

  info = filledRecord();  // working directory, then arguments fail: earlier fields stay filled
  EXPECT_FALSE(resolveWith(failing(&FakeLinkResults::getWorkingDirectory), info));
  EXPECT_EQ(info.targetPath, FAKE_TARGET);
  EXPECT_EQ(info.iconIndex, FAKE_ICON_INDEX);
  EXPECT_EQ(info.workingDirectory, "old");
  EXPECT_FALSE(resolveWith(failing(&FakeLinkResults::getArguments), info));
  EXPECT_EQ(info.workingDirectory, FAKE_DIRECTORY);
  EXPECT_EQ(info.arguments, "old");
  EXPECT_EQ(info.executable, "old");
}

TEST(TextConversionTest, ConvertsOrLeavesTheOutputEmpty) {
  char narrow[4];
  wchar_t wide[4];
  EXPECT_EQ(wideToAnsi(narrow, L"abc", 4), 3);
  EXPECT_STREQ(narrow, "abc");
  EXPECT_EQ(ansiToWide(wide, "abc", 4), 3);
  EXPECT_STREQ(wide, L"abc");
  EXPECT_EQ(wideToAnsi(narrow, L"abcd", 4), 0);  // no room for the terminator: no cut text
  EXPECT_STREQ(narrow, "");
  EXPECT_EQ(ansiToWide(wide, "abcd", 4), 0);
  EXPECT_STREQ(wide, L"");
  EXPECT_EQ(ansiToWide(nullptr, "a", 4) + ansiToWide(wide, nullptr, 4), 0);
}

}  // namespace
