// Shell link files read into ShortcutInfo: real links made through the shell, and a stand-in
// link class for the shell's failures, which Wine never produces.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

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

// The record's fields as texts in declaration order, to be compared at once.
using Fields = std::vector<std::string>;
Fields fields(const ShortcutInfo& info) {
  return {info.isDirectory ? "folder" : "file", std::string(info.fileName),
          std::string(info.targetPath),         std::string(info.workingDirectory),
          std::string(info.executable),         std::string(info.iconPath),
          std::string(info.arguments),          std::to_string(info.iconIndex)};
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
const Fields kUntouched = fields(filledRecord());

// The other fields come from the shell as they are: the stand-in below shows their reading.
TEST(ShortcutTest, LinksToDocumentsGiveTheirNameTargetAndProgramIfTheTypeHasOne) {
  const RegisteredType type(".zorvlinktest", "ZorvLinkTest",
                            "\"C:\\windows\\system32\\notepad.exe\" \"%1\"");
  TempFolder folder;
  const std::string target = folder.file("a long name.zorvlinktest");
  ShortcutInfo info;
  ASSERT_TRUE(resolveShortcut(makeLink(folder, "doc.lnk", {target}).c_str(), info));
  EXPECT_FALSE(info.isDirectory);
  EXPECT_EQ(info.fileName, "a long name.zorvlinktest");
  // Wine reports the long form whatever the flag; the short form names the same file.
  EXPECT_TRUE(samePath(info.targetPath, target.c_str())) << info.targetPath;
  EXPECT_TRUE(samePath(info.executable, "C:\\windows\\system32\\notepad.exe")) << info.executable;
  info = filledRecord();
  ASSERT_TRUE(
      resolveShortcut(makeLink(folder, "d.lnk", {folder.file("d.zorvnone")}).c_str(), info));
  EXPECT_EQ(info.fileName, "d.zorvnone");
  EXPECT_EQ(info.executable, "");
}

TEST(ShortcutTest, WhatIsNoLinkIsRefusedAndAFolderAtTheFullPathLengthHasNoProgram) {
  TempFolder folder;
  for (const std::string& path : {folder.file("plain.lnk", "not a link"), folder.path("none.lnk"),
                                  std::string(), std::string(300, 'a')}) {
    ShortcutInfo info = filledRecord();
    EXPECT_FALSE(resolveShortcut(path.c_str(), info)) << path;
    EXPECT_EQ(fields(info), kUntouched);
  }
  ShortcutInfo info;
  EXPECT_FALSE(resolveShortcut(nullptr, info));

  // A folder named like a program: a folder has no program.
  const std::string sub = folder.folder(std::string(196 - folder.root.size(), 'd') + ".exe");
  const std::string name = sub.substr(folder.root.size() + 1) + "\\" +
                           std::string(MAX_PATH - 1 - sub.size() - 5, 'n') + ".lnk";
  ASSERT_EQ(makeLink(folder, name, {sub, "", "", ""}).size(), MAX_PATH - 1u);
  info = filledRecord();
  EXPECT_TRUE(resolveShortcut(folder.path(name).c_str(), info));
  EXPECT_TRUE(info.isDirectory);
  EXPECT_EQ(info.executable, "");
}

TEST(ShortcutTest, MultithreadedThreadGetsFalse) {
  TempFolder folder;
  const std::string link = makeLink(folder, "t.lnk", {folder.file("t.txt"), "", "", ""});
  runOnThread([&link] {
    ASSERT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    ShortcutInfo info = filledRecord();
    EXPECT_FALSE(resolveShortcut(link.c_str(), info));
    EXPECT_EQ(fields(info), kUntouched);
    CoUninitialize();
  });
}

// The result, with the stand-in answering as told; every interface must be released.
bool resolveWith(const FakeLinkResults& results, ShortcutInfo& info) {
  EXPECT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  const DWORD cookie = fakeLinkRegister(results);
  EXPECT_NE(cookie, 0u);
  const bool read = resolveShortcut("C:\\x.lnk", info);
  fakeLinkRevoke(cookie);
  CoUninitialize();
  EXPECT_EQ(fakeLinkReferences, 0) << "an interface was not released";
  return read;
}

FakeLinkResults failing(HRESULT FakeLinkResults::*step) {
  FakeLinkResults results{};
  results.*step = E_FAIL;
  return results;
}

// The shell is called in order with its arguments; each failing step leaves what it should.
TEST(ShellFailureTest, CallsInOrderAndEachFailingStepLeavesWhatItShould) {
  ShortcutInfo info;
  ASSERT_TRUE(resolveWith(FakeLinkResults{}, info));
  EXPECT_STREQ(fakeLinkCalls,
               "Load(C:\\x.lnk,0) Resolve(0,2) GetPath(260,1) GetIconLocation(260) "
               "GetWorkingDirectory(260) GetArguments(260) ");
  EXPECT_EQ(fields(info), (Fields{"file", FAKE_FILE_NAME, FAKE_TARGET, FAKE_DIRECTORY, "",
                                  FAKE_ICON, FAKE_ARGUMENTS, std::to_string(FAKE_ICON_INDEX)}));
  // An unresolvable link is still a link, with nothing known of its target.
  const std::pair<HRESULT FakeLinkResults::*, bool> untouchedBy[] = {
      {&FakeLinkResults::queryPersistFile, false},
      {&FakeLinkResults::load, false},
      {&FakeLinkResults::getPath, false},
      {&FakeLinkResults::resolve, true}};
  for (const auto& [step, read] : untouchedBy) {
    info = filledRecord();
    EXPECT_EQ(resolveWith(failing(step), info), read);
    EXPECT_EQ(fields(info), kUntouched);
  }

  EXPECT_TRUE(resolveWith(failing(&FakeLinkResults::getIconLocation), info));
  EXPECT_EQ(info.iconPath, "");
  EXPECT_EQ(info.iconIndex, 0);
  FakeLinkResults noIndex{};
  noIndex.leavesIconIndex = TRUE;
  EXPECT_TRUE(resolveWith(noIndex, info));
  EXPECT_EQ(info.iconIndex, -9999);

  info = filledRecord();  // working directory, then arguments fail: earlier fields stay filled
  EXPECT_FALSE(resolveWith(failing(&FakeLinkResults::getWorkingDirectory), info));
  EXPECT_EQ(fields(info), (Fields{"file", FAKE_FILE_NAME, FAKE_TARGET, "old", "old", FAKE_ICON,
                                  "old", std::to_string(FAKE_ICON_INDEX)}));
  EXPECT_FALSE(resolveWith(failing(&FakeLinkResults::getArguments), info));
  EXPECT_EQ(fields(info), (Fields{"file", FAKE_FILE_NAME, FAKE_TARGET, FAKE_DIRECTORY, "old",
                                  FAKE_ICON, "old", std::to_string(FAKE_ICON_INDEX)}));
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
