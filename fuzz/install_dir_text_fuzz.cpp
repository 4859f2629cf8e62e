// The installation folder text from any registry bytes, count and capacity: on success a
// terminated text within the buffer that ends with one backslash and keeps the bytes read up
// to their first NUL; nothing is written outside the buffer.
#include <cstring>
#include <memory>

#include "common/install_dir_text.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::size_t capacity = 1 + input.word() % 300;
  const std::size_t bytesRead = input.word() % (capacity + 2);
  const std::string raw = input.rest();

  // Exactly capacity bytes: the value's bytes first, then bytes the registry did not write.
  std::unique_ptr<char[]> dir(new char[capacity]);
  std::memset(dir.get(), 'q', capacity);
  std::memcpy(dir.get(), raw.data(), std::min(raw.size(), capacity));
  const std::string before(dir.get(), capacity);

  const bool ok = finishInstallDirText(dir.get(), bytesRead, capacity);
  if (bytesRead >= capacity) {
    FUZZ_CHECK(!ok);
    return 0;
  }
  const std::string kept = std::string(before.data(), bytesRead).c_str();
  const bool endsWithBackslash = !kept.empty() && kept.back() == '\\';
  const std::string expected = endsWithBackslash ? kept : kept + '\\';
  FUZZ_CHECK(ok == (expected.size() < capacity));
  if (ok) FUZZ_CHECK(std::string(dir.get()) == expected);
  return 0;
}
