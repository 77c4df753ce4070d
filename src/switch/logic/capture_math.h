// Window-free arithmetic of the switch unit: sample peaks, ring positions and the count of
// polls that brought no sound.
#pragma once
#include <cstddef>
#include <cstdint>

int SamplePeak(const unsigned char* samples, size_t count, int peak);  // max of peak and |b-128|
// The ring the panel and the meter record into: short buffers, so a sound is heard within
// about 30 ms of its end, and enough of them for 1.86 s between two reads.
constexpr uint32_t CaptureRate = 11025;
constexpr uint32_t CaptureBufferBytes = 320;
constexpr int32_t RingSlots = 64;  // a power of two, one bit each in a 64-bit mask

int32_t NextRingIndex(int32_t index);                 // (index + 1) mod RingSlots
int32_t NextFilledSlot(int32_t index, uint64_t filled);  // first set bit from index on, round the ring; index if none
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
