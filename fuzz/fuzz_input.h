// Reading a fuzz input as a series of values, and checking what a target must keep true.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

// Stops the run with the failed condition; libFuzzer and the replay both report the input.
#define FUZZ_CHECK(condition)                                                            \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (0)

// Takes values from the front of the input; past its end every value is zero or empty.
class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }

  std::uint16_t word() {
    const std::uint16_t low = byte();
    return static_cast<std::uint16_t>(low | (byte() << 8));
  }

  // Bytes up to the next NUL (taken, not kept) or the end: a C text that may hold any byte.
  std::string text() {
    std::string out;
    while (pos_ < size_ && data_[pos_] != 0) out.push_back(static_cast<char>(data_[pos_++]));
    if (pos_ < size_) ++pos_;
    return out;
  }

  std::string rest() {
    std::string out(reinterpret_cast<const char*>(data_) + pos_, size_ - pos_);
    pos_ = size_;
    return out;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};
