#include "console/logic/tone_wave.h"
#include <cstring>

bool TonePlayable(uint16_t frequency) { return frequency >= 1 && frequency <= ToneSampleRate; }

static uint32_t PeriodStart(uint32_t period, uint16_t frequency) {
  return ToneHeaderSize + period * ToneSampleRate / frequency;
}

static uint32_t FirstUnwrittenPeriod(uint16_t frequency) {
  uint32_t samplesPerPeriod = ToneSampleRate / frequency;
  uint32_t j = 0;
  while (PeriodStart(j, frequency) <= ToneSampleRate - samplesPerPeriod) j++;
  return j;
}

uint32_t ToneDataLength(uint16_t frequency) {
  return PeriodStart(FirstUnwrittenPeriod(frequency), frequency) - ToneHeaderSize;
}

static void Put32(uint8_t* at, uint32_t value) {
  for (int i = 0; i < 4; i++) at[i] = static_cast<uint8_t>(value >> (8 * i));
}

static void Put16(uint8_t* at, uint16_t value) {
  at[0] = static_cast<uint8_t>(value);
  at[1] = static_cast<uint8_t>(value >> 8);
}

static void WriteHeader(uint8_t* at, uint32_t dataLength) {
  std::memcpy(at, "RIFF", 4);
  Put32(at + 4, dataLength + 36);
  std::memcpy(at + 8, "WAVEfmt ", 8);
  Put32(at + 16, 16);
  Put16(at + 20, 1);
  Put16(at + 22, 1);
  Put32(at + 24, ToneSampleRate);
  Put32(at + 28, ToneSampleRate);
  Put16(at + 32, 1);
  Put16(at + 34, 8);
  std::memcpy(at + 36, "data", 4);
  Put32(at + 40, dataLength);
}

std::vector<uint8_t> BuildToneWave(uint16_t frequency) {
  if (!TonePlayable(frequency)) return {};
  std::vector<uint8_t> wave(ToneBufferSize, 0);
  uint32_t half = ToneSampleRate / frequency / 2;
  uint32_t periods = FirstUnwrittenPeriod(frequency);
  for (uint32_t j = 0; j < periods; j++) {
    uint32_t start = PeriodStart(j, frequency), next = PeriodStart(j + 1, frequency);
    for (uint32_t i = start; i < next; i++) wave[i] = (i - start < half) ? 96 : 160;
  }
  uint32_t length = PeriodStart(periods, frequency) - ToneHeaderSize;
  if (length == 0) return {};  // 1 Hz: not even one period fits after the header
  wave[ToneHeaderSize + length - 1] = 128;
  WriteHeader(wave.data(), length);
  return wave;
}
