// The seam bound to the machine: a real clock and sleep, the real Ctrl key, the real wave
// input. Ctrl comes two ways, read every few milliseconds through each sleep: as raw input,
// which the system queues for the panel's window with each key-down's and key-up's time,
// however short the press and whatever window has the focus; and by sampling its state, for
// whatever raw input does not bring (Wine stops bringing it once the window has been hidden).
// Whichever sees a change first gives the edge; the other then finds Ctrl already so.
#include "seam/seam.h"

namespace {
constexpr DWORD kSampleMs = 5;  // the platform rounds this up to its timer's period
constexpr int kEdgeRoom = 32;   // far more edges than a switch gives between two polls

CtrlEdge Edges[kEdgeRoom];
int EdgeCount = 0, EdgeFirst = 0;
bool CtrlDown = false;
HWND RawTarget = nullptr;         // the window raw input is queued for
bool RawEdgeSinceSample = false;  // a tap raw input gave is not taken again from the state

void PushEdge(bool down, int64_t atMs) {
  if (EdgeCount == kEdgeRoom) return;
  Edges[(EdgeFirst + EdgeCount) % kEdgeRoom] = {down, atMs};
  ++EdgeCount;
}

// A message's time is the low half of the same millisecond clock.
int64_t MessageMs(DWORD time) {
  const int64_t now = SeamNowMs();
  return now - static_cast<DWORD>(static_cast<DWORD>(now) - time);
}

bool IsCtrlKey(USHORT key) { return key == VK_CONTROL || key == VK_LCONTROL || key == VK_RCONTROL; }

// Key repeats while Ctrl is held come as further key-downs and change nothing.
void TakeRawKey(const RAWKEYBOARD& key, DWORD time) {
  if (!IsCtrlKey(key.VKey)) return;
  const bool down = (key.Flags & RI_KEY_BREAK) == 0;
  if (down == CtrlDown) return;
  PushEdge(down, MessageMs(time));
  RawEdgeSinceSample = true;
  CtrlDown = down;
}

// Only the raw input messages are taken out of the queue here. The window's procedure gives
// each to SeamRawInput, whichever pump dispatches it, and then to the default procedure,
// which frees what the system keeps for it.
void TakeRawInput() {
  if (!RawTarget) return;
  MSG message;
  while (PeekMessageW(&message, RawTarget, WM_INPUT, WM_INPUT, PM_REMOVE))
    DispatchMessageW(&message);
}

// The low bit says the key went down since the last call, which keeps a tap that began and
// ended between two samples.
void SampleKeyState() {
  const SHORT state = GetAsyncKeyState(VK_CONTROL);
  const bool down = (state & 0x8000) != 0;
  const bool pressedSince = (state & 1) != 0;
  const int64_t now = SeamNowMs();
  if (down != CtrlDown) {
    PushEdge(down, now);
  } else if (!down && pressedSince && !RawEdgeSinceSample) {
    PushEdge(true, now);
    PushEdge(false, now);
  }
  CtrlDown = down;
  RawEdgeSinceSample = false;
}

// A window gone takes its raw input with it.
void SampleCtrl() {
  if (RawTarget && !IsWindow(RawTarget)) RawTarget = nullptr;
  TakeRawInput();
  SampleKeyState();
}
}  // namespace

void SeamRawInput(LPARAM handle, DWORD time) {
  RAWINPUT input{};
  UINT size = sizeof input;
  if (GetRawInputData(reinterpret_cast<HRAWINPUT>(handle), RID_INPUT, &input, &size,
                      sizeof(RAWINPUTHEADER)) != static_cast<UINT>(-1) &&
      input.header.dwType == RIM_TYPEKEYBOARD)
    TakeRawKey(input.data.keyboard, time);
}

bool SeamListenForCtrl(HWND window) {
  RAWINPUTDEVICE keyboard{0x01, 0x06, RIDEV_INPUTSINK, window};  // generic desktop, keyboard
  if (!RegisterRawInputDevices(&keyboard, 1, sizeof keyboard)) return false;
  RawTarget = window;
  return true;
}

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
