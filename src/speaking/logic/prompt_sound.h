// A prompt as sound: the parts of a WAV file that a player needs, and a recorded prompt
// trimmed and written as a WAV file. Knows nothing of
// devices or files.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Where a WAV file's format and samples lie in its bytes; only PCM (plain or extensible).
struct WavParts {
  size_t formatAt = 0, formatSize = 0;  // the format chunk, a WAVEFORMATEX and what follows it
  size_t dataAt = 0, dataSize = 0;      // the samples; a file cut short keeps those it holds
  uint16_t channels = 0, bitsPerSample = 0;
  uint32_t samplesPerSecond = 0, bytesPerSecond = 0;
  int64_t DurationMs() const { return bytesPerSecond ? int64_t(dataSize) * 1000 / bytesPerSecond : 0; }
};
std::optional<WavParts> ParseWav(std::string_view bytes);

// Eight-bit samples as sixteen-bit ones: a player that runs late fills with zeros, silence
// in sixteen bits but a full-scale crack in eight.
std::vector<int16_t> Widened(std::string_view samples8);

// A recording of 8-bit samples without the silence at both ends: what lies further from 128
// than quiet, and marginSamples either side of it; empty when nothing was louder.
std::string_view TrimmedSound(std::string_view samples8, int quiet, size_t marginSamples);
std::string WavFileOf(const std::vector<int16_t>& samples, uint32_t rate);  // mono PCM
