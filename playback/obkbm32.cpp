// Key-and-mouse playback library: lists of events replayed through SendInput on a thread
// of the library, one started list after another, so callers may begin a new list at once.
#include "injection/obkbm32.h"

#include <deque>
#include <vector>

#include "injection/logic/playback_events.h"

namespace {

struct Event {                 // the inputs of one appended call, then its pause
  std::vector<INPUT> inputs;
  DWORD delayMs;
};
using EventList = std::vector<Event>;

CRITICAL_SECTION Lock;         // guards everything below
EventList Building;            // the list being appended to
std::deque<EventList> Started; // lists waiting for the replay thread
bool Replaying = false;        // the replay thread is inside a list
HANDLE Wakeup = nullptr;       // set when a list is started
bool ThreadRunning = false;

struct LockGuard {
  LockGuard() { EnterCriticalSection(&Lock); }
  ~LockGuard() { LeaveCriticalSection(&Lock); }
};

void Append(std::vector<INPUT> inputs, UINT delayMs) {
  LockGuard guard;
  Building.push_back({std::move(inputs), delayMs});
}

INPUT KeyInput(const playback::KeyStroke& stroke) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = stroke.virtualKey;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(stroke.virtualKey, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = (stroke.up ? KEYEVENTF_KEYUP : 0) |
                  (playback::IsExtendedKey(stroke.virtualKey) ? KEYEVENTF_EXTENDEDKEY : 0);
  return in;
}

INPUT UnicodeInput(WCHAR codePoint, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wScan = codePoint;
  in.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
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

// Every mouse event carries the point, so a press lands where it was asked even if the
// user moved the mouse since the last move.
INPUT MouseInput(playback::MouseAction action, int x, int y) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = playback::NormaliseCoordinate(x, GetSystemMetrics(SM_CXSCREEN));
  in.mi.dy = playback::NormaliseCoordinate(y, GetSystemMetrics(SM_CYSCREEN));
  in.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | ButtonFlag(action);
  return in;
}

void Deliver(Event& event) {
  if (!event.inputs.empty())
    SendInput(static_cast<UINT>(event.inputs.size()), event.inputs.data(), sizeof(INPUT));
  Sleep(event.delayMs);
}

bool TakeStartedList(EventList& list) {
  LockGuard guard;
  if (Started.empty()) {
    Replaying = false;
    return false;
  }
  list = std::move(Started.front());
  Started.pop_front();
  Replaying = true;
  return true;
}

DWORD WINAPI ReplayThread(LPVOID) {
  for (;;) {
    EventList list;
    while (TakeStartedList(list))
      for (Event& event : list) Deliver(event);
    WaitForSingleObject(Wakeup, INFINITE);
  }
}

void StartThreadOnce() {
  if (ThreadRunning) return;
  Wakeup = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  HANDLE thread = CreateThread(nullptr, 0, ReplayThread, nullptr, 0, nullptr);
  if (thread) CloseHandle(thread);
  ThreadRunning = true;
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) InitializeCriticalSection(&Lock);
  return TRUE;
}

extern "C" {

// The count is only a hint of the list's length; an absurd one must not exhaust memory.
UINT WINAPI PlayInit(UINT count) {
  LockGuard guard;
  Building.clear();
  Building.reserve(count < 256 ? count : 256);
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
  WCHAR code = playback::Cp1252ToUnicode(static_cast<uint8_t>(character));
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
UINT WINAPI PlayStart() {
  LockGuard guard;
  Started.push_back(std::move(Building));
  Building.clear();
  StartThreadOnce();
  SetEvent(Wakeup);
  return 1;
}

UINT WINAPI PlayIsActive() {
  LockGuard guard;
  return (Replaying || !Started.empty()) ? 1 : 0;
}

}  // extern "C"
