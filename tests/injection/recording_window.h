// A focused test window that records what its window procedure receives, for the tests
// that replay real input through the playback library.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct Seen {            // one message as the window procedure got it
  UINT message;
  WPARAM wParam;
  POINT client;          // for mouse messages
  bool shift, ctrl, alt; // modifier state when the message was handled
};

extern std::vector<Seen> Received;  // messages since the last FocusRecordingWindow
extern HWND Window;                 // the recording window

void CreateRecordingWindow(bool doubleClicks);   // shown at 100, 100, 500 x 400
void FocusRecordingWindow();                     // foreground and focus, then clears Received
void PumpFor(DWORD ms);
bool PumpUntilReplayEnds();          // pumps while a replay runs (10 s at most), then 300 ms
bool Held(int key);                  // GetKeyState now
POINT ScreenPoint(int clientX, int clientY);
std::wstring Typed();                // the WM_CHAR characters received, in order
const Seen* First(UINT message, WPARAM wParam = ~WPARAM{0});
