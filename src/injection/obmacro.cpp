// Whole mouse actions at a screen point and the menu key senders, built on the playback
// library's lists. Mouse actions wait for each replay; key senders leave it running. No
// list starts while the switch's Ctrl is held.
#include "injection/obmacro.h"

#include <windows.h>

#include "console/ObCrt.h"
#include "injection/obkbm32.h"
#include "seam/seam.h"
#include "switch/uctlsom.h"

namespace {

constexpr UINT kMouseListSize = 30, kKeyListSize = 10;

// Nothing is dispatched while a mouse action replays; the thread sleeps until it ends.
void ReplayToEnd() {
  StartWhenCtrlUp();
  while (PlayIsActive() & 0xFF) PlayWaitEnd(50);
}

void PlayButtonList(UINT message, int x, int y) {
  PlayInit(kMouseListSize);
  PlayMouse(message, x, y, 10);
  ReplayToEnd();
}

void PlayModifiedClick(UINT modifier, int x, int y) {
  MoveMouseTo(x, y);
  PlayInit(kMouseListSize);
  PlayInsertKeyEvent(WM_KEYDOWN, modifier, 20);
  PlayMouse(WM_LBUTTONDOWN, x, y, 20);
  PlayMouse(WM_LBUTTONUP, x, y, 20);
  PlayInsertKeyEvent(WM_KEYUP, modifier, 20);
  ReplayToEnd();
}

}  // namespace

// The Ctrl key is also the switch: a list started while it is held would reach the target
// with a Ctrl nobody asked for. Waiting in ticks keeps the panel live meanwhile.
void StartWhenCtrlUp() {
  while (SeamCtrlHeld()) Delay(100);
  PlayStart();
}

void MoveMouseTo(int x, int y) { PlayButtonList(WM_MOUSEMOVE, x, y); }

void ClickAt(int x, int y) {
  MoveMouseTo(x, y);
  PlayButtonList(WM_LBUTTONDOWN, x, y);
  PlayButtonList(WM_LBUTTONUP, x, y);
}

void RightClickAt(int x, int y) {
  MoveMouseTo(x, y);
  PlayButtonList(WM_RBUTTONDOWN, x, y);
  PlayButtonList(WM_RBUTTONUP, x, y);
}

// Both clicks go in one list, so the target sees them close enough to be a double click.
void DoubleClickAt(int x, int y) {
  MoveMouseTo(x, y);
  PlayInit(kMouseListSize);
  for (int click = 0; click < 2; ++click) {
    PlayMouse(WM_LBUTTONDOWN, x, y, 20);
    PlayMouse(WM_LBUTTONUP, x, y, 20);
  }
  ReplayToEnd();
}

// Ten steps of 20 ms: programs that follow a drag (sliders, scroll bars, selections) see it
// move, and a drop target sees the pointer arrive before the release.
void DragFromTo(int fromX, int fromY, int toX, int toY) {
  constexpr int kSteps = 10;
  MoveMouseTo(fromX, fromY);
  PlayInit(kMouseListSize);
  PlayMouse(WM_LBUTTONDOWN, fromX, fromY, 50);
  for (int step = 1; step <= kSteps; ++step)
    PlayMouse(WM_MOUSEMOVE, fromX + (toX - fromX) * step / kSteps, fromY + (toY - fromY) * step / kSteps, 20);
  PlayMouse(WM_LBUTTONUP, toX, toY, 20);
  ReplayToEnd();
}

void WheelAt(int x, int y, bool down) {
  PlayInit(kMouseListSize);
  PlayMouse(WM_MOUSEWHEEL | (static_cast<UINT>(static_cast<uint16_t>(down ? -WHEEL_DELTA : WHEEL_DELTA)) << 16), x, y, 10);
  ReplayToEnd();
}

void ShiftClickAt(int x, int y) { PlayModifiedClick(VK_SHIFT, x, y); }

void CtrlClickAt(int x, int y) { PlayModifiedClick(VK_CONTROL, x, y); }

void SendVirtKey(uint8_t key, bool shift, bool alt, int delayMs) {
  PlayInit(kKeyListSize);
  PlayVirtKey(key, 0, shift ? 1 : 0, alt ? 1 : 0, static_cast<UINT>(delayMs));
  StartWhenCtrlUp();
}

void RepeatKeyUntilSwitch(uint8_t key, bool shift, int delayMs) {
  while (QuietThrough(1000)) SendVirtKey(key, shift, false, delayMs);
}
