// Console key codes: the special-key tables, the queue rules and the line editor's step.
#pragma once
#include <cstdint>

struct ExtendedKey {
  uint8_t virtualKey;
  uint8_t code;      // second byte without Ctrl
  uint8_t ctrlCode;  // second byte with Ctrl; 255 marks the row whose Shift variant is 254
};

extern const ExtendedKey ExtendedKeyTable[22];
extern const uint8_t AltLetterCodes[26];  // A..Z
extern const uint8_t AltDigitCodes[10];   // 0..9

constexpr int KeyQueueSize = 64;

// Second byte of Alt+letter or Alt+digit; 0 when the key is neither.
uint8_t AltKeyCode(uint8_t virtualKey);
// Second byte of a special key, or 0 when the key is in no table.
uint8_t ExtendedKeyCode(uint8_t virtualKey, bool ctrl, bool shift);

// Append one byte when fewer than 64 are queued; false when dropped.
bool QueueByte(uint8_t* queue, int& count, uint8_t byte);
// Append 0 and then code when two bytes are free; false when dropped.
bool QueuePair(uint8_t* queue, int& count, uint8_t code);
// Take the oldest byte of a non-empty queue, moving the rest to the front.
uint8_t TakeOldest(uint8_t* queue, int& count);

// The byte WM_CHAR queues, or -1 when the character is dropped by Braille input.
int CharMessageByte(uint8_t ch, bool ctrl, bool brailleOn);

enum class LineAction { Ignore, Store, EraseLast, End };
// One key of the line editor: stores into buffer, updates count, says what to echo.
LineAction LineEditStep(uint8_t* buffer, uint16_t capacity, uint16_t& count, uint8_t byte);
