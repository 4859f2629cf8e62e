// Shell link files read into ShortcutInfo: real links made through the shell, and a stand-in
// link class for the shell's failures, which Wine never produces.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "fake_shell_link.h"
#include "link_files.h"
#include "office/office.h"

namespace {

std::string longPath(const char* path) {
  char full[MAX_PATH] = {};
  GetLongPathNameA(path, full, MAX_PATH);
  return full;
}

bool samePath(const char* a, const char* b) { return _stricmp(a, b) == 0; }

// A record that a call must leave alone where it claims to.
ShortcutInfo filledRecord() {
  ShortcutInfo info;
  info.isDirectory = true;
  info.fileName = info.targetPath = info.workingDirectory = "before";
  info.executable = info.iconPath = info.arguments = "before";
  info.iconIndex = 77;
  return info;
}

void expectUntouched(const ShortcutInfo& info) {
  const ShortcutInfo before = filledRecord();
  EXPECT_EQ(info.isDirectory, before.isDirectory);
  EXPECT_EQ(info.fileName, before.fileName);
  EXPECT_EQ(info.targetPath, before.targetPath);
  EXPECT_EQ(info.workingDirectory, before.workingDirectory);
  EXPECT_EQ(info.executable, before.executable);
  EXPECT_EQ(info.iconPath, before.iconPath);
  EXPECT_EQ(info.arguments, before.arguments);
  EXPECT_EQ(info.iconIndex, before.iconIndex);
}

// A document type of the test's own, opened by the system's text editor.
class DocumentType {
 public:
  DocumentType() {
    const char command[] = "\"C:\\windows\\system32\\notepad.exe\" \"%1\"";
    RegSetKeyValueA(HKEY_CLASSES_ROOT, ".zorvlinktest", nullptr, REG_SZ, "ZorvLinkTest.Doc", 17);
    RegSetKeyValueA(HKEY_CLASSES_ROOT, "ZorvLinkTest.Doc\\shell\\open\\command", nullptr, REG_SZ,
                    command, sizeof command);
  }
  ~DocumentType() {
    RegDeleteTreeA(HKEY_CLASSES_ROOT, ".zorvlinktest");
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "ZorvLinkTest.Doc");
  }
};

TEST(ShortcutTest, LinkRoundTripGivesEveryField) {
  DocumentType type;
  TempFolder folder;
  const std::string target = folder.file("a long target name.zorvlinktest");
  const std::string link = folder.link(
      "doc.lnk", {target, folder.root(), "/p \"x y\"", "C:\\windows\\system32\\shell32.dll", 7});
  ASSERT_FALSE(link.empty());

  ShortcutInfo info;
  ASSERT_TRUE(resolveShortcut(link.c_str(), info));
  EXPECT_FALSE(info.isDirectory);
  EXPECT_EQ(info.fileName, "a long target name.zorvlinktest");
  // Wine reports the long form whatever the flag says; the short form names the same file.
  EXPECT_TRUE(samePath(longPath(info.targetPath).c_str(), longPath(target.c_str()).c_str()))
      << info.targetPath;
  EXPECT_EQ(info.workingDirectory, folder.root().c_str());
  EXPECT_EQ(info.arguments, "/p \"x y\"");
  EXPECT_EQ(info.iconPath, "C:\\windows\\system32\\shell32.dll");
  EXPECT_EQ(info.iconIndex, 7);
  EXPECT_TRUE(samePath(info.executable, "C:\\windows\\system32\\notepad.exe")) << info.executable;
}

TEST(ShortcutTest, FolderTargetsAndDocumentsWithoutAProgramHaveNoExecutable) {
  TempFolder folder;
  // A folder named like a program is still a folder.
  const std::string subfolder = folder.folder("viewer.exe");
  const std::string toFolder = folder.link("folder.lnk", {subfolder, "", "", "", 0});
  const std::string document = folder.file("data.zorvnothing");
  const std::string toDocument = folder.link("document.lnk", {document, "", "-a", "", 0});

  ShortcutInfo info = filledRecord();
  ASSERT_TRUE(resolveShortcut(toFolder.c_str(), info));
  EXPECT_TRUE(info.isDirectory);
  EXPECT_EQ(info.fileName, "viewer.exe");
  EXPECT_EQ(info.executable, "");

  info = filledRecord();
  ASSERT_TRUE(resolveShortcut(toDocument.c_str(), info));
  EXPECT_FALSE(info.isDirectory);
  EXPECT_EQ(info.fileName, "data.zorvnothing");
  EXPECT_EQ(info.arguments, "-a");
  EXPECT_EQ(info.executable, "");
}

TEST(ShortcutTest, LinkWhoseTargetWasDeletedIsReadWithoutAProgram) {
  TempFolder folder;
  const std::string target = folder.file("gone.txt");
  const std::string link = folder.link("gone.lnk", {target, "", "", "", 0});
  DeleteFileA(target.c_str());

  ShortcutInfo info;
  ASSERT_TRUE(resolveShortcut(link.c_str(), info));
  // Windows cannot resolve it and leaves the record empty; Wine reports the stored path.
  EXPECT_TRUE(info.targetPath.IsEmpty() || samePath(info.targetPath, target.c_str()))
      << info.targetPath;
  EXPECT_FALSE(info.isDirectory);
  EXPECT_EQ(info.executable, "");
}

TEST(ShortcutTest, WhatIsNotALinkFileIsRefused) {
  TempFolder folder;
  const std::string real = folder.link("real.lnk", {folder.file("t.txt"), "", "", "", 0});
  std::string bytes;
  {
    HANDLE file = CreateFileA(real.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    char buffer[4096];
    DWORD read = 0;
    ReadFile(file, buffer, sizeof buffer, &read, nullptr);
    CloseHandle(file);
    bytes.assign(buffer, read / 3);
  }
  const std::string cases[] = {
      folder.file("plain.lnk", "just text, not a link"),
      folder.file("truncated.lnk", bytes),
      folder.path("missing.lnk"),
      "",
      std::string(300, 'a') + ".lnk",
  };
  for (const std::string& path : cases) {
    ShortcutInfo info = filledRecord();
    EXPECT_FALSE(resolveShortcut(path.c_str(), info)) << path;
    expectUntouched(info);
  }
  ShortcutInfo info;
  EXPECT_FALSE(resolveShortcut(nullptr, info));
}

TEST(ShortcutTest, LinkPathOfTheFullPathLength) {
  TempFolder folder;
  const std::string head = folder.folder(std::string(200 - folder.root().size(), 'd'));
  const std::string path = head + "\\" + std::string(MAX_PATH - 1 - head.size() - 5, 'n') + ".lnk";
  ASSERT_EQ(path.size(), 259u);
  ASSERT_FALSE(folder.link(path.substr(folder.root().size() + 1), {head, "", "", "", 0}).empty());
  ShortcutInfo info;
  EXPECT_TRUE(resolveShortcut(path.c_str(), info));
  EXPECT_TRUE(info.isDirectory);
}

TEST(ShortcutTest, MultithreadedThreadGetsFalse) {
  TempFolder folder;
  const std::string link = folder.link("t.lnk", {folder.file("t.txt"), "", "", "", 0});
  std::thread([&link] {
    ASSERT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    ShortcutInfo info = filledRecord();
    EXPECT_FALSE(resolveShortcut(link.c_str(), info));
    expectUntouched(info);
    CoUninitialize();
  }).join();
}

class ShellFailureTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr))); }
  void TearDown() override { CoUninitialize(); }

  bool resolveWith(const FakeLinkResults& results, ShortcutInfo& info) {
    FakeShellLinkClass fake(results);
    EXPECT_TRUE(fake.registered());
    const bool result = resolveShortcut("C:\\x.lnk", info);
    EXPECT_EQ(FakeShellLinkClass::liveReferences(), 0) << "an interface was not released";
    return result;
  }
};

TEST_F(ShellFailureTest, CallsTheShellInOrderWithItsArguments) {
  ShortcutInfo info;
  ASSERT_TRUE(resolveWith({}, info));
  const std::vector<std::string> expected = {"Load(C:\\x.lnk,0)",        "Resolve(0,2)",
                                             "GetPath(260,1)",           "GetIconLocation(260)",
                                             "GetWorkingDirectory(260)", "GetArguments(260)"};
  EXPECT_EQ(FakeShellLinkClass::calls(), expected);
  EXPECT_EQ(info.targetPath, kFakeTarget);
  EXPECT_EQ(info.fileName, kFakeFileName);
  EXPECT_EQ(info.iconPath, kFakeIcon);
  EXPECT_EQ(info.iconIndex, kFakeIconIndex);
  EXPECT_EQ(info.workingDirectory, kFakeDirectory);
  EXPECT_EQ(info.arguments, kFakeArguments);
}

TEST_F(ShellFailureTest, EarlyFailuresLeaveTheRecordAndReleaseEverything) {
  FakeLinkResults noPersist, noLoad, noResolve, noPath;
  noPersist.queryPersistFile = E_NOINTERFACE;
  noLoad.load = E_FAIL;
  noResolve.resolve = E_FAIL;
  noPath.getPath = E_FAIL;
  for (const FakeLinkResults& results : {noPersist, noLoad, noPath}) {
    ShortcutInfo info = filledRecord();
    EXPECT_FALSE(resolveWith(results, info));
    expectUntouched(info);
  }
  // An unresolvable link is still a link.
  ShortcutInfo info = filledRecord();
  EXPECT_TRUE(resolveWith(noResolve, info));
  expectUntouched(info);
}

TEST_F(ShellFailureTest, IconLocationWithoutAnswerOrIndex) {
  FakeLinkResults noIcon, noIndex;
  noIcon.getIconLocation = E_FAIL;
  noIndex.writesIconIndex = false;
  ShortcutInfo info = filledRecord();
  EXPECT_TRUE(resolveWith(noIcon, info));
  EXPECT_EQ(info.iconPath, "");
  EXPECT_EQ(info.iconIndex, 0);
  EXPECT_TRUE(resolveWith(noIndex, info));
  EXPECT_EQ(info.iconPath, kFakeIcon);
  EXPECT_EQ(info.iconIndex, -9999);
}

TEST_F(ShellFailureTest, LateFailuresKeepTheFieldsReadBefore) {
  FakeLinkResults noDirectory, noArguments;
  noDirectory.getWorkingDirectory = E_FAIL;
  noArguments.getArguments = E_FAIL;

  ShortcutInfo info = filledRecord();
  EXPECT_FALSE(resolveWith(noDirectory, info));
  EXPECT_EQ(info.targetPath, kFakeTarget);
  EXPECT_FALSE(info.isDirectory);
  EXPECT_EQ(info.iconIndex, kFakeIconIndex);
  EXPECT_EQ(info.workingDirectory, "before");
  EXPECT_EQ(info.arguments, "before");

  info = filledRecord();
  EXPECT_FALSE(resolveWith(noArguments, info));
  EXPECT_EQ(info.workingDirectory, kFakeDirectory);
  EXPECT_EQ(info.arguments, "before");
  EXPECT_EQ(info.executable, "before");
}

TEST(TextConversionTest, ConvertsOrLeavesTheOutputEmpty) {
  char narrow[8];
  wchar_t wide[8];
  EXPECT_EQ(wideToAnsi(narrow, L"abc", 8), 3);
  EXPECT_STREQ(narrow, "abc");
  EXPECT_EQ(ansiToWide(wide, "abcdefg", 8), 7);
  EXPECT_STREQ(wide, L"abcdefg");
  // One character too many for the terminator: nothing, not a cut text.
  EXPECT_EQ(wideToAnsi(narrow, L"abcdefgh", 8), 0);
  EXPECT_STREQ(narrow, "");
  EXPECT_EQ(ansiToWide(wide, "abcdefgh", 8), 0);
  EXPECT_STREQ(wide, L"");
  EXPECT_EQ(wideToAnsi(narrow, nullptr, 8), 0);
  EXPECT_EQ(ansiToWide(nullptr, "a", 8), 0);
  EXPECT_EQ(ansiToWide(wide, "a", 0), 0);
}

}  // namespace
