// Low-level keyboard and mouse hooks on one thread. The switch's key other than Ctrl and its
// mouse button are swallowed, down and up, unless the playback injected them: the person's
// Space press must not type a space, nor a right-button switch open menus. Ctrl passes on,
// as every program expects to see it. Every 30 s the hooks are set again, new before old,
// in case the system dropped one.
#include "seam/win32/switch_hooks.h"

#include <atomic>
#include <mutex>

#include "injection/obkbm32.h"

namespace {

constexpr DWORD kRenewMs = 30000;
constexpr UINT kWatchMouse = WM_APP + 1;

std::mutex Lock;
HookedEdge Queued[HookedRoom];
int QueuedCount = 0;
HANDLE Signal = nullptr;
DWORD HookThread = 0;
bool Set = false;
std::atomic<int> Key{CtrlKey};
std::atomic<int> Button{static_cast<int>(MouseSwitch::None)};
HHOOK KeyboardHook = nullptr, MouseHook = nullptr;

bool IsSwitchKey(DWORD key) {
  const int chosen = Key;
  if (chosen == CtrlKey) return key == VK_CONTROL || key == VK_LCONTROL || key == VK_RCONTROL;
  return chosen != NoKey && static_cast<int>(key) == chosen;
}

// Dated as the hook runs, on the fine clock; a hook run late (a loaded machine) is dated back
// by the event's own coarse stamp, once the delay exceeds that stamp's steps, so a press is
// never counted for the item lit after it began.
constexpr DWORD kCoarseStepMs = 20;

void Queue(SwitchInput input, bool down, bool injected, DWORD eventTime) {
  std::lock_guard<std::mutex> hold(Lock);
  const DWORD late = GetTickCount() - eventTime;
  const int64_t at = SeamNowMs() - (late > kCoarseStepMs && late < 10000 ? late : 0);
  if (QueuedCount < HookedRoom) Queued[QueuedCount++] = {input, down, injected, at};
  SetEvent(Signal);
}

LRESULT CALLBACK OnKey(int code, WPARAM message, LPARAM data) {
  const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
  if (code != HC_ACTION || !IsSwitchKey(key->vkCode)) return CallNextHookEx(nullptr, code, message, data);
  const bool injected = key->dwExtraInfo == PlaybackMark;
  Queue(SwitchInput::Key, !(key->flags & LLKHF_UP), injected, key->time);
  if (Key != CtrlKey && !injected) return 1;
  return CallNextHookEx(nullptr, code, message, data);
}

// The button a mouse message is about, and whether it goes down.
MouseSwitch ButtonOf(WPARAM message, const MSLLHOOKSTRUCT& mouse, bool& down) {
  down = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
         message == WM_XBUTTONDOWN;
  switch (message) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: return MouseSwitch::Left;
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: return MouseSwitch::Right;
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: return MouseSwitch::Middle;
    case WM_XBUTTONDOWN: case WM_XBUTTONUP:
      return HIWORD(mouse.mouseData) == XBUTTON1 ? MouseSwitch::X1 : MouseSwitch::X2;
    default: return MouseSwitch::None;
  }
}

LRESULT CALLBACK OnMouse(int code, WPARAM message, LPARAM data) {
  const auto* mouse = reinterpret_cast<const MSLLHOOKSTRUCT*>(data);
  bool down = false;
  const MouseSwitch button = code == HC_ACTION ? ButtonOf(message, *mouse, down) : MouseSwitch::None;
  if (button == MouseSwitch::None || static_cast<int>(button) != Button || mouse->dwExtraInfo == PlaybackMark)
    return CallNextHookEx(nullptr, code, message, data);
  Queue(SwitchInput::Mouse, down, false, mouse->time);
  return 1;
}

HHOOK Renewed(HHOOK old, int type, HOOKPROC procedure) {
  HHOOK fresh = SetWindowsHookExW(type, procedure, GetModuleHandleW(nullptr), 0);
  if (!fresh) return old;
  if (old) UnhookWindowsHookEx(old);
  return fresh;
}

void RenewHooks() {
  KeyboardHook = Renewed(KeyboardHook, WH_KEYBOARD_LL, OnKey);
  if (Button != static_cast<int>(MouseSwitch::None)) MouseHook = Renewed(MouseHook, WH_MOUSE_LL, OnMouse);
}

void RunHooks() {
  for (;;) {
    if (MsgWaitForMultipleObjects(0, nullptr, FALSE, kRenewMs, QS_ALLINPUT | QS_ALLPOSTMESSAGE) == WAIT_TIMEOUT) {
      RenewHooks();
      continue;
    }
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == kWatchMouse && !MouseHook) MouseHook = Renewed(nullptr, WH_MOUSE_LL, OnMouse);
      DispatchMessageW(&message);
    }
  }
}

DWORD WINAPI HookThreadMain(void* ready) {
  KeyboardHook = SetWindowsHookExW(WH_KEYBOARD_LL, OnKey, GetModuleHandleW(nullptr), 0);
  Set = KeyboardHook != nullptr;
  MSG message;
  PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the queue, for the watch requests
  SetEvent(static_cast<HANDLE>(ready));
  if (Set) RunHooks();
  return 0;
}

}  // namespace

bool SetSwitchHooks() {
  if (Set) return true;
  Signal = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE thread = Signal && ready ? CreateThread(nullptr, 0, HookThreadMain, ready, 0, &HookThread) : nullptr;
  if (thread) {
    SetThreadPriority(thread, THREAD_PRIORITY_HIGHEST);
    WaitForSingleObject(ready, 5000);
    CloseHandle(thread);
  }
  if (ready) CloseHandle(ready);
  return Set;
}

bool SwitchHooksSet() { return Set; }

HANDLE HookedSignal() { return Signal; }

void WatchSwitchInputs(const SwitchInputs& inputs) {
  Key = inputs.key;
  Button = static_cast<int>(inputs.mouse);
  if (Set && inputs.mouse != MouseSwitch::None) PostThreadMessageW(HookThread, kWatchMouse, 0, 0);
}

int TakeHookedEdges(HookedEdge* edges, int room, int64_t& nowMs) {
  std::lock_guard<std::mutex> hold(Lock);
  nowMs = SeamNowMs();
  const int taken = QueuedCount < room ? QueuedCount : room;
  for (int i = 0; i < taken; ++i) edges[i] = Queued[i];
  for (int i = taken; i < QueuedCount; ++i) Queued[i - taken] = Queued[i];
  QueuedCount -= taken;
  return taken;
}
