// Whole-number reading for the threshold and the dwell: a command-line argument taken whole,
// or a value typed on a line. Plain text in, a number or a refusal out; no window.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

// Blanks, an optional sign, then decimal digits, or hexadecimal ones after "$" or "0x".
// Anything else, a missing digit or a value beyond 32 bits is no whole number.
std::optional<int32_t> ParseWholeNumber(std::string_view text);

enum class TypedKind { NoValue, Number, NotANumber };
struct TypedValue {
  TypedKind kind;   // NoValue: the line holds only blanks, so the read waits for another
  int32_t value;    // the number when kind is Number
};

// The value typed on one line: blanks and control bytes before it are skipped, it ends at
// the next blank or control byte, at most 32 bytes are taken, and the rest is ignored.
TypedValue ParseTypedValue(std::string_view line);
