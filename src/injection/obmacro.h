// Mouse actions at a screen point, each replayed to its end, and the two menu key senders.
#pragma once
#include <cstdint>

void MoveMouseTo(int x, int y);
void ClickAt(int x, int y);          // move; press; release: three replays
void RightClickAt(int x, int y);
void DoubleClickAt(int x, int y);    // move; both clicks in one replay
void ShiftClickAt(int x, int y);     // Shift held around press and release in one replay
void CtrlClickAt(int x, int y);
void StartWhenCtrlUp();              // PlayStart once a Ctrl held as the switch is let go
void SendVirtKey(uint8_t key, bool shift, bool alt, int delayMs);   // returns at once
void RepeatKeyUntilSwitch(uint8_t key, bool shift, int delayMs);    // one key per quiet second
