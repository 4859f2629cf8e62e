// The log's texts from any clock reading (the clock is a seam: a test can hand in any
// SYSTEMTIME) and any message: no read outside the name tables, a file name that fits MAX_PATH
// or none, and the line shapes the log promises.
#include <cstring>

#include "common/log_text.h"
#include "fuzz_input.h"

namespace {

SYSTEMTIME anyTime(FuzzInput& input) {
  SYSTEMTIME time{};
  time.wYear = input.word();
  time.wMonth = input.word();
  time.wDayOfWeek = input.word();
  time.wDay = input.word();
  time.wHour = input.word();
  time.wMinute = input.word();
  time.wSecond = input.word();
  time.wMilliseconds = input.word();
  return time;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const SYSTEMTIME time = anyTime(input);
  const std::string folder = input.text();
  const std::string prefix = input.text();
  const std::string message = input.text();

  const CString line = formatLogLine(time, message.c_str());
  const char* lineText = line;
  const char* afterStamp = std::strstr(lineText, ": ");
  FUZZ_CHECK(afterStamp != nullptr);
  FUZZ_CHECK(std::strcmp(afterStamp + 2, message.c_str()) == 0);

  const LogBanner banner = formatLogBanner(time);
  FUZZ_CHECK(std::strcmp(banner.lines[0], kLogBannerRule) == 0);
  FUZZ_CHECK(std::strcmp(banner.lines[4], kLogBannerRule) == 0);
  FUZZ_CHECK(std::strlen(banner.lines[2]) > 0);

  char path[MAX_PATH];
  std::memset(path, 'x', sizeof path);
  if (formatLogFileName(folder.c_str(), prefix.c_str(), time, path)) {
    const std::size_t length = std::strlen(path);
    FUZZ_CHECK(length < MAX_PATH);
    FUZZ_CHECK(std::strncmp(path, folder.c_str(), folder.size()) == 0);
    FUZZ_CHECK(length >= 4 && std::strcmp(path + length - 4, ".log") == 0);
  } else {
    FUZZ_CHECK(path[0] == '\0');
  }

  const CString error = formatErrorLine(message.c_str());
  FUZZ_CHECK(std::strncmp(error, "ERROR: ", 7) == 0);
  FUZZ_CHECK(std::strchr(error, '\n') == nullptr);
  FUZZ_CHECK(needsLineEnd(message.c_str()) == (message.empty() || message.back() != '\n'));
  return 0;
}
