// The GameModule path from any installation folder, name and buffer size: the result is the
// exact concatenation when it fits, an empty text when it does not, and nothing is written
// outside the buffer.
#include <cstring>
#include <memory>

#include "fuzz_input.h"
#include "script/game_path.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::size_t outSize = input.word() % 400;
  const std::string dir = input.text();
  const std::string name = input.text();

  std::string expected = dir;
  if (expected.empty() || expected.back() != '\\') expected += '\\';
  expected += xtra::kGameModuleFolder;
  expected += name;

  // Exactly outSize bytes, so a write past the end is caught by the sanitizer.
  std::unique_ptr<char[]> out(new char[outSize == 0 ? 1 : outSize]);
  std::memset(out.get(), 'x', outSize == 0 ? 1 : outSize);
  const bool fits = xtra::composeGameModulePath(dir.c_str(), name.c_str(), out.get(), outSize);
  FUZZ_CHECK(fits == (outSize > 0 && expected.size() < outSize));
  if (fits) {
    FUZZ_CHECK(std::strcmp(out.get(), expected.c_str()) == 0);
  } else if (outSize > 0) {
    FUZZ_CHECK(out[0] == '\0');
  } else {
    FUZZ_CHECK(out[0] == 'x');
  }

  FUZZ_CHECK(xtra::sameNameIgnoringCase(name.c_str(), name.c_str()));
  FUZZ_CHECK(xtra::sameNameIgnoringCase(dir.c_str(), name.c_str()) ==
             xtra::sameNameIgnoringCase(name.c_str(), dir.c_str()));
  return 0;
}
