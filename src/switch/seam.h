// The one seam between the tick-counting code and the machine: the sleep of a tick,
// the Ctrl key as the switch, and the wave-input device. Production links the Win32
// binding; tests link a virtual clock with a scripted switch.
#pragma once
#include <windows.h>
#include <mmsystem.h>

void SeamSleep(DWORD ms);          // Sleep
bool SeamCtrlHeld();               // GetAsyncKeyState(VK_CONTROL) has its top bit set
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
