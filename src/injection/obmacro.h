// Mouse actions at a screen point, each replayed to its end, and the two menu key senders.
#pragma once
#include <cstdint>

void MoveMouseTo(int x, int y);
void ClickAt(int x, int y);          // move; press; release: three replays
void RightClickAt(int x, int y);
void DoubleClickAt(int x, int y);    // move; both clicks in one replay
void ShiftClickAt(int x, int y);     // Shift held around press and release in one replay
void CtrlClickAt(int x, int y);
// The left button pressed at the first point, the pointer carried to the second in steps the
// program under it sees as a drag, and released there: one replay, so the button is never
// left down between the two.
void DragFromTo(int fromX, int fromY, int toX, int toY);
void WheelAt(int x, int y, bool down);  // one notch toward the user (down) or away
void StartWhenCtrlUp();              // PlayStart once a Ctrl held as the switch is let go
void SendVirtKey(uint8_t key, bool shift, bool alt, int delayMs);   // returns at once
void RepeatKeyUntilSwitch(uint8_t key, bool shift, int delayMs);    // one key per quiet second
