// The seam bound to the machine: a real clock and sleep, the real Ctrl key, the real wave
// input. Ctrl is sampled every few milliseconds through each sleep, so a tap shorter than a
// tick is seen, and dated to within one sample.
#include "seam/seam.h"

namespace {
constexpr DWORD kSampleMs = 5;  // the platform rounds this up to its timer's period
constexpr int kEdgeRoom = 32;   // far more edges than a switch gives between two polls

CtrlEdge Edges[kEdgeRoom];
int EdgeCount = 0, EdgeFirst = 0;
bool CtrlDown = false;

void PushEdge(bool down, int64_t atMs) {
  if (EdgeCount == kEdgeRoom) return;
  Edges[(EdgeFirst + EdgeCount) % kEdgeRoom] = {down, atMs};
  ++EdgeCount;
}

// The low bit says the key went down since the last call, which keeps a tap that began and
// ended between two samples.
void SampleCtrl() {
  const SHORT state = GetAsyncKeyState(VK_CONTROL);
  const bool down = (state & 0x8000) != 0;
  const bool pressedSince = (state & 1) != 0;
  const int64_t now = SeamNowMs();
  if (down != CtrlDown) {
    PushEdge(down, now);
  } else if (!down && pressedSince) {
    PushEdge(true, now);
    PushEdge(false, now);
  }
  CtrlDown = down;
}
}  // namespace

int64_t SeamNowMs() { return static_cast<int64_t>(GetTickCount64()); }

void SeamSleep(DWORD ms) {
  const int64_t end = SeamNowMs() + ms;
  for (int64_t now = SeamNowMs(); now < end; now = SeamNowMs()) {
    SampleCtrl();
    const int64_t left = end - now;
    Sleep(static_cast<DWORD>(left < kSampleMs ? left : kSampleMs));
  }
  SampleCtrl();
}

bool SeamCtrlHeld() {
  SampleCtrl();
  return CtrlDown;
}

bool SeamTakeCtrlEdge(CtrlEdge* edge) {
  SampleCtrl();
  if (EdgeCount == 0) return false;
  *edge = Edges[EdgeFirst];
  EdgeFirst = (EdgeFirst + 1) % kEdgeRoom;
  --EdgeCount;
  return true;
}

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
MMRESULT SeamWaveInGetPosition(HWAVEIN device, MMTIME* time, UINT size) {
  return waveInGetPosition(device, time, size);
}
