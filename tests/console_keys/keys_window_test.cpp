// Real key presses into the focused console window: the queue holds what a typist meant.
#include "console/ObCrt.h"
#include "console/logic/tone_wave.h"
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>

namespace {

void SendKey(WORD vk, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof(input));
}

void Settle() {
  for (int i = 0; i < 6; i++) Delay(20);
}

// Presses key with the given modifiers held, releasing all in reverse order; the console
// sees it at its next pump.
void Tap(WORD vk, const std::vector<WORD>& modifiers = {}) {
  for (WORD m : modifiers) SendKey(m, false);
  SendKey(vk, false);
  SendKey(vk, true);
  for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m) SendKey(*m, true);
}

void Press(WORD vk, const std::vector<WORD>& modifiers = {}) {
  Tap(vk, modifiers);
  Settle();
}

void Type(const std::string& letters) {
  for (char c : letters) Press(static_cast<WORD>(c >= 'a' && c <= 'z' ? c - 32 : c));
}

std::vector<uint8_t> Queued() { return std::vector<uint8_t>(KeyQueue, KeyQueue + KeyCount); }

class ConsoleKeysWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearScreen();
    SetForegroundWindow(ConsoleWindow);
    SetFocus(ConsoleWindow);
    Settle();
    KeyCount = 0;
    BrailleMode = 0;
    BreakEnabled = true;
  }
};

using Bytes = std::vector<uint8_t>;

TEST_F(ConsoleKeysWindow, TypedCharactersAndCtrlVariants) {
  Press('A');
  Press(VK_RETURN);
  Press(VK_RETURN, {VK_CONTROL});
  Press(VK_BACK, {VK_CONTROL});
  Press(VK_BACK);
  EXPECT_EQ(Queued(), (Bytes{'a', 13, 10, 127, 8}));
}

TEST_F(ConsoleKeysWindow, SpecialKeysQueueZeroAndTheirCode) {
  Press(VK_F1);
  Press(VK_INSERT, {VK_SHIFT});
  Press(VK_INSERT, {VK_CONTROL});
  Press(VK_DELETE, {VK_CONTROL});
  Press(VK_F11, {VK_CONTROL});
  EXPECT_EQ(Queued(), (Bytes{0, 59, 0, 254, 0, 255, 0, 83, 0, 104}));
}

TEST_F(ConsoleKeysWindow, AltLettersReachTheQueueOnlyOnceBreakIsOff) {
  Press('A', {VK_MENU});
  EXPECT_EQ(Queued(), Bytes{});
  BreakEnabled = false;
  Press('A', {VK_MENU});
  Press('1', {VK_MENU});
  EXPECT_EQ(Queued(), (Bytes{0, 30, 0, 120}));
}

TEST_F(ConsoleKeysWindow, CtrlAltSpecialKeysQueueTheCtrlCodeAndAltAloneThePlainOne) {
  const std::vector<WORD> ctrlAlt = {VK_CONTROL, VK_MENU};
  for (WORD vk : {VK_F1, VK_F9, VK_INSERT, VK_DELETE, VK_HOME, VK_END, VK_PRIOR, VK_NEXT,
                  VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT})
    Press(vk, ctrlAlt);
  Press(VK_INSERT, {VK_SHIFT, VK_CONTROL, VK_MENU});
  EXPECT_EQ(Queued(), (Bytes{0, 94,  0, 102, 0, 255, 0, 83,  0, 119, 0, 117, 0, 132,
                             0, 118, 0, 113, 0, 114, 0, 115, 0, 116, 0, 255}));
  KeyCount = 0;
  // System keys (Alt without Ctrl, and F10) are the platform's until the program has ended.
  Press(VK_F1, {VK_MENU});
  Press(VK_F10, ctrlAlt);
  Press(VK_UP, {VK_CONTROL});
  BreakEnabled = false;
  Press(VK_F1, {VK_MENU});
  Press(VK_F10, ctrlAlt);
  Press(VK_UP, {VK_MENU});
  EXPECT_EQ(Queued(), (Bytes{0, 113, 0, 59, 0, 103, 0, 72}));
}

TEST_F(ConsoleKeysWindow, With63QueuedACharacterFitsAndAnArrowIsDropped) {
  for (int i = 0; i < 63; i++) KeyQueue[i] = 'z';
  KeyCount = 63;
  Press(VK_UP);
  EXPECT_EQ(KeyCount, 63);
  Press('X');
  EXPECT_EQ(KeyCount, 64);
  EXPECT_EQ(KeyQueue[63], 'x');
  Press('Y');
  EXPECT_EQ(KeyCount, 64);
  EXPECT_EQ(KeyQueue[63], 'x');
}

TEST_F(ConsoleKeysWindow, ReadKeyCharWithKeysQueuedReturnsAtOnceWithoutCaret) {
  Type("qw");
  EXPECT_EQ(ReadKeyChar(), 'q');
  EXPECT_FALSE(WaitingForKey);
  EXPECT_EQ(ReadKeyChar(), 'w');
  EXPECT_EQ(KeyCount, 0);
}

struct WaitSeen {
  bool waiting = false;
  HWND caret = nullptr;
};
WaitSeen SeenDuringWait;

HWND CaretWindow() {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  GetGUIThreadInfo(GetCurrentThreadId(), &info);
  return info.hwndCaret;
}

// Fires inside ReadKeyChar's wait: notes the caret, then the typist presses "k".
void CALLBACK PressDuringWait(HWND window, UINT, UINT_PTR id, DWORD) {
  KillTimer(window, id);
  SeenDuringWait = {WaitingForKey, CaretWindow()};
  SendKey('K', false);
  SendKey('K', true);
}

TEST_F(ConsoleKeysWindow, ReadKeyCharWaitsWithTheCaretAndRemovesItAfter) {
  SeenDuringWait = {};
  SetTimer(ConsoleWindow, 1, 100, PressDuringWait);
  EXPECT_EQ(ReadKeyChar(), 'k');
  EXPECT_TRUE(SeenDuringWait.waiting);
  EXPECT_EQ(SeenDuringWait.caret, ConsoleWindow);
  EXPECT_FALSE(WaitingForKey);
  EXPECT_EQ(CaretWindow(), nullptr);
}

std::string Line(uint16_t capacity = 128) {
  unsigned char buffer[128];
  uint16_t n = ReadLine(buffer, capacity);
  return std::string(reinterpret_cast<char*>(buffer), n);
}

TEST_F(ConsoleKeysWindow, ReadLineEditsWithBackspace) {
  Type("12x");
  Press(VK_BACK);
  Type("3");
  Press(VK_RETURN);
  EXPECT_EQ(Line(), "123\r\n");
}

TEST_F(ConsoleKeysWindow, ReadLineCtrlEnterDoesNotEndAndSpecialKeysTypeSecondByte) {
  Type("a");
  Press(VK_RETURN, {VK_CONTROL});
  Press(VK_F1);
  Type("b");
  Press(VK_RETURN);
  EXPECT_EQ(Line(), "a;b\r\n");
}

TEST_F(ConsoleKeysWindow, ReadLineFullLineDropsKeysButEnterEnds) {
  Type("abcdefghij");
  Press(VK_RETURN);
  EXPECT_EQ(Line(8), "abcdef\r\n");  // capacity 8 holds 6 characters, as 128 holds 126
}

// The frequency of the tone now looping, told by its wave; 0 for silence.
int PlayingTone() {
  if (!ToneBuffer) return 0;
  for (int frequency : {100, 400, 800, 1600})
    if (std::memcmp(ToneBuffer, BuildToneWave(frequency).data(), ToneBufferSize) == 0)
      return frequency;
  return -1;
}

std::vector<int> TonesHeard;

// A thread timer is due at every pump of an announcement's 200 ms delays, so it hears
// each tone at least once.
void CALLBACK NoteTone(HWND, UINT, UINT_PTR, DWORD) {
  int tone = PlayingTone();
  if (tone != 0 && (TonesHeard.empty() || TonesHeard.back() != tone)) TonesHeard.push_back(tone);
}

std::vector<int> TonesOf(void (*typist)()) {
  TonesHeard.clear();
  UINT_PTR timer = SetTimer(nullptr, 0, 10, NoteTone);
  typist();
  Settle();
  KillTimer(nullptr, timer);
  return TonesHeard;
}

void TapModeKeys(std::vector<WORD> keys) {
  for (WORD vk : keys) Tap(vk, {VK_CONTROL, VK_MENU});
}

TEST_F(ConsoleKeysWindow, ModeKeysStepOncePerPressAndAnnounceInTurn) {
  // A second press during the first announcement: on, then signs, each heard whole.
  EXPECT_EQ(TonesOf([] { TapModeKeys({VK_F11, VK_F11}); }), (std::vector<int>{800, 1600, 800, 400}));
  EXPECT_EQ(BrailleMode, 2);
  // Off, then two steps while off sounds: the mode goes 0, 1, 2; the overtaken 1 is not played.
  EXPECT_EQ(TonesOf([] { TapModeKeys({VK_F12, VK_F11, VK_F11}); }), (std::vector<int>{100, 800, 400}));
  EXPECT_EQ(BrailleMode, 2);
  // Held down, the key repeats; it is still one press.
  std::vector<int> tones = TonesOf([] {
    SendKey(VK_CONTROL, false);
    SendKey(VK_MENU, false);
    for (int i = 0; i < 4; i++) SendKey(VK_F11, false);
    SendKey(VK_F11, true);
    SendKey(VK_MENU, true);
    SendKey(VK_CONTROL, true);
  });
  EXPECT_EQ(tones, (std::vector<int>{800, 1600}));
  EXPECT_EQ(BrailleMode, 1);
  EXPECT_EQ(Queued(), Bytes{});
}

TEST_F(ConsoleKeysWindow, BrailleChordsFromRealKeys) {
  Press(VK_F11, {VK_CONTROL, VK_MENU});
  EXPECT_EQ(BrailleMode, 1);
  SendKey('F', false);
  SendKey('D', false);
  SendKey('F', true);
  SendKey('K', false);
  SendKey('D', true);
  SendKey('K', true);
  Settle();
  SendKey('F', false);
  SendKey('J', false);
  SendKey('J', true);
  SendKey('F', true);
  Settle();
  Type("5");
  EXPECT_EQ(Queued(), (Bytes{'h', 'c', '5'}));
  Press(VK_F12, {VK_CONTROL, VK_MENU});
  EXPECT_EQ(BrailleMode, 0);
  Type("f");
  EXPECT_EQ(Queued(), (Bytes{'h', 'c', '5', 'f'}));
}

void FocusOn(HWND window) {
  SetForegroundWindow(window);
  SetFocus(window);
  Settle();
}

TEST_F(ConsoleKeysWindow, AChordKeyReleasedInAnotherWindowHoldsUpNoLaterChord) {
  BrailleMode = 1;
  HWND other = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                               nullptr, nullptr, nullptr, nullptr);
  FocusOn(ConsoleWindow);
  SendKey('F', false);
  Settle();
  FocusOn(other);
  SendKey('F', true);
  Settle();
  FocusOn(ConsoleWindow);
  SendKey('D', false);
  SendKey('J', false);
  SendKey('J', true);
  SendKey('D', true);
  Settle();
  EXPECT_EQ(Queued(), Bytes{'i'});  // dots 2-4 alone: the half-made chord is forgotten
  DestroyWindow(other);
}

}  // namespace
