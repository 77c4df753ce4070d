// The seam bound to the machine: the performance counter as the clock, sleeps that end at
// their deadline, the real switch inputs, the real wave input. The switch's key comes two
// ways, each key-down and key-up with its moment however short the press, waking a sleep at
// once: from a low-level keyboard hook on a thread of its own, or, where the hook cannot be
// set, as raw input queued for the panel's window; and by sampling its state every 20 ms, for
// whatever those do not bring. A mouse button comes from the hooks alone, a controller's
// buttons from the samples.
#include "seam/seam.h"

#include <algorithm>
#include <cstdlib>

#include "injection/obkbm32.h"
#include "seam/win32/switch_hooks.h"

namespace {
// Sampling more often only costs wake-ups: the pressed-since bit keeps a shorter tap.
constexpr int64_t kSampleEveryMs = 20;
constexpr int kEdgeRoom = 32;   // far more edges than a switch gives between two polls

SwitchEdge Edges[kEdgeRoom];
int EdgeCount = 0, EdgeFirst = 0;
KeySources Sources;
SwitchInputs Inputs;
bool PadDown = false;
HWND RawTarget = nullptr;  // the window raw input is queued for
int64_t LastSampleMs = 0;
int64_t QueueEmptyAt = 0;  // when the queue last held no raw input: what comes later is later

void PushEdge(const SwitchEdge& edge) {
  if (EdgeCount == kEdgeRoom) return;
  Edges[(EdgeFirst + EdgeCount) % kEdgeRoom] = edge;
  ++EdgeCount;
}

void PushKeyEdges(const KeyEdge* edges, int count) {
  for (int i = 0; i < count; ++i) PushEdge({SwitchInput::Key, edges[i].down, edges[i].atMs});
}

int64_t CounterFrequency() {
  static const int64_t frequency = [] {
    LARGE_INTEGER value;
    QueryPerformanceFrequency(&value);
    return value.QuadPart;
  }();
  return frequency;
}

// Windows 11 lets the timer of a process whose windows are hidden, as the panel's often are,
// fall back to the coarse tick unless the process opts out. Looked up by name: the call is
// missing before Windows 8, and the 32-bit build still starts there.
void KeepFineTimerWhileHidden() {
  using SetInformation = BOOL(WINAPI*)(HANDLE, PROCESS_INFORMATION_CLASS, LPVOID, DWORD);
  const auto set = reinterpret_cast<SetInformation>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetProcessInformation")));
  if (!set) return;
  PROCESS_POWER_THROTTLING_STATE state{PROCESS_POWER_THROTTLING_CURRENT_VERSION,
                                       PROCESS_POWER_THROTTLING_IGNORE_TIMER_RESOLUTION, 0};
  set(GetCurrentProcess(), ProcessPowerThrottling, &state, sizeof state);
}

// The platform's timer ticks every 15.6 ms unless a program asks for more: each sleep would
// end up to that late. Asked for once, given back at the end.
void AskForFineTimer() {
  static const bool asked = [] {
    KeepFineTimerWhileHidden();
    if (timeBeginPeriod(1) != TIMERR_NOERROR) return false;
    std::atexit([] { timeEndPeriod(1); });
    return true;
  }();
  (void)asked;
}

// When raw input stamped at messageTime was taken in at nowMs. The stamp is the coarse tick
// count's low half, which the platform's timer moves in steps of up to 16 ms, so it can read
// early; but the input cannot have come before the queue was last seen without it.
int64_t RawMoment(DWORD messageTime, int64_t nowMs) {
  const int64_t stamped = nowMs - static_cast<DWORD>(GetTickCount() - messageTime);
  return std::min(nowMs, std::max(stamped, QueueEmptyAt));
}

bool IsSwitchKey(USHORT key) {
  if (Inputs.key == CtrlKey) return key == VK_CONTROL || key == VK_LCONTROL || key == VK_RCONTROL;
  return Inputs.key != NoKey && key == Inputs.key;
}

// Drains what the hooks queued; the clock read under their lock, for a mark.
int64_t TakeHookedKeys() {
  HookedEdge hooked[HookedRoom];
  int64_t now = 0;
  const int count = TakeHookedEdges(hooked, HookedRoom, now);
  for (int i = 0; i < count; ++i) {
    const HookedEdge& edge = hooked[i];
    if (edge.input != SwitchInput::Key) {
      PushEdge({edge.input, edge.down, edge.atMs});
      continue;
    }
    KeyEdge edges[MaxKeyEdges];
    PushKeyEdges(edges, RawSwitchKey(Sources, edge.down, edge.injected, edge.atMs, now, edges));
  }
  return now;
}

// Only raw input is taken out of the queue here, all of it, so a wait on raw input cannot
// spin on a message left behind. The window's procedure gives each to SeamRawInput,
// whichever pump dispatches it, then to the default procedure, which frees what the system
// keeps for it. A filtered peek still takes a quit message: it is posted again for the
// console's pump, which ends the program on it.
void TakeRawInput() {
  if (RawTarget && !IsWindow(RawTarget)) RawTarget = nullptr;
  if (!RawTarget) return;
  MSG message;
  while (PeekMessageW(&message, nullptr, WM_INPUT, WM_INPUT, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    DispatchMessageW(&message);
  }
  QueueEmptyAt = SeamNowMs();
}

// The buttons of every controller joined; the platform numbers at most 16.
uint32_t PadButtons() {
  static const UINT pads = std::min<UINT>(joyGetNumDevs(), 16);
  uint32_t buttons = 0;
  for (UINT pad = 0; pad < pads; ++pad) {
    JOYINFOEX info{};
    info.dwSize = sizeof info;
    info.dwFlags = JOY_RETURNBUTTONS;
    if (joyGetPosEx(JOYSTICKID1 + pad, &info) == JOYERR_NOERROR) buttons |= info.dwButtons;
  }
  return buttons;
}

void SamplePad() {
  if (Inputs.padButton == NoPadButton) return;
  const bool down = PadSwitchDown(PadButtons(), Inputs.padButton);
  if (down != PadDown) PushEdge({SwitchInput::Pad, down, LastSampleMs});
  PadDown = down;
}

// The low bit of the state says the key went down since the last call, which keeps a tap
// that began and ended between two samples.
void SampleKey() {
  if (Inputs.key == NoKey) return;
  const SHORT state = GetAsyncKeyState(Inputs.key);
  KeyEdge edges[MaxKeyEdges];
  PushKeyEdges(edges, SampledSwitchKey(Sources, (state & 0x8000) != 0, (state & 1) != 0, LastSampleMs, edges));
}

void SampleSwitches() {
  TakeRawInput();
  if (SwitchHooksSet()) TakeHookedKeys();
  LastSampleMs = SeamNowMs();
  SampleKey();
  SamplePad();
}

// Until the clock reads wakeMs or a Ctrl key arrives, whichever comes first.
void WaitForCtrlKey(int64_t wakeMs) {
  const int64_t left = wakeMs - SeamNowMs();
  if (left <= 0) return;
  HANDLE signal = HookedSignal();
  MsgWaitForMultipleObjectsEx(SwitchHooksSet() ? 1 : 0, &signal, static_cast<DWORD>(left),
                              QS_RAWINPUT, MWMO_INPUTAVAILABLE);
}
}  // namespace

// With the hook in place, raw input would only bring the same keys again.
void SeamRawInput(LPARAM handle, DWORD time) {
  if (SwitchHooksSet()) return;
  RAWINPUT input{};
  UINT size = sizeof input;
  if (GetRawInputData(reinterpret_cast<HRAWINPUT>(handle), RID_INPUT, &input, &size,
                      sizeof(RAWINPUTHEADER)) == static_cast<UINT>(-1) ||
      input.header.dwType != RIM_TYPEKEYBOARD || !IsSwitchKey(input.data.keyboard.VKey))
    return;
  const bool down = (input.data.keyboard.Flags & RI_KEY_BREAK) == 0;
  const bool injected = input.data.keyboard.ExtraInformation == PlaybackMark;
  const int64_t now = SeamNowMs();
  KeyEdge edges[MaxKeyEdges];
  PushKeyEdges(edges, RawSwitchKey(Sources, down, injected, RawMoment(time, now), now, edges));
}

void SeamSampleBlind(bool blind) { Sources.sampleBlind = blind; }

bool SeamListenForSwitches(HWND window) {
  if (SetSwitchHooks()) return true;
  RAWINPUTDEVICE keyboard{0x01, 0x06, RIDEV_INPUTSINK, window};  // generic desktop, keyboard
  if (!RegisterRawInputDevices(&keyboard, 1, sizeof keyboard)) return false;
  RawTarget = window;
  return true;
}

void SeamChooseSwitches(const SwitchInputs& inputs) {
  Inputs = inputs;
  Sources = KeySources{};
  WatchSwitchInputs(inputs);
}

int64_t SeamMarkNow() {
  if (SwitchHooksSet()) return TakeHookedKeys();
  TakeRawInput();
  return RawTarget ? QueueEmptyAt : SeamNowMs();
}

int64_t SeamNowMs() {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  const int64_t frequency = CounterFrequency();
  return counter.QuadPart / frequency * 1000 + counter.QuadPart % frequency * 1000 / frequency;
}

void SeamSleepUntil(int64_t deadlineMs) {
  AskForFineTimer();
  for (int64_t now = SeamNowMs(); now < deadlineMs; now = SeamNowMs()) {
    if (now - LastSampleMs >= kSampleEveryMs) SampleSwitches();
    WaitForCtrlKey(std::min(deadlineMs, LastSampleMs + kSampleEveryMs));
    TakeRawInput();
    if (SwitchHooksSet()) TakeHookedKeys();
  }
  SampleSwitches();
}

bool SeamCtrlHeld() {
  SampleSwitches();
  return Inputs.key == CtrlKey && Sources.down;
}

bool SeamTakeSwitchEdge(SwitchEdge* edge) {
  SampleSwitches();
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
