// The console's key path under arbitrary key scripts: the key queue against a plain model,
// the line editor in a buffer of exact size, the special-key tables, Braille chords and the
// keys a latched Ctrl or Alt goes out with.
#include <deque>
#include <memory>

#include "console/logic/braille_decode.h"
#include "console/logic/keys_tables.h"
#include "fuzz_input.h"
#include "keyboard/logic/latched_keys.h"

namespace {

struct KeyQueue {
  uint8_t bytes[KeyQueueSize];
  int count = 0;
  std::deque<uint8_t> model;  // what the queue must hold, oldest first
};

void QueueStep(FuzzInput& in, KeyQueue& queue) {
  uint8_t byte = in.Byte();
  switch (in.Byte() % 3) {
    case 0:
      if (QueueByte(queue.bytes, queue.count, byte)) queue.model.push_back(byte);
      else FUZZ_CHECK(queue.model.size() == KeyQueueSize);
      break;
    case 1:
      if (QueuePair(queue.bytes, queue.count, byte)) {
        queue.model.push_back(0);
        queue.model.push_back(byte);
      } else {
        FUZZ_CHECK(queue.model.size() > KeyQueueSize - 2);
      }
      break;
    default:
      if (queue.count == 0) break;  // the reader waits for a key before it takes one
      FUZZ_CHECK(TakeOldest(queue.bytes, queue.count) == queue.model.front());
      queue.model.pop_front();
  }
  FUZZ_CHECK(queue.count == static_cast<int>(queue.model.size()));
}

// The editor may fill its buffer but must keep two bytes for the line's end.
void LineStep(FuzzInput& in, uint8_t* buffer, uint16_t capacity, uint16_t& count) {
  uint16_t before = count;
  uint8_t byte = in.Byte();
  LineAction action = LineEditStep(buffer, capacity, count, byte);
  FUZZ_CHECK(capacity < 2 ? count == 0 : count + 2 <= capacity);
  if (action == LineAction::Store) FUZZ_CHECK(count == before + 1 && buffer[before] == byte);
  else if (action == LineAction::EraseLast) FUZZ_CHECK(count + 1 == before);
  else FUZZ_CHECK(count == before);
}

void KeyCodeStep(FuzzInput& in) {
  uint8_t key = in.Byte(), ch = in.Byte();
  bool ctrl = in.Flag(), shift = in.Flag(), braille = in.Flag();
  uint8_t alt = AltKeyCode(key);
  FUZZ_CHECK((alt != 0) == ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')));
  uint8_t code = ExtendedKeyCode(key, ctrl, shift);
  uint8_t plain = ExtendedKeyCode(key, false, false);
  if (!ctrl && code != plain) FUZZ_CHECK(shift && code == 254);  // Shift changes Insert only
  if (plain == 0) FUZZ_CHECK(code == 0);
  int queued = CharMessageByte(ch, ctrl, braille);
  FUZZ_CHECK(queued >= -1 && queued <= 255);
}

// With Ctrl or Alt latched only a typing key goes out, and a latched Shift is never lost.
void LatchedStep(FuzzInput& in) {
  uint8_t ch = in.Byte();
  int16_t layoutKey = static_cast<int16_t>(in.Flag() ? in.Word() : in.Byte());
  bool shiftLatch = in.Flag();
  LatchedKey key = LatchedKeyFor(ch, layoutKey, shiftLatch);
  if (!key.send) {
    FUZZ_CHECK(key.virtualKey == 0 && !key.shift);
    return;
  }
  FUZZ_CHECK(IsTypingKey(key.virtualKey) && (key.shift || !shiftLatch));
  bool letterOrDigit =
      (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9');
  if (letterOrDigit) FUZZ_CHECK(key.virtualKey == (ch >= 'a' ? ch - 32 : ch));
  else FUZZ_CHECK(key.virtualKey == (layoutKey & 0xFF) && (layoutKey >> 8 & ~1) == 0);
}

void BrailleStep(FuzzInput& in, BrailleState& state) {
  uint8_t key = in.Byte();
  if (in.Flag()) {
    FUZZ_CHECK(BrailleKeyDown(state, key) == (ChordBit(key) != 0));
  } else {
    uint8_t decoded = 0;
    bool taken = BrailleKeyUp(state, key, in.Flag(), decoded);
    if (!taken) FUZZ_CHECK(decoded == NoCharacter);
    if (taken && state.chordKeysDown == 0) FUZZ_CHECK(state.chordDots == 0);
  }
  FUZZ_CHECK((state.chordKeysDown & ~state.chordDots) == 0);
  FUZZ_CHECK(state.chordDots < 128);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  KeyQueue queue;
  uint16_t capacity = in.Byte();
  auto line = std::make_unique<uint8_t[]>(capacity ? capacity : 1);
  uint16_t count = 0;
  BrailleState braille;
  braille.mode = NormaliseBrailleMode(in.Int());
  FUZZ_CHECK(braille.mode >= 0 && braille.mode <= 2);
  while (!in.Empty()) {
    switch (in.Byte() % 5) {
      case 0: QueueStep(in, queue); break;
      case 1: LineStep(in, line.get(), capacity, count); break;
      case 2: KeyCodeStep(in); break;
      case 3: LatchedStep(in); break;
      default: BrailleStep(in, braille);
    }
  }
  return 0;
}
