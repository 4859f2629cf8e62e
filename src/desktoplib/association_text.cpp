#include "desktoplib/association_text.h"

#include <cstdio>
#include <cstring>

#include "common/log.h"
#include "common/win_types.h"

namespace {

constexpr char kExe[] = ".exe";
constexpr char kRundll[] = "rundll32.exe";

// Lower case as the C runtime's "C" locale does it: letters A to Z only, every other byte of
// the code page as it is, the same on every platform.
void toAsciiLower(char* text) {
  for (; *text != '\0'; ++text) {
    if (*text >= 'A' && *text <= 'Z') *text = static_cast<char>(*text - 'A' + 'a');
  }
}

}  // namespace

bool programFromOpenCommand(char* command) {
  toAsciiLower(command);
  const std::size_t quotes = std::strspn(command, "\"");
  std::memmove(command, command + quotes, std::strlen(command + quotes) + 1);
  if (char* quote = std::strchr(command, '"')) *quote = '\0';
  if (std::strncmp(command, kRundll, sizeof kRundll - 1) == 0) return false;
  if (char* exe = std::strstr(command, kExe)) exe[sizeof kExe - 1] = '\0';
  return true;
}

void programTitleFromPath(const char* path, char* name) {
  const char* separator = std::strrchr(path, '\\');
  const char* title = separator != nullptr ? separator + 1 : path;
  const char* dot = std::strrchr(title, '.');
  std::size_t length = dot != nullptr ? static_cast<std::size_t>(dot - title) : std::strlen(title);
  if (length > MAX_PATH - 1) length = MAX_PATH - 1;
  std::memcpy(name, title, length);
  name[length] = '\0';
}

void replaceBrackets(char* text) {
  for (; *text != '\0'; ++text) {
    if (*text == '(') *text = '{';
    if (*text == ')') *text = '}';
  }
}

bool terminateRegistryText(char* buffer, std::size_t bytesRead, std::size_t capacity) {
  if (bytesRead < capacity) {
    buffer[bytesRead] = '\0';
    return true;
  }
  return std::memchr(buffer, '\0', capacity) != nullptr;
}

void logWithText(const char* format, const char* text) {
  char line[MAX_PATH];
  std::snprintf(line, sizeof line, format, text);
  logMessage(line);
}
