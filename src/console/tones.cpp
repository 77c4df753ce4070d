// Tones played from memory: one square-wave sound file at a time, looped until stopped.
#include "console/ObCrt.h"
#include "console/logic/tone_wave.h"
#include <mmsystem.h>
#include <cstring>

unsigned char* ToneBuffer = nullptr;

void ToneStart(uint16_t frequency) {
  if (ToneBuffer) ToneStop();
  std::vector<uint8_t> wave = BuildToneWave(frequency);
  if (wave.empty()) return;  // no sound at 0, 1 or above 11025 Hz
  ToneBuffer = new unsigned char[ToneBufferSize];
  std::memcpy(ToneBuffer, wave.data(), ToneBufferSize);
  sndPlaySoundA(reinterpret_cast<LPCSTR>(ToneBuffer), SND_ASYNC | SND_MEMORY | SND_LOOP);
}

void ToneStop() {
  if (!ToneBuffer) return;
  sndPlaySoundA(nullptr, SND_ASYNC);
  delete[] ToneBuffer;
  ToneBuffer = nullptr;
}
