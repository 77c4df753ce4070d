// Braille chord input and the tones that announce its mode. Plain for now: chords off.
#include "console/ObCrt.h"

int BrailleMode = 0;
unsigned char ChordDots = 0, ChordKeysDown = 0;
bool NumberMode = false, CapitalNext = false, CapitalLock = false;
unsigned char* ToneBuffer = nullptr;

void SetBrailleMode(int mode) { BrailleMode = mode; }
bool ChordKeyDown(unsigned char) { return false; }
bool ChordKeyUp(unsigned char) { return false; }
void ApplyBrailleSigns(unsigned char&) {}
void ToneStart(uint16_t) {}
void ToneStop() {}
