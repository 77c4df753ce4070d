// Key-and-mouse playback library: lists of events replayed through SendInput on a thread
// of the library, one started list after another, so callers may begin a new list at once;
// on the caller's thread when no such thread can be had.
#include "injection/obkbm32.h"

#include <deque>
#include <vector>

#include "console/logic/code_page.h"
#include "injection/logic/playback_events.h"

namespace {

struct Event {                 // the inputs of one appended call, then its pause
  std::vector<INPUT> inputs;
  DWORD delayMs;
};
using EventList = std::vector<Event>;

// Made once and never freed: at the process's end the replay thread is stopped wherever it
// is, perhaps inside the heap, so nothing may be released when the library is unloaded.
struct Playback {
  CRITICAL_SECTION lock;         // guards everything below
  EventList building;            // the list being appended to
  std::deque<EventList> started; // lists waiting for the replay thread
  bool replaying = false;        // the replay thread is inside a list
  HANDLE wakeup = nullptr;       // set when a list is started
  HANDLE idle = nullptr;         // set while no list replays or waits; null: none could be made
  bool threadRunning = false;
  Playback() {
    InitializeCriticalSection(&lock);
    idle = CreateEventW(nullptr, TRUE, TRUE, nullptr);
  }
};
Playback& State = *new Playback;

struct LockGuard {
  LockGuard() { EnterCriticalSection(&State.lock); }
  ~LockGuard() { LeaveCriticalSection(&State.lock); }
};

void Append(std::vector<INPUT> inputs, UINT delayMs) {
  LockGuard guard;
  State.building.push_back({std::move(inputs), delayMs});
}

INPUT KeyInput(const playback::KeyStroke& stroke) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = stroke.virtualKey;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(stroke.virtualKey, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = (stroke.up ? KEYEVENTF_KEYUP : 0) |
                  (playback::IsExtendedKey(stroke.virtualKey) ? KEYEVENTF_EXTENDEDKEY : 0);
  in.ki.dwExtraInfo = PlaybackMark;
  return in;
}

INPUT UnicodeInput(WCHAR codePoint, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wScan = codePoint;
  in.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
  in.ki.dwExtraInfo = PlaybackMark;
  return in;
}

DWORD ButtonFlag(playback::MouseAction action) {
  switch (action) {
    case playback::MouseAction::LeftDown: return MOUSEEVENTF_LEFTDOWN;
    case playback::MouseAction::LeftUp: return MOUSEEVENTF_LEFTUP;
    case playback::MouseAction::RightDown: return MOUSEEVENTF_RIGHTDOWN;
    case playback::MouseAction::RightUp: return MOUSEEVENTF_RIGHTUP;
    default: return 0;
  }
}

playback::Desktop VirtualDesktop() {
  return {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
          GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

// Every mouse event carries the point, so a press lands where it was asked even if the
// user moved the mouse since the last move. The point is taken over all monitors, not
// only the primary one.
INPUT MouseInput(playback::MouseAction action, int x, int y) {
  playback::AbsolutePoint point = playback::NormalisePoint(x, y, VirtualDesktop());
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = point.x;
  in.mi.dy = point.y;
  in.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK | MOUSEEVENTF_MOVE |
                  ButtonFlag(action);
  if (action == playback::MouseAction::WheelUp || action == playback::MouseAction::WheelDown) {
    in.mi.dwFlags |= MOUSEEVENTF_WHEEL;
    in.mi.mouseData = static_cast<DWORD>(action == playback::MouseAction::WheelUp ? WHEEL_DELTA : -WHEEL_DELTA);
  }
  in.mi.dwExtraInfo = PlaybackMark;
  return in;
}

void Deliver(Event& event) {
  if (!event.inputs.empty())
    SendInput(static_cast<UINT>(event.inputs.size()), event.inputs.data(), sizeof(INPUT));
  Sleep(event.delayMs);
}

void DeliverAll(EventList& list) {
  for (Event& event : list) Deliver(event);
}

bool TakeStartedList(EventList& list) {
  LockGuard guard;
  if (State.started.empty()) {
    State.replaying = false;
    if (State.idle) SetEvent(State.idle);
    return false;
  }
  list = std::move(State.started.front());
  State.started.pop_front();
  State.replaying = true;
  return true;
}

DWORD WINAPI ReplayThread(LPVOID) {
  for (;;) {
    EventList list;
    while (TakeStartedList(list)) DeliverAll(list);
    WaitForSingleObject(State.wakeup, INFINITE);
  }
}

// Called under the lock. Without its event the thread could only spin, so it is not started;
// a failure is tried again at the next start.
bool ReplayThreadReady() {
  if (State.threadRunning) return true;
  if (!State.wakeup) State.wakeup = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  if (!State.wakeup) return false;
  HANDLE thread = CreateThread(nullptr, 0, ReplayThread, nullptr, 0, nullptr);
  if (!thread) return false;
  CloseHandle(thread);
  State.threadRunning = true;
  return true;
}

}  // namespace

extern "C" {

// The count is only a hint of the list's length; an absurd one must not exhaust memory.
UINT WINAPI PlayInit(UINT count) {
  LockGuard guard;
  State.building.clear();
  State.building.reserve(count < 256 ? count : 256);
  return 1;
}

UINT WINAPI PlayMouse(UINT message, UINT x, UINT y, UINT delayMs) {
  playback::MouseAction action = playback::MouseActionFor(message);
  if (action == playback::MouseAction::None) return 0;
  Append({MouseInput(action, static_cast<int>(x), static_cast<int>(y))}, delayMs);
  return 1;
}

UINT WINAPI PlayInsertKeyEvent(UINT message, UINT virtualKey, UINT delayMs) {
  playback::KeyStroke stroke{};
  if (!playback::KeyEventFor(message, static_cast<uint8_t>(virtualKey), stroke)) return 0;
  Append({KeyInput(stroke)}, delayMs);
  return 1;
}

UINT WINAPI PlayKey(UINT character, UINT delayMs) {
  WCHAR code = Cp1252ToUnicode(static_cast<uint8_t>(character));
  Append({UnicodeInput(code, false), UnicodeInput(code, true)}, delayMs);
  return 1;
}

UINT WINAPI PlayVirtKey(UINT virtualKey, UINT ctrl, UINT shift, UINT alt, UINT delayMs) {
  std::vector<INPUT> inputs;
  for (const auto& stroke : playback::VirtKeyStrokes(static_cast<uint8_t>(virtualKey),
                                                     ctrl & 0xFF, shift & 0xFF, alt & 0xFF))
    inputs.push_back(KeyInput(stroke));
  Append(std::move(inputs), delayMs);
  return 1;
}

// The list is handed over whole; a later PlayInit begins a fresh one without touching it.
// With no replay thread to be had, the list is played here before returning, so a caller
// waiting for the replay's end always sees it.
UINT WINAPI PlayStart() {
  EventList list;
  {
    LockGuard guard;
    list.swap(State.building);
    if (ReplayThreadReady()) {
      State.started.push_back(std::move(list));
      if (State.idle) ResetEvent(State.idle);
      SetEvent(State.wakeup);
      return 1;
    }
  }
  DeliverAll(list);
  return 1;
}

UINT WINAPI PlayIsActive() {
  LockGuard guard;
  return (State.replaying || !State.started.empty()) ? 1 : 0;
}

// A caller waiting for the end of a replay sleeps here instead of asking again and again,
// which on a single core would take the time the replay needs. Without the event it only
// gives up the rest of its time slice.
UINT WINAPI PlayWaitEnd(UINT timeoutMs) {
  if (State.idle) WaitForSingleObject(State.idle, timeoutMs);
  else Sleep(1);
  return PlayIsActive() ? 0 : 1;
}

}  // extern "C"
