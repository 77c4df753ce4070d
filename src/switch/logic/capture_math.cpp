#include "switch/logic/capture_math.h"

int SamplePeak(const unsigned char* samples, size_t count, int peak) {
  for (size_t i = 0; i < count; ++i) {
    int magnitude = samples[i] - 128;
    if (magnitude < 0) magnitude = -magnitude;
    if (magnitude > peak) peak = magnitude;
  }
  return peak;
}

// Unsigned, so the largest index wraps like any other instead of overflowing.
int32_t NextRingIndex(int32_t index) {
  return static_cast<int32_t>((static_cast<uint32_t>(index) + 1) & (RingSlots - 1));
}

int32_t NextFilledSlot(int32_t index, uint64_t filled) {
  for (int32_t step = 0, slot = index & (RingSlots - 1); step < RingSlots; ++step, slot = NextRingIndex(slot))
    if (filled & (uint64_t{1} << slot)) return slot;
  return index;
}

uint16_t BlockAlign(uint16_t bits, uint16_t channels) {
  return static_cast<uint16_t>((bits / 8) * channels);
}

uint32_t BoundedCopyCount(uint32_t recorded, uint32_t room) {
  return recorded < room ? recorded : room;
}

int32_t TicksOf(int32_t ms) { return ms / 100; }

bool ReopenDue(int32_t& silentPolls, bool delivered, bool running) {
  if (delivered) {
    silentPolls = 0;
    return false;
  }
  int32_t limit = running ? StallPolls : ReopenPolls;
  silentPolls = silentPolls < 0 ? 1 : silentPolls >= limit ? limit : silentPolls + 1;
  if (silentPolls < limit) return false;
  silentPolls = 0;
  return true;
}
