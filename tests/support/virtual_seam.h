// Virtual time for the seam: sleeping only advances a clock, Ctrl follows a script, and a
// simulated wave-input device fills the oldest queued buffer each time its length in samples at
// 11025 per second has passed (nothing while no buffer is queued). Ctrl's edges come at the
// script's exact moments.
//   vt::Reset(); vt::HoldCtrl(2350, 2500); vt::Sound(4000, 50, 255);
// The switch detector dates presses on this clock: after a Reset, ForgetPresses.
#pragma once
#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <functional>

#include "seam/seam.h"

namespace vt {
void Reset();                                     // clock 0, no script, device present, no hooks
int64_t NowMs();                                  // virtual time in milliseconds
int SleepCount();                                 // sleeps since Reset
void HoldCtrl(int64_t fromMs, int64_t toMs);      // Ctrl down from fromMs, up again at toMs
void Hold(SwitchInput input, int64_t fromMs, int64_t toMs);  // another switch, likewise
void Sound(int64_t atMs, int64_t durationMs, uint8_t sample);  // samples of that value
void Clap(int64_t atMs);                          // a short loud sound (sample 255, 50 ms)
void SetNoDevice(bool absent);                    // waveInOpen answers 2 (no device)
void LoseDevice();  // the open device never fills again, and opens fail until SetNoDevice(false)
int OpenCount();                                  // waveInOpen calls, failed ones too
void Unqueue(WAVEHDR* header);                    // the device lets go of a queued buffer
void OnSleep(std::function<void(int64_t nowMs)> hook);  // called after every sleep
int QueuedBuffers();                              // buffers the device holds, not yet filled
void SetTimerPeriodUs(int64_t periodUs);          // sleeps end on the timer's ticks, as on Windows
}
