// A console program that ends abnormally on request: "break" presses Ctrl+Break into its
// own window, "quit" posts a quit message; with "tone" after either, it first presses
// Ctrl+Alt+F11 and ends once the announcement sounds. Exit code 1 means it was not ended;
// 2 that a tone was still owned when the ended caption went up.
#include "console/ObCrt.h"
#include <cstring>

static const char* How = "";

static void SendKey(WORD vk, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof(input));
}

static void Press(WORD vk, WORD modifier1, WORD modifier2 = 0) {
  SendKey(modifier1, false);
  if (modifier2) SendKey(modifier2, false);
  SendKey(vk, false);
  SendKey(vk, true);
  if (modifier2) SendKey(modifier2, true);
  SendKey(modifier1, true);
}

static void End() {
  if (std::strcmp(How, "quit") == 0) PostQuitMessage(0);
  if (std::strcmp(How, "break") == 0) Press(VK_CANCEL, VK_CONTROL);
}

static void CALLBACK EndOnceToneSounds(HWND, UINT, UINT_PTR id, DWORD) {
  if (!ToneBuffer) return;
  KillTimer(nullptr, id);
  End();
}

static LRESULT CALLBACK WatchEndedCaption(int code, WPARAM wParam, LPARAM lParam) {
  auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && call->message == WM_SETTEXT && ConsoleEnding && ToneBuffer)
    ExitProcess(2);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

int main(int argc, char** argv) {
  if (argc > 1) How = argv[1];
  ConsoleInit();
  ClearScreen();
  SetForegroundWindow(ConsoleWindow);
  SetFocus(ConsoleWindow);
  if (argc > 2 && std::strcmp(argv[2], "tone") == 0) {
    SetWindowsHookExA(WH_CALLWNDPROC, WatchEndedCaption, nullptr, GetCurrentThreadId());
    SetTimer(nullptr, 0, 10, EndOnceToneSounds);
    Press(VK_F11, VK_CONTROL, VK_MENU);
  } else {
    End();
  }
  for (int i = 0; i < 50; i++) Delay(100);
  return 1;
}
