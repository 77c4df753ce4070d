// The console's display settings decided from the texts of the settings file's keys.
#include "console/logic/console_settings.h"
#include <climits>
#include <cstdint>

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

int DecimalDigit(char c) { return c >= '0' && c <= '9' ? c - '0' : -1; }

// Length of a "$" or "0x" prefix at the start of text, or 0 when it reads decimal.
size_t HexPrefix(std::string_view text) {
  if (!text.empty() && text[0] == '$') return 1;
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) return 2;
  return 0;
}

// Accumulates digits of one base; the magnitude stops growing past the int range so a long
// run of digits cannot overflow.
int64_t ReadDigits(std::string_view text, int base) {
  int64_t value = 0;
  for (char c : text) {
    int digit = base == 16 ? HexDigit(c) : DecimalDigit(c);
    if (digit < 0) break;
    value = value * base + digit;
    if (value > int64_t(INT_MAX) + 1) value = int64_t(INT_MAX) + 1;
  }
  return value;
}

int Clamp(int value, int low, int high) { return value < low ? low : value > high ? high : value; }

bool Given(const std::string& text) { return !text.empty(); }

// Only the low four bits of a colour reach its nibble, as for the colour setters.
unsigned char Attribute(int background, int text) {
  return static_cast<unsigned char>(((background & 0x0F) << 4) | (text & 0x0F));
}

struct ColourTexts {
  std::string background, text;
};

void ApplyColours(ConsoleSettings& settings, const ColourTexts& colours) {
  int background = (settings.textAttr >> 4) & 0x0F, text = settings.textAttr & 0x0F;
  if (Given(colours.background)) background = ReadWholeNumber(colours.background);
  if (Given(colours.text)) text = ReadWholeNumber(colours.text);
  settings.textAttr = Attribute(background, text);
}

// A font's sizes stay within what a text cell can sensibly be, so the cell metrics derived
// from it never reach zero or overflow the window's size arithmetic.
void ReadFontKeys(ConsoleSettings& settings, const SettingsLookup& lookup) {
  std::string width = lookup("VIDEO", "LARGURALETRA", "");
  std::string height = lookup("VIDEO", "ALTURALETRA", "");
  std::string weight = lookup("VIDEO", "PESOLETRA", "");
  std::string corner = lookup("VIDEO", "CANTOTELA", "");
  if (Given(width)) settings.fontWidth = Clamp(ReadWholeNumber(width), 0, 200);
  if (Given(height)) settings.fontHeight = Clamp(ReadWholeNumber(height), -200, 200);
  if (Given(weight)) settings.fontWeight = Clamp(ReadWholeNumber(weight), 0, 1000);
  // "S" keeps the window in its corner at its normal size; any other answer maximises it.
  if (Given(corner)) settings.maximiseAtOpen = FirstLetterUpper(corner) != 'S';
}

}  // namespace

int ReadWholeNumber(std::string_view text) {
  size_t at = 0;
  while (at < text.size() && text[at] == ' ') at++;
  bool negative = false;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
  std::string_view rest = text.substr(at);
  size_t prefix = HexPrefix(rest);
  int64_t magnitude = ReadDigits(rest.substr(prefix), prefix ? 16 : 10);
  int64_t value = negative ? -magnitude : magnitude;
  return static_cast<int>(value > INT_MAX ? INT_MAX : value);
}

char FirstLetterUpper(std::string_view text) {
  if (text.empty()) return 0;
  char c = text[0];
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

ConsoleSettings ReadSettingsWith(const SettingsLookup& lookup) {
  ConsoleSettings settings;
  std::string fixed = lookup("VIDEO", "CORESFIXAS", "N");
  std::string slow = lookup("VIDEO", "LENTO", "N");
  if (Given(fixed)) settings.coloursEnabled = FirstLetterUpper(fixed) != 'S';
  if (Given(slow)) settings.pixelScroll = FirstLetterUpper(slow) == 'S';
  ColourTexts colours;
  colours.background = lookup("VIDEO", "CORFUNDO", "0");
  colours.text = lookup("VIDEO", "CORLETRA", "7");
  ApplyColours(settings, colours);
  std::string mode = lookup("BRAILLE", "MODO", "0");
  if (Given(mode)) settings.brailleMode = static_cast<unsigned char>(mode[0]) & 3;
  std::string face = lookup("VIDEO", "FONTE", "");
  if (!Given(face)) return settings;
  settings.fontWanted = true;
  settings.faceName = face.substr(0, FaceNameLimit);
  ReadFontKeys(settings, lookup);
  return settings;
}
