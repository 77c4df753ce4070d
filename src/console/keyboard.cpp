// The console's key queue, message pumping, timed delay, caret and line input.
#include "console/ObCrt.h"
#include "console/logic/keys_tables.h"
#include "seam/seam.h"
#include <cstdlib>

unsigned char KeyQueue[64];
int KeyCount = 0;
bool HasFocus = false;
bool WaitingForKey = false;
bool BreakEnabled = true;

static bool KeyHeld(int virtualKey) { return GetKeyState(virtualKey) < 0; }

void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) ConsoleHalt();
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool KeyWaiting() {
  ConsoleEnsureOpen();
  PumpMessages();
  return KeyCount > 0;
}

void Delay(uint16_t ms) { DelayUntil(SeamNowMs() + ms); }

void DelayUntil(int64_t deadlineMs) {
  SeamSleepUntil(deadlineMs);
  KeyWaiting();
}

void ConsoleHalt() {
  if (HasFocus && WaitingForKey) CaretOff();
  // exit() must not run twice: once the end handler runs, the process just ends.
  if (ConsoleEnding) ExitProcess(255);
  std::exit(255);
}

void CaretOn() {
  CreateCaret(ConsoleWindow, nullptr, CharWidth, 2);
  SetCaretPos(WriteCol * CharWidth, WriteRow * CharHeight + CharAscent);
  ShowCaret(ConsoleWindow);
}

void CaretOff() { DestroyCaret(); }

static void WaitForKey() {
  WaitingForKey = true;
  if (HasFocus) CaretOn();
  while (!KeyWaiting()) SeamWaitMessage();
  if (HasFocus) CaretOff();
  WaitingForKey = false;
}

unsigned char ReadKeyChar() {
  if (!KeyWaiting()) WaitForKey();
  return TakeOldest(KeyQueue, KeyCount);
}

static void EchoLineAction(LineAction action, unsigned char byte) {
  if (action == LineAction::Store) WriteChar(byte);
  if (action == LineAction::EraseLast) WriteChar(8);
}

uint16_t ReadLine(unsigned char* buffer, uint16_t capacity) {
  uint16_t count = 0;
  for (;;) {
    unsigned char byte = ReadKeyChar();
    LineAction action = LineEditStep(buffer, capacity, count, byte);
    if (action == LineAction::End) break;
    EchoLineAction(action, byte);
  }
  buffer[count] = 13;
  buffer[count + 1] = 10;
  WriteChar(13);
  WriteChar(10);
  return count + 2;
}

void OnCharMessage(unsigned char ch) {
  int byte = CharMessageByte(ch, KeyHeld(VK_CONTROL), BrailleMode != 0);
  if (byte >= 0) QueueByte(KeyQueue, KeyCount, static_cast<unsigned char>(byte));
}

bool KeyRepeated(LPARAM keyFlags) { return (keyFlags & (1 << 30)) != 0; }

// Alt held: the Braille mode keys with Ctrl, else Alt+letter or Alt+digit. False for any
// other key, which goes on as if Alt were up (Ctrl+Alt+Up gives Ctrl+Up's code). A mode key
// held down steps the mode once, not once per repeat.
static bool OnAltKeyDown(unsigned char key, bool ctrl, bool repeat) {
  if (ctrl && key == VK_F12) {
    if (!repeat) SetBrailleMode(0);
    return true;
  }
  if (ctrl && key == VK_F11) {
    if (!repeat) SetBrailleMode(BrailleMode + 1);
    return true;
  }
  unsigned char code = AltKeyCode(key);
  if (code == 0) return false;
  QueuePair(KeyQueue, KeyCount, code);
  return true;
}

bool OnKeyDown(unsigned char key, bool repeat) {
  if (BreakEnabled && key == VK_CANCEL) ConsoleHalt();
  bool alt = KeyHeld(VK_MENU), ctrl = KeyHeld(VK_CONTROL);
  if (alt && OnAltKeyDown(key, ctrl, repeat)) return true;
  if (!ctrl && BrailleMode != 0 && ChordKeyDown(key)) return true;
  unsigned char code = ExtendedKeyCode(key, ctrl, KeyHeld(VK_SHIFT));
  if (code != 0) QueuePair(KeyQueue, KeyCount, code);
  return true;
}

bool OnKeyUp(unsigned char key) { return BrailleMode != 0 && ChordKeyUp(key); }

void OnSetFocus() {
  HasFocus = true;
  if (WaitingForKey) CaretOn();
}

// Key-ups now go to another window: a chord key held now would stay down here for ever and
// hold up every later chord, so the half-made chord is dropped.
void OnKillFocus() {
  if (WaitingForKey) CaretOff();
  HasFocus = false;
  ChordDots = 0;
  ChordKeysDown = 0;
}
