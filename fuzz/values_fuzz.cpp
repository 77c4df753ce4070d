// Settings values and whole numbers from arbitrary texts: the console's settings stay in
// their ranges, and every 32-bit value written out reads back as itself.
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "console/logic/console_settings.h"
#include "fuzz_input.h"
#include "scanning/logic/number_reading.h"

namespace {

std::string Hex(uint32_t value, bool lower) {
  char text[16];
  std::snprintf(text, sizeof text, lower ? "%x" : "%X", value);
  return text;
}

void SettingsFromTexts(FuzzInput& in) {
  std::vector<std::string> answers;
  for (int key = 0; key < 12; ++key) answers.push_back(in.Text(40));
  size_t asked = 0;
  ConsoleSettings settings = ReadSettingsWith([&](const char*, const char*, const char*) {
    return answers[asked++ % answers.size()];
  });
  FUZZ_CHECK(settings.brailleMode >= 0 && settings.brailleMode <= 3);
  FUZZ_CHECK(settings.faceName.size() <= static_cast<size_t>(FaceNameLimit));
  FUZZ_CHECK(settings.fontWanted == !settings.faceName.empty());
  FUZZ_CHECK(settings.fontWidth >= 0 && settings.fontWidth <= 200);
  FUZZ_CHECK(settings.fontHeight >= -200 && settings.fontHeight <= 200);
  FUZZ_CHECK(settings.fontWeight >= 0 && settings.fontWeight <= 1000);
}

// Decimal, "$" and "0x" forms of one value, with blanks and signs around it.
void RoundTrip(FuzzInput& in) {
  int32_t value = in.Int();
  std::string decimal = std::to_string(value);
  std::string blanks(in.Byte() % 4, in.Flag() ? ' ' : '\t');
  FUZZ_CHECK(ParseWholeNumber(blanks + decimal) == value);
  FUZZ_CHECK(ParseWholeNumber("0x" + Hex(static_cast<uint32_t>(value), in.Flag())) == value);
  FUZZ_CHECK(ParseWholeNumber("$" + Hex(static_cast<uint32_t>(value), in.Flag())) == value);
  if (value >= 0) FUZZ_CHECK(ParseWholeNumber("+" + decimal) == value);
  FUZZ_CHECK(ReadWholeNumber(std::string(blanks.size(), ' ') + decimal) == value);
  if (value >= 0) FUZZ_CHECK(ReadWholeNumber("$" + Hex(static_cast<uint32_t>(value), false)) == value);

  // A typed line: control bytes and blanks before, anything after the first blank.
  std::string line = std::string(in.Byte() % 3, '\r') + " " + decimal + " " + in.Text(20);
  TypedValue typed = ParseTypedValue(line);
  FUZZ_CHECK(typed.kind == TypedKind::Number && typed.value == value);
}

// Any text: what the settings reader keeps is within the int range, and the strict reader
// either refuses or agrees with reading its own output back.
void AnyText(FuzzInput& in) {
  std::string text = in.Text(64);
  ReadWholeNumber(text);
  FirstLetterUpper(text);
  std::optional<int32_t> strict = ParseWholeNumber(text);
  if (strict) FUZZ_CHECK(ParseWholeNumber(std::to_string(*strict)) == strict);
  TypedValue typed = ParseTypedValue(text);
  if (typed.kind != TypedKind::Number) FUZZ_CHECK(typed.value == 0);
  if (typed.kind == TypedKind::NoValue)
    for (char c : text) FUZZ_CHECK(static_cast<unsigned char>(c) <= ' ');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  while (!in.Empty()) {
    switch (in.Byte() % 3) {
      case 0: SettingsFromTexts(in); break;
      case 1: RoundTrip(in); break;
      default: AnyText(in);
    }
  }
  return 0;
}
