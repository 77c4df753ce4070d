// Whole-number reading: the rules shared by command-line arguments and typed values.
#include "scanning/logic/number_reading.h"

namespace {

constexpr size_t TypedValueLimit = 32;

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

int DigitValue(char c, int base) {
  int value = -1;
  if (c >= '0' && c <= '9') value = c - '0';
  else if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
  return value < base ? value : -1;
}

// Strips a "$" or "0x" prefix and says which base the digits are in.
int TakeBase(std::string_view& text) {
  if (!text.empty() && text.front() == '$') {
    text.remove_prefix(1);
    return 16;
  }
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    return 16;
  }
  return 10;
}

// Magnitude of a run of digits; empty, a stray character or more than 32 bits refuses.
std::optional<uint64_t> ReadDigits(std::string_view digits, int base) {
  if (digits.empty()) return std::nullopt;
  uint64_t magnitude = 0;
  for (char c : digits) {
    int digit = DigitValue(c, base);
    if (digit < 0) return std::nullopt;
    magnitude = magnitude * base + digit;
    if (magnitude > 0xFFFFFFFFull) return std::nullopt;
  }
  return magnitude;
}

// Decimal values must fit a signed 32-bit number; hexadecimal ones may use all 32 bits,
// so "$FFFFFFFF" is -1.
std::optional<int32_t> Signed(uint64_t magnitude, bool negative, int base) {
  if (base == 16) {
    uint32_t bits = static_cast<uint32_t>(magnitude);
    if (negative) bits = 0u - bits;
    return static_cast<int32_t>(bits);
  }
  uint64_t limit = negative ? 0x80000000ull : 0x7FFFFFFFull;
  if (magnitude > limit) return std::nullopt;
  int64_t value = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
  return static_cast<int32_t>(value);
}

}  // namespace

std::optional<int32_t> ParseWholeNumber(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = TakeBase(text);
  std::optional<uint64_t> magnitude = ReadDigits(text, base);
  if (!magnitude) return std::nullopt;
  return Signed(*magnitude, negative, base);
}

TypedValue ParseTypedValue(std::string_view line) {
  size_t start = 0;
  while (start < line.size() && IsBlankOrControl(line[start])) ++start;
  if (start == line.size()) return {TypedKind::NoValue, 0};
  size_t end = start;
  while (end < line.size() && end - start < TypedValueLimit && !IsBlankOrControl(line[end])) ++end;
  std::optional<int32_t> value = ParseWholeNumber(line.substr(start, end - start));
  if (!value) return {TypedKind::NotANumber, 0};
  return {TypedKind::Number, *value};
}
