// A console program that ends abnormally on request: "break" presses Ctrl+Break into its
// own window, "quit" posts a quit message. Exit code 1 means it was not ended.
#include "console/ObCrt.h"
#include <cstring>

static void SendKey(WORD vk, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof(input));
}

int main(int argc, char** argv) {
  ConsoleInit();
  ClearScreen();
  SetForegroundWindow(ConsoleWindow);
  SetFocus(ConsoleWindow);
  if (argc > 1 && std::strcmp(argv[1], "quit") == 0) PostQuitMessage(0);
  if (argc > 1 && std::strcmp(argv[1], "break") == 0) {
    SendKey(VK_CONTROL, false);
    SendKey(VK_CANCEL, false);
    SendKey(VK_CANCEL, true);
    SendKey(VK_CONTROL, true);
  }
  for (int i = 0; i < 50; i++) Delay(100);
  return 1;
}
