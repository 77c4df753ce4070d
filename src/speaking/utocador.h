// A recorded prompt played on the default output, one at a time: a new one, or a stop, ends
// the one before. Eight-bit files play as sixteen-bit sound.
#pragma once
#include <cstdint>
#include <string>

// Plays a PCM WAV file; its length in ms, or -1: missing, not PCM, or the device refused it.
int64_t PlayWavFile(const std::wstring& path);
int64_t WavFileLength(const std::wstring& path);  // in ms, without playing it; -1 as above
bool WavPlaying();  // the device has not yet played the last sample
void StopWav();
