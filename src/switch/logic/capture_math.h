// Window-free arithmetic of the switch unit: sample peaks, ring positions and the count of
// polls that brought no sound.
#pragma once
#include <cstddef>
#include <cstdint>

int SamplePeak(const unsigned char* samples, size_t count, int peak);  // max of peak and |b-128|
int32_t NextRingIndex(int32_t index);                 // (index + 1) mod 8
int32_t NextFilledSlot(int32_t index, uint8_t filled);  // first set bit from index on, round 8; index if none
uint16_t BlockAlign(uint16_t bits, uint16_t channels);  // (bits / 8) * channels, in 16 bits
uint32_t BoundedCopyCount(uint32_t recorded, uint32_t room);  // never more than room
int32_t TicksOf(int32_t ms);                          // ms / 100, toward zero

// Polls of 100 ms ticks without a buffer before the capture is opened again: a closed one
// is retried every three seconds; an open one gets five, as a device's first buffer can be
// slow to come.
constexpr int32_t ReopenPolls = 30;
constexpr int32_t StallPolls = 50;
// Counts a poll; true, with the count started again, when the polls in a row that brought
// no buffer reach the limit for a ring that is running or not.
bool ReopenDue(int32_t& silentPolls, bool delivered, bool running);
