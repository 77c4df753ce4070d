// Window-free arithmetic of the switch unit: sample peaks and ring positions.
#pragma once
#include <cstddef>
#include <cstdint>

int SamplePeak(const unsigned char* samples, size_t count, int peak);  // max of peak and |b-128|
int32_t NextRingIndex(int32_t index);                 // (index + 1) mod 8
uint16_t BlockAlign(uint16_t bits, uint16_t channels);  // (bits / 8) * channels, in 16 bits
uint32_t BoundedCopyCount(uint32_t recorded, uint32_t room);  // never more than room
int32_t TicksOf(int32_t ms);                          // ms / 100, toward zero
