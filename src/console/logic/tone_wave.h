// A tone as an in-memory sound file: 44-byte RIFF/WAVE header and one second of
// 8-bit mono square wave at 11025 samples per second.
#pragma once
#include <cstdint>
#include <vector>

constexpr uint32_t ToneSampleRate = 11025;
constexpr uint32_t ToneHeaderSize = 44;
constexpr uint32_t ToneBufferSize = ToneHeaderSize + ToneSampleRate + 2;  // 11071

// True for the frequencies a tone can be built for: 1 to 11025 Hz.
bool TonePlayable(uint16_t frequency);
// Number of sound data bytes at a playable frequency.
uint32_t ToneDataLength(uint16_t frequency);
// The whole buffer (ToneBufferSize bytes); empty for 0, 1 (no whole period fits) and
// frequencies above 11025 Hz.
std::vector<uint8_t> BuildToneWave(uint16_t frequency);
