// Which key carries a typed character while Ctrl or Alt is latched: the key that types it
// on the target's keyboard layout, or none. Plain data; the layout's answer is passed in.
#pragma once
#include <cstdint>

struct LatchedKey {
  bool send;            // false: no typing key gives the character, so nothing goes out
  uint8_t virtualKey;
  bool shift;           // the latched Shift, or the Shift the layout needs for the character
};

// layoutKey is the layout's answer for the character: the key in the low byte, the Shift
// (1), Ctrl (2) and Alt (4) it needs in the high byte, -1 when no key types it.
LatchedKey LatchedKeyFor(uint8_t character, int16_t layoutKey, bool shiftLatch);
bool IsTypingKey(uint8_t virtualKey);   // space, letters, digits, the numeric pad, punctuation
