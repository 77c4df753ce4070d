// Six-dot Braille chords typed on F D S J K L and the space bar, decoded to characters.
#pragma once
#include <cstdint>

extern const uint8_t BrailleTable[64];
constexpr uint8_t CapitalSign = 123;  // "{", dots 4-6
constexpr uint8_t NumberSign = 35;    // "#", dots 3-4-5-6
constexpr uint8_t NoCharacter = 254;
constexpr uint8_t SpaceBit = 64;

struct BrailleState {
  int mode = 0;  // 0 off, 1 plain, 2 with capital and number signs
  uint8_t chordDots = 0;
  uint8_t chordKeysDown = 0;
  bool numberMode = false, capitalNext = false, capitalLock = false;
};

// A mode as given (settings, stepping, negative) turned into 0, 1 or 2.
int NormaliseBrailleMode(int mode);
// The chord bit of a virtual key, 0 for a key that is not a chord key.
uint8_t ChordBit(uint8_t virtualKey);
// Key-down of a possible chord key: true when it is one.
bool BrailleKeyDown(BrailleState& state, uint8_t virtualKey);
// Key-up: true when Braille takes it; decoded gets the character or NoCharacter.
bool BrailleKeyUp(BrailleState& state, uint8_t virtualKey, bool ctrl, uint8_t& decoded);
// The mode-2 capital and number signs applied to one decoded character.
void BrailleSigns(BrailleState& state, uint8_t& ch);
// Clear the capital and number flags.
void ClearBrailleSigns(BrailleState& state);
