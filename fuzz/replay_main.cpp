// Runs a fuzz target without libFuzzer: every file of the given corpus folders or files, then
// a fixed series of mutations of them (byte changes, cuts, growth, splices), the same on every
// run. Under the sanitizers this finds what a short fuzzing session would, reproducibly.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

using Input = std::vector<std::uint8_t>;

constexpr int kMutationsPerInput = 4000;
constexpr std::size_t kMaxInputSize = 1024;

// xorshift64*: small, fast and identical everywhere.
class Random {
 public:
  std::uint64_t next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return state_ * 0x2545F4914F6CDD1Dull;
  }
  std::size_t below(std::size_t n) { return n == 0 ? 0 : static_cast<std::size_t>(next() % n); }

 private:
  std::uint64_t state_ = 0x9E3779B97F4A7C15ull;
};

bool readFile(const std::filesystem::path& path, Input& out) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  out.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return true;
}

bool collect(const char* argument, std::vector<Input>& inputs) {
  const std::filesystem::path path(argument);
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(path, error)) {
      if (entry.is_regular_file()) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
      Input input;
      if (!readFile(file, input)) return false;
      inputs.push_back(std::move(input));
    }
    return !error;
  }
  Input input;
  if (!readFile(path, input)) return false;
  inputs.push_back(std::move(input));
  return true;
}

// Interesting byte values: ends of ranges, the path separator, NUL and letters.
constexpr std::uint8_t kSpecialBytes[] = {0x00, 0x01, 0x0A, 0x0D, 0x25, 0x5C, 0x41,
                                          0x7F, 0x80, 0xFE, 0xFF, 0x0C, 0x3B, 0xE8};

Input mutate(const Input& seed, const std::vector<Input>& all, Random& random) {
  Input input = seed;
  const int steps = 1 + static_cast<int>(random.below(4));
  for (int step = 0; step < steps; ++step) {
    switch (random.below(6)) {
      case 0:  // change one byte
        if (!input.empty())
          input[random.below(input.size())] = static_cast<std::uint8_t>(random.next());
        break;
      case 1:  // write a special byte
        if (!input.empty())
          input[random.below(input.size())] = kSpecialBytes[random.below(sizeof kSpecialBytes)];
        break;
      case 2:  // cut the tail
        input.resize(random.below(input.size() + 1));
        break;
      case 3:  // grow by repeating a byte
        input.insert(input.begin() + static_cast<std::ptrdiff_t>(random.below(input.size() + 1)),
                     1 + random.below(300), static_cast<std::uint8_t>(random.next()));
        break;
      case 4: {  // splice in part of another input
        const Input& other = all[random.below(all.size())];
        const std::size_t from = random.below(other.size() + 1);
        input.insert(input.end(), other.begin() + static_cast<std::ptrdiff_t>(from), other.end());
        break;
      }
      default:  // drop a byte
        if (!input.empty())
          input.erase(input.begin() + static_cast<std::ptrdiff_t>(random.below(input.size())));
        break;
    }
  }
  if (input.size() > kMaxInputSize) input.resize(kMaxInputSize);
  return input;
}

// Each input is handed over in a buffer of exactly its size, so reading past it is caught.
void run(const Input& input) {
  std::uint8_t* copy = new std::uint8_t[input.size() == 0 ? 1 : input.size()];
  std::copy(input.begin(), input.end(), copy);
  LLVMFuzzerTestOneInput(copy, input.size());
  delete[] copy;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<Input> inputs;
  for (int i = 1; i < argc; ++i) {
    if (!collect(argv[i], inputs)) {
      std::fprintf(stderr, "cannot read %s\n", argv[i]);
      return 2;
    }
  }
  if (inputs.empty()) inputs.push_back({});
  for (const Input& input : inputs) run(input);
  Random random;
  for (const Input& seed : inputs) {
    for (int i = 0; i < kMutationsPerInput; ++i) run(mutate(seed, inputs, random));
  }
  std::printf("%zu inputs, %zu mutations: no fault\n", inputs.size(),
              inputs.size() * static_cast<std::size_t>(kMutationsPerInput));
  return 0;
}
