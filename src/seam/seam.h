// The one seam between the tick-counting code and the machine: the clock and the sleep of a
// tick, the switch's key, mouse button and controller button with the moments they went down
// and up, and the wave-input device. Production links the Win32 binding; tests link a virtual clock with a scripted
// switch. Below the console and the switch, so both include it.
#pragma once
#include <windows.h>
#include <mmsystem.h>

#include <cstdint>

#include "seam/logic/key_sources.h"
#include "seam/logic/switch_inputs.h"

enum class SwitchInput : char { Key, Mouse, Pad };
struct SwitchEdge {
  SwitchInput input;
  bool down;
  int64_t atMs;
};

int64_t SeamNowMs();               // milliseconds on a clock of 1 ms or finer that never goes back
// Sleeps until the clock reads deadlineMs, watching the switch meanwhile so no tap goes unseen.
void SeamSleepUntil(int64_t deadlineMs);
inline void SeamSleep(DWORD ms) { SeamSleepUntil(SeamNowMs() + ms); }
// The clock read as something lights up: every switch edge taken in so far is dated before
// it, and every later one after it, however coarse the platform's own stamps, unless it
// happened before it and was only seen late.
int64_t SeamMarkNow();
bool SeamCtrlHeld();               // Ctrl is the switch's key and is down now
bool SeamTakeSwitchEdge(SwitchEdge* edge);  // the oldest switch edge not yet taken; false: none
// The switch's key-downs and key-ups taken whatever has the focus, each with its time, by a
// keyboard hook or as raw input queued for this window; false: the platform refused both,
// and the key is only sampled.
bool SeamListenForSwitches(HWND window);
// Which key, mouse button and controller button are the switch; Ctrl alone until then. A key
// other than Ctrl and a mouse button are kept from every other program.
void SeamChooseSwitches(const SwitchInputs& inputs);
void SeamRawInput(LPARAM input, DWORD time);  // a WM_INPUT the window received, and its time
void SeamSampleBlind(bool blind);  // the sampled key state cannot see the key (an elevated window in front)
void SeamWaitMessage();            // WaitMessage
MMRESULT SeamWaveInOpen(HWAVEIN* device, UINT deviceId, const WAVEFORMATEX* format,
                        DWORD_PTR callback, DWORD_PTR instance, DWORD flags);
MMRESULT SeamWaveInPrepareHeader(HWAVEIN device, WAVEHDR* header, UINT size);
MMRESULT SeamWaveInUnprepareHeader(HWAVEIN device, WAVEHDR* header, UINT size);
MMRESULT SeamWaveInAddBuffer(HWAVEIN device, WAVEHDR* header, UINT size);
MMRESULT SeamWaveInStart(HWAVEIN device);
MMRESULT SeamWaveInStop(HWAVEIN device);
MMRESULT SeamWaveInReset(HWAVEIN device);
MMRESULT SeamWaveInClose(HWAVEIN device);
MMRESULT SeamWaveInGetPosition(HWAVEIN device, MMTIME* time, UINT size);
