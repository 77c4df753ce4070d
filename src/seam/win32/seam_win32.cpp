// The seam bound to the machine: a real clock and sleep, the real Ctrl key, the real wave
// input. Ctrl comes two ways, both read every few milliseconds through each sleep: as raw
// input queued for the panel's window, with each key-down's and key-up's time however short
// the press, and by sampling its state, for whatever raw input does not bring.
#include "seam/seam.h"

namespace {
constexpr DWORD kSampleMs = 5;  // the platform rounds this up to its timer's period
constexpr int kEdgeRoom = 32;   // far more edges than a switch gives between two polls

CtrlEdge Edges[kEdgeRoom];
int EdgeCount = 0, EdgeFirst = 0;
CtrlSources Sources;
HWND RawTarget = nullptr;  // the window raw input is queued for

void PushEdges(const CtrlEdge* edges, int count) {
  for (int i = 0; i < count && EdgeCount < kEdgeRoom; ++i, ++EdgeCount)
    Edges[(EdgeFirst + EdgeCount) % kEdgeRoom] = edges[i];
}

// A message's time is the low half of the same millisecond clock.
int64_t MessageMs(DWORD time, int64_t now) {
  return now - static_cast<DWORD>(static_cast<DWORD>(now) - time);
}

bool IsCtrlKey(USHORT key) { return key == VK_CONTROL || key == VK_LCONTROL || key == VK_RCONTROL; }

// Only raw input is taken out of the queue here. The window's procedure gives each to
// SeamRawInput, whichever pump dispatches it, then to the default procedure, which frees what
// the system keeps for it. A filtered peek still takes a quit message: it is posted again
// for the console's pump, which ends the program on it.
void TakeRawInput() {
  if (RawTarget && !IsWindow(RawTarget)) RawTarget = nullptr;
  if (!RawTarget) return;
  MSG message;
  while (PeekMessageW(&message, RawTarget, WM_INPUT, WM_INPUT, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    DispatchMessageW(&message);
  }
}

// The low bit of the state says the key went down since the last call, which keeps a tap
// that began and ended between two samples.
void SampleCtrl() {
  TakeRawInput();
  const SHORT state = GetAsyncKeyState(VK_CONTROL);
  CtrlEdge edges[MaxCtrlEdges];
  PushEdges(edges, SampledCtrl(Sources, (state & 0x8000) != 0, (state & 1) != 0, SeamNowMs(), edges));
}
}  // namespace

void SeamRawInput(LPARAM handle, DWORD time) {
  RAWINPUT input{};
  UINT size = sizeof input;
  if (GetRawInputData(reinterpret_cast<HRAWINPUT>(handle), RID_INPUT, &input, &size,
                      sizeof(RAWINPUTHEADER)) == static_cast<UINT>(-1) ||
      input.header.dwType != RIM_TYPEKEYBOARD || !IsCtrlKey(input.data.keyboard.VKey))
    return;
  const bool down = (input.data.keyboard.Flags & RI_KEY_BREAK) == 0;
  const int64_t now = SeamNowMs();
  CtrlEdge edges[MaxCtrlEdges];
  PushEdges(edges, RawCtrlKey(Sources, down, MessageMs(time, now), now, edges));
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
  return Sources.down;
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
