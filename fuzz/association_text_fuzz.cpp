// The file association lookup's text functions on any path or command line, in buffers of
// exactly their documented size: no access outside them, and each result keeps its promise.
#include <cstring>
#include <memory>
#include <string>

#include "desktoplib/association_text.h"
#include "desktoplib/desktoplib.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::string text = input.text();

  // The command, in a copy of exactly its size: what is left is a prefix of the lower-case
  // command without its leading quotes, with no quote and nothing after a ".exe".
  std::unique_ptr<char[]> command(new char[text.size() + 1]);
  std::memcpy(command.get(), text.c_str(), text.size() + 1);
  std::string lower = text;
  for (char& c : lower) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  lower.erase(0, lower.find_first_not_of('"') == std::string::npos ? lower.size()
                                                                   : lower.find_first_not_of('"'));
  const bool accepted = programFromOpenCommand(command.get());
  FUZZ_CHECK(accepted == (lower.rfind("rundll32.exe", 0) != 0));
  const std::string program = command.get();
  if (accepted) {
    FUZZ_CHECK(lower.compare(0, program.size(), program) == 0);
    FUZZ_CHECK(program.find('"') == std::string::npos);
    const std::size_t exe = program.find(".exe");
    FUZZ_CHECK(exe == std::string::npos || exe + 4 == program.size());
  }

  // Folder and file put back together give the path.
  std::unique_ptr<char[]> folder(new char[MAX_PATH]());
  std::unique_ptr<char[]> file(new char[MAX_PATH]());
  splitPath(text.c_str(), folder.get(), file.get());
  if (text.size() < MAX_PATH && text.find('\\') != std::string::npos) {
    FUZZ_CHECK(std::string(folder.get()) + '\\' + file.get() == text);
  }
  isRootPath(text.c_str());
  programTitleFromPath(text.c_str(), folder.get());
  replaceBrackets(folder.get());
  FUZZ_CHECK(std::strpbrk(folder.get(), "\\()") == nullptr);
  hashString(text.c_str());

  // A registry read of any length into any buffer ends terminated inside it, or is refused.
  const std::size_t capacity = 1 + input.byte();
  const std::size_t bytesRead = input.byte() % (capacity + 1);
  const std::string raw = input.text();
  std::unique_ptr<char[]> buffer(new char[capacity]);
  std::memset(buffer.get(), 'r', capacity);
  std::memcpy(buffer.get(), raw.c_str(), std::min(raw.size() + 1, capacity));
  const bool terminated = terminateRegistryText(buffer.get(), bytesRead, capacity);
  FUZZ_CHECK(terminated == (bytesRead < capacity || raw.size() < capacity));
  if (terminated) FUZZ_CHECK(std::memchr(buffer.get(), '\0', capacity) != nullptr);
  return 0;
}
