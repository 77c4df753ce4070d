// Stand-ins for the console's tick and message pump and the shared Threshold, until the
// console window links on its own: a tick sleeps through the seam and dispatches messages.
#include <windows.h>
#include <cstdint>

#include "console/ObCrt.h"
#include "switch/seam.h"

int32_t Threshold = 30;
HWND ConsoleWindow = nullptr;

int PumpCount = 0;

void PumpMessages() {
  ++PumpCount;
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

void Delay(uint16_t ms) {
  SeamSleep(ms);
  PumpMessages();
}
