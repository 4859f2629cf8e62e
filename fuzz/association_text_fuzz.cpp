// The text functions of the file association lookup on any path or command line: nothing is
// read or written outside buffers of exactly the documented size, and each result keeps what
// it promises.
#include <cstring>
#include <memory>
#include <string>

#include "desktoplib/association_text.h"
#include "desktoplib/desktoplib.h"
#include "fuzz_input.h"

namespace {

// A heap copy of exactly the text and its terminator, so an overrun is caught.
std::unique_ptr<char[]> exactCopy(const std::string& text) {
  std::unique_ptr<char[]> copy(new char[text.size() + 1]);
  std::memcpy(copy.get(), text.c_str(), text.size() + 1);
  return copy;
}

void checkOpenCommand(const std::string& command) {
  std::unique_ptr<char[]> text = exactCopy(command);
  const bool accepted = programFromOpenCommand(text.get());
  std::string lower = command;
  for (char& c : lower) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  const std::string unquoted = lower.substr(lower.find_first_not_of('"') == std::string::npos
                                                ? lower.size()
                                                : lower.find_first_not_of('"'));
  FUZZ_CHECK(accepted == (unquoted.rfind("rundll32.exe", 0) != 0));
  if (!accepted) return;
  const std::string program = text.get();
  FUZZ_CHECK(unquoted.compare(0, program.size(), program) == 0);  // a prefix of the command
  FUZZ_CHECK(program.find('"') == std::string::npos);
  const std::size_t exe = program.find(".exe");
  FUZZ_CHECK(exe == std::string::npos || exe + 4 == program.size());
}

void checkSplit(const std::string& path) {
  std::unique_ptr<char[]> folder(new char[MAX_PATH]);
  std::unique_ptr<char[]> file(new char[MAX_PATH]);
  folder[0] = file[0] = '\x7f';
  folder[1] = file[1] = '\0';
  splitPath(path.c_str(), folder.get(), file.get());
  const std::size_t separator = path.rfind('\\');
  if (path.size() >= MAX_PATH || separator == std::string::npos) {
    FUZZ_CHECK(std::strcmp(folder.get(), "\x7f") == 0 && std::strcmp(file.get(), "\x7f") == 0);
  } else {
    FUZZ_CHECK(std::string(folder.get()) + '\\' + file.get() == path);
  }
  isRootPath(path.c_str());
}

void checkTitle(const std::string& path) {
  std::unique_ptr<char[]> name(new char[MAX_PATH]);
  programTitleFromPath(path.c_str(), name.get());
  replaceBrackets(name.get());
  const std::string title = name.get();
  FUZZ_CHECK(title.size() < MAX_PATH);
  FUZZ_CHECK(title.find_first_of("\\()") == std::string::npos);
}

void checkRegistryText(FuzzInput& input) {
  const std::size_t capacity = 1 + input.byte();
  const std::size_t bytesRead = input.byte() % (capacity + 1);
  const std::string raw = input.text();
  std::unique_ptr<char[]> buffer(new char[capacity]);
  std::memset(buffer.get(), 'r', capacity);
  std::memcpy(buffer.get(), raw.c_str(), std::min(raw.size() + 1, capacity));
  if (terminateRegistryText(buffer.get(), bytesRead, capacity)) {
    FUZZ_CHECK(std::memchr(buffer.get(), '\0', capacity) != nullptr);
  } else {
    FUZZ_CHECK(bytesRead == capacity && raw.size() >= capacity);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::string first = input.text();
  checkOpenCommand(first);
  checkSplit(first);
  checkTitle(first);
  checkRegistryText(input);
  hashString(first.c_str());
  return 0;
}
