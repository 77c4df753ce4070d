#include "console/logic/braille_decode.h"

const uint8_t BrailleTable[64] = {
    32,  97,  44,  98,  39,  107, 59,  108,  // 0
    94,  99,  105, 102, 237, 109, 115, 112,  // 8
    126, 101, 58,  104, 42,  111, 33,  114,  // 16
    172, 100, 106, 103, 227, 110, 116, 113,  // 24
    253, 226, 63,  234, 45,  117, 34,  118,  // 32
    123, 238, 245, 224, 243, 120, 232, 231,  // 40
    36,  251, 255, 252, 125, 122, 61,  225,  // 48
    95,  244, 119, 239, 35,  121, 250, 233,  // 56
};

int NormaliseBrailleMode(int mode) {
  if (mode < 0) return 0;
  if (mode > 2) return 1;
  return mode;
}

uint8_t ChordBit(uint8_t virtualKey) {
  switch (virtualKey) {
    case 'F': return 1;
    case 'D': return 2;
    case 'S': return 4;
    case 'J': return 8;
    case 'K': return 16;
    case 'L': return 32;
    case ' ': return SpaceBit;
    default: return 0;
  }
}

bool BrailleKeyDown(BrailleState& state, uint8_t virtualKey) {
  uint8_t bit = ChordBit(virtualKey);
  state.chordDots |= bit;
  state.chordKeysDown |= bit;
  return bit != 0;
}

void ClearBrailleSigns(BrailleState& state) {
  state.numberMode = false;
  state.capitalNext = false;
  state.capitalLock = false;
}

static uint8_t DecodeChord(BrailleState& state) {
  uint8_t dots = state.chordDots;
  if (dots < SpaceBit) {
    uint8_t ch = BrailleTable[dots];
    if (state.mode == 2) BrailleSigns(state, ch);
    return ch;
  }
  ClearBrailleSigns(state);
  if (dots == SpaceBit) return ' ';
  return BrailleTable[dots & 63] & 31;
}

bool BrailleKeyUp(BrailleState& state, uint8_t virtualKey, bool ctrl, uint8_t& decoded) {
  decoded = NoCharacter;
  bool letterOrSpace = virtualKey == ' ' || (virtualKey >= 'A' && virtualKey <= 'Z');
  if (ctrl || !letterOrSpace) {
    ClearBrailleSigns(state);
    return false;
  }
  state.chordKeysDown &= static_cast<uint8_t>(~ChordBit(virtualKey));
  if (state.chordKeysDown != 0) return true;
  decoded = DecodeChord(state);
  state.chordDots = 0;
  return true;
}

static void ApplyDigits(BrailleState& state, uint8_t& ch) {
  if (ch == 39) ch = '.';
  else if (ch >= 'a' && ch <= 'i') ch = static_cast<uint8_t>('1' + (ch - 'a'));
  else if (ch == 'j') ch = '0';
  else if (ch == 126) state.numberMode = false;
}

void BrailleSigns(BrailleState& state, uint8_t& ch) {
  if (state.numberMode) ApplyDigits(state, ch);
  if ((state.capitalNext || state.capitalLock) && ch >= 'a' && ch <= 'z') ch -= 32;
  if (ch == NumberSign) {
    state.numberMode = true;
    ch = NoCharacter;
    return;
  }
  if (ch == CapitalSign) {
    if (state.capitalNext) state.capitalLock = true;
    state.capitalNext = true;
    ch = NoCharacter;
    return;
  }
  state.capitalNext = false;
}
