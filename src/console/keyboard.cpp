// The console's key queue, message pumping, timed delay and line input.
// Plain behaviour for now: no key tables and no Braille.
#include "console/ObCrt.h"
#include "switch/seam.h"
#include <cstdlib>
#include <cstring>

unsigned char KeyQueue[64];
int KeyCount = 0;
bool HasFocus = false;
bool WaitingForKey = false;
bool BreakEnabled = true;

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) ConsoleHalt();
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

bool KeyWaiting() {
  ConsoleEnsureOpen();
  PumpMessages();
  return KeyCount > 0;
}

void Delay(uint16_t ms) {
  SeamSleep(ms);
  KeyWaiting();
}

void ConsoleHalt() { std::exit(255); }

void CaretOn() {}
void CaretOff() {}

unsigned char ReadKeyChar() {
  while (!KeyWaiting()) WaitMessage();
  unsigned char first = KeyQueue[0];
  KeyCount--;
  std::memmove(KeyQueue, KeyQueue + 1, KeyCount);
  return first;
}

uint16_t ReadLine(unsigned char* buffer, uint16_t capacity) {
  uint16_t count = 0;
  for (unsigned char c = ReadKeyChar(); c != 13; c = ReadKeyChar()) {
    if (c == 8 && count > 0) {
      count--;
      WriteChar(8);
    } else if (c >= 32 && count + 2 < capacity) {
      buffer[count++] = c;
      WriteChar(c);
    }
  }
  buffer[count] = 13;
  buffer[count + 1] = 10;
  WriteChar(13);
  WriteChar(10);
  return count + 2;
}

void OnCharMessage(unsigned char ch) {
  if (KeyCount < 64) KeyQueue[KeyCount++] = ch;
}
bool OnKeyDown(unsigned char) { return true; }
bool OnKeyUp(unsigned char) { return false; }
void OnSetFocus() { HasFocus = true; }
void OnKillFocus() { HasFocus = false; }
