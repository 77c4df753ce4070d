// The seam bound to the machine: a real sleep, the real Ctrl key, the real wave input.
#include "switch/seam.h"

void SeamSleep(DWORD ms) { Sleep(ms); }
bool SeamCtrlHeld() { return (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0; }
void SeamWaitMessage() { WaitMessage(); }

MMRESULT SeamWaveInOpen(HWAVEIN* device, UINT deviceId, const WAVEFORMATEX* format,
                        DWORD_PTR callback, DWORD_PTR instance, DWORD flags) {
  return waveInOpen(device, deviceId, format, callback, instance, flags);
}
MMRESULT SeamWaveInPrepareHeader(HWAVEIN device, WAVEHDR* header, UINT size) {
  return waveInPrepareHeader(device, header, size);
}
MMRESULT SeamWaveInUnprepareHeader(HWAVEIN device, WAVEHDR* header, UINT size) {
  return waveInUnprepareHeader(device, header, size);
}
MMRESULT SeamWaveInAddBuffer(HWAVEIN device, WAVEHDR* header, UINT size) {
  return waveInAddBuffer(device, header, size);
}
MMRESULT SeamWaveInStart(HWAVEIN device) { return waveInStart(device); }
MMRESULT SeamWaveInStop(HWAVEIN device) { return waveInStop(device); }
MMRESULT SeamWaveInReset(HWAVEIN device) { return waveInReset(device); }
MMRESULT SeamWaveInClose(HWAVEIN device) { return waveInClose(device); }
