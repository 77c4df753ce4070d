// A latched modifier goes with the key that types the character, never with a virtual key
// whose code merely equals the character's byte (underscore is Sleep, full stop Delete).
#include "keyboard/logic/latched_keys.h"

namespace {

constexpr int NeedsShift = 1;

bool IsAsciiLetterOrDigit(uint8_t c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

uint8_t AsciiUpper(uint8_t c) { return (c >= 'a' && c <= 'z') ? uint8_t(c - 32) : c; }

}  // namespace

bool IsTypingKey(uint8_t virtualKey) {
  return virtualKey == 0x20 ||                              // space
         (virtualKey >= 0x30 && virtualKey <= 0x39) ||      // digits
         (virtualKey >= 0x41 && virtualKey <= 0x5A) ||      // letters
         (virtualKey >= 0x60 && virtualKey <= 0x6F) ||      // numeric pad
         (virtualKey >= 0xBA && virtualKey <= 0xC2) ||      // punctuation, Brazilian extras
         (virtualKey >= 0xDB && virtualKey <= 0xDF) ||      // punctuation
         virtualKey == 0xE2;                                // the key beside left Shift
}

// Letters and digits keep their own key on every layout, as shortcuts expect. A character
// that needs Ctrl or Alt on its layout (AltGr) cannot also carry the latched ones apart.
LatchedKey LatchedKeyFor(uint8_t character, int16_t layoutKey, bool shiftLatch) {
  if (IsAsciiLetterOrDigit(character)) return {true, AsciiUpper(character), shiftLatch};
  const uint8_t key = static_cast<uint8_t>(layoutKey & 0xFF);
  const int needs = (layoutKey >> 8) & 0xFF;
  if (layoutKey == -1 || (needs & ~NeedsShift) != 0 || !IsTypingKey(key)) return {false, 0, false};
  return {true, key, shiftLatch || (needs & NeedsShift) != 0};
}
