#include "console/logic/keys_tables.h"
#include <cstring>

const ExtendedKey ExtendedKeyTable[22] = {
    {112, 59, 94},  {113, 60, 95},  {114, 61, 96},   {115, 62, 97},  {116, 63, 98},
    {117, 64, 99},  {118, 65, 100}, {119, 66, 101},  {120, 67, 102}, {121, 68, 103},
    {122, 69, 104}, {123, 70, 105}, {45, 82, 255},   {46, 83, 83},   {36, 71, 119},
    {35, 79, 117},  {33, 73, 132},  {34, 81, 118},   {38, 72, 113},  {40, 80, 114},
    {37, 75, 115},  {39, 77, 116},
};

const uint8_t AltLetterCodes[26] = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                                    49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};
const uint8_t AltDigitCodes[10] = {129, 120, 121, 122, 123, 124, 125, 126, 127, 128};

uint8_t AltKeyCode(uint8_t virtualKey) {
  if (virtualKey >= '0' && virtualKey <= '9') return AltDigitCodes[virtualKey - '0'];
  if (virtualKey >= 'A' && virtualKey <= 'Z') return AltLetterCodes[virtualKey - 'A'];
  return 0;
}

uint8_t ExtendedKeyCode(uint8_t virtualKey, bool ctrl, bool shift) {
  for (const ExtendedKey& row : ExtendedKeyTable) {
    if (row.virtualKey != virtualKey) continue;
    if (ctrl) return row.ctrlCode;
    if (row.ctrlCode == 255 && shift) return 254;
    return row.code;
  }
  return 0;
}

bool QueueByte(uint8_t* queue, int& count, uint8_t byte) {
  if (count < 0 || count >= KeyQueueSize) return false;
  queue[count++] = byte;
  return true;
}

bool QueuePair(uint8_t* queue, int& count, uint8_t code) {
  if (count < 0 || count > KeyQueueSize - 2) return false;
  queue[count++] = 0;
  queue[count++] = code;
  return true;
}

uint8_t TakeOldest(uint8_t* queue, int& count) {
  uint8_t first = queue[0];
  count--;
  std::memmove(queue, queue + 1, static_cast<size_t>(count));
  return first;
}

static bool IsLetterOrBlank(uint8_t ch) {
  return ch == ' ' || (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
}

int CharMessageByte(uint8_t ch, bool ctrl, bool brailleOn) {
  if (brailleOn && IsLetterOrBlank(ch)) return -1;
  if (ctrl && ch == 8) return 127;
  if (ctrl && ch == 13) return 10;
  return ch;
}

LineAction LineEditStep(uint8_t* buffer, uint16_t capacity, uint16_t& count, uint8_t byte) {
  if (byte == 13) return LineAction::End;
  if (byte == 8) {
    if (count == 0) return LineAction::Ignore;
    count--;
    return LineAction::EraseLast;
  }
  if (byte < 32) return LineAction::Ignore;
  if (count + 2 >= capacity) return LineAction::Ignore;
  buffer[count++] = byte;
  return LineAction::Store;
}
