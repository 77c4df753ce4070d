// The on-screen keyboard's scan (rows, then the keys of the chosen row) and key emission.
#pragma once
#include <string>

void ScanKeyboard();                        // until "Sel": KeyboardLayout 0, CurrentMenu 7
void EmitKeyToken(std::string token);       // type, send, latch, change layout or leave
void RepeatVirtKey(int key);                // with the latches; repeats while RepeatArmed
