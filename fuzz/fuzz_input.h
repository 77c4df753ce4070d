// Reads typed values from a fuzzer's bytes, and a check that aborts so libFuzzer keeps the
// input. Past the end every read gives zero, so any input is a whole script.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#define FUZZ_CHECK(condition)                                                             \
  do {                                                                                    \
    if (!(condition)) {                                                                   \
      std::fprintf(stderr, "check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
      std::abort();                                                                       \
    }                                                                                     \
  } while (0)

class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  bool Empty() const { return at_ >= size_; }
  uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  bool Flag() { return Byte() & 1; }
  uint16_t Word() {
    uint16_t low = Byte();
    return static_cast<uint16_t>(low | Byte() << 8);
  }
  uint32_t Long() {
    uint32_t low = Word();
    return low | static_cast<uint32_t>(Word()) << 16;
  }
  int32_t Int() { return static_cast<int32_t>(Long()); }
  // A value in [low, high], high - low below 2^32.
  int64_t InRange(int64_t low, int64_t high) {
    return low + static_cast<int64_t>(Long() % static_cast<uint64_t>(high - low + 1));
  }
  // Up to limit bytes, the length read first.
  std::string Text(size_t limit) {
    size_t length = Byte() % (limit + 1);
    std::string text;
    while (text.size() < length && !Empty()) text.push_back(static_cast<char>(Byte()));
    return text;
  }
  std::string Rest() {
    std::string text(reinterpret_cast<const char*>(data_ + at_), size_ - at_);
    at_ = size_;
    return text;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};
