// The diagnostic log under Wine: real files in text mode, the installation key, a fixed clock.
#include <gtest/gtest.h>

#include <string>

#include "common/log.h"
#include "common/log_state.h"
#include "common_fixture.h"

namespace {

using LogTest = CommonWinTest;

TEST_F(LogTest, ClosedLogWritesNothing) {
  setMainDir(folder_);
  SetCurrentDirectoryA(folder_.c_str());
  logMessage("message");
  logRawText("raw");
  SetLastError(ERROR_FILE_NOT_FOUND);
  logLastError();
  closeLog();
  EXPECT_EQ(currentLogFile(), nullptr);
  // TearDown fails if any file appeared in the folder.
}

TEST_F(LogTest, BannerThenLinesWithLineEndsAddedOnlyWhenMissing) {
  openLogInFolder();  // "MainDir" has no trailing backslash
  logMessage("COM initialized!");
  logRawText("ends\n");
  logRawText("");
  logMessage("c\nd");
  EXPECT_EQ(logContent(0), bannerAt(0) + "15:49:00.0007: COM initialized!\r\nends\r\n\r\n" +
                               "15:49:00.0007: c\r\nd\r\n");
}

TEST_F(LogTest, LastErrorDropsLineFeedsButKeepsCarriageReturns) {
  openLogInFolder();
  char text[512] = {};
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                 ERROR_FILE_NOT_FOUND, 0, text, sizeof text, nullptr);
  std::string expected = std::string("15:49:00.0007: ERROR: ") + text;
  ASSERT_EQ(expected.substr(expected.size() - 2), "\r\n");
  expected.pop_back();
  SetLastError(ERROR_FILE_NOT_FOUND);
  logLastError();
  SetLastError(0x20001234);  // an application's own code: the system has no text
  logLastError();
  EXPECT_EQ(loggedLines(), expected + "\r\n15:49:00.0007: ERROR: \r\n");
}

// In the same second the file of that second starts again; a second later another one starts.
TEST_F(LogTest, ReopeningStartsTheSecondsFileAgainAndOpeningWithFalseCloses) {
  openLogInFolder();
  logMessage("first run");
  openLog("game", true);
  EXPECT_EQ(logContent(0), bannerAt(0));
  const CLogFile* first = currentLogFile();
  logMessage("one");
  fixLogTime(1);
  openLog("game", true);
  EXPECT_EQ(currentLogFile(), first);
  openLog("game", false);
  EXPECT_EQ(currentLogFile(), nullptr);
  logMessage("after close");
  EXPECT_EQ(logContent(0), bannerAt(0) + "15:49:00.0007: one\r\n");
  EXPECT_EQ(logContent(1), bannerAt(1));
}

TEST_F(LogTest, OpeningDisabledLeavesAnEmptyFileUntilEnabled) {
  setMainDir(folder_);
  openLog("game", false);
  ASSERT_NE(currentLogFile(), nullptr);
  logMessage("dropped");
  fixLogTime(1);
  openLog("game", true);
  logMessage("kept");
  EXPECT_NE(GetFileAttributesA(logPath(0).c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(logContent(0), "");
  EXPECT_EQ(logContent(1), bannerAt(1) + "15:49:01.0007: kept\r\n");
}

TEST_F(LogTest, WithoutInstallFolderTheFileGoesToTheCurrentDirectory) {
  SetCurrentDirectoryA(folder_.c_str());
  openLog("game", true);  // the folder's failure lines find no file yet
  EXPECT_STREQ(currentLogFile()->path, gameLogName(0).c_str());
  fixLogTime(1);
  openLog("game", true);  // now they go into the previous file
  EXPECT_EQ(loggedLines(),
            "15:49:01.0007: ERROR Unable to open ZORV install key!\r\n"
            "15:49:01.0007: ERROR could not get open zorv install key!\r\n");
  EXPECT_EQ(logContent(1), bannerAt(1));
}

// Debugger output reaches a vectored handler as DBG_PRINTEXCEPTION_C before the system's own.
std::string g_traced;

LONG WINAPI captureTrace(EXCEPTION_POINTERS* exception) {
  const EXCEPTION_RECORD* record = exception->ExceptionRecord;
  if (record->ExceptionCode == DBG_PRINTEXCEPTION_C && record->NumberParameters >= 2) {
    g_traced = reinterpret_cast<const char*>(record->ExceptionInformation[1]);
  }
  return EXCEPTION_CONTINUE_SEARCH;
}

TEST(DebugTraceTest, FormatsWithoutStampOrLineEndAndCutsAt255) {
  PVOID handler = AddVectoredExceptionHandler(1, captureTrace);
  ASSERT_NE(handler, nullptr);
  debugTrace("%s=%d", "count", -3);
  EXPECT_EQ(g_traced, "count=-3");
  const std::string longText(300, 'L');
  debugTrace("<%s>", longText.c_str());
  EXPECT_EQ(g_traced, "<" + longText.substr(0, 254));
  const std::string beyondTheFormatter(3000, 'H');  // past wvsprintfA's own 1024
  debugTrace("%s%s", beyondTheFormatter.c_str(), beyondTheFormatter.c_str());
  EXPECT_EQ(g_traced, std::string(255, 'H'));
  RemoveVectoredExceptionHandler(handler);
}

}  // namespace
