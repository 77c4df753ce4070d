// The console's display settings as plain values: how the texts of the settings file's keys
// become the attribute, fixed colours, scrolling, Braille mode, font and window state.
// Knows nothing of the platform's profile calls; the caller hands over what they returned.
#pragma once
#include <functional>
#include <string>
#include <string_view>

// What one key of the settings file gave: the returned text, empty when nothing came back.
using SettingsLookup =
    std::function<std::string(const char* section, const char* key, const char* fallback)>;

constexpr int FaceNameLimit = 31;  // characters the platform keeps of a font's face name

struct ConsoleSettings {
  unsigned char textAttr = 0x07;  // light grey on black
  bool coloursEnabled = true;
  bool pixelScroll = false;
  int brailleMode = 0;            // 0..3
  bool fontWanted = false;        // a face name was configured
  std::string faceName;           // at most FaceNameLimit characters
  int fontWidth = 12;
  int fontHeight = 18;
  int fontWeight = 700;
  bool maximiseAtOpen = false;
};

// Blanks, optional sign, decimal digits or "$"/"0x" hexadecimal; stops at the first byte
// that does not belong, keeping what was read; no digits gives 0. Saturates at the int range.
int ReadWholeNumber(std::string_view text);
// The first byte upper-cased (only a..z change); 0 for an empty text.
char FirstLetterUpper(std::string_view text);
// Reads every key in the file's order, asking for the four font keys only with a face name.
ConsoleSettings ReadSettingsWith(const SettingsLookup& lookup);
