// Stand-ins for the console's tick and message pump and the shared Threshold, until the
// console window links on its own: a tick sleeps through the seam and dispatches messages.
#include <windows.h>
#include <cstdint>
#include <map>
#include <string>

#include "console/ObCrt.h"
#include "seam/seam.h"

int32_t Threshold = 30;
HWND ConsoleWindow = nullptr;

int PumpCount = 0;

void PumpMessages() {
  ++PumpCount;
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

void Delay(uint16_t ms) { DelayUntil(SeamNowMs() + ms); }

void DelayUntil(int64_t deadlineMs) {
  SeamSleepUntil(deadlineMs);
  PumpMessages();
}

// The settings file as the test writes it: "section/key" to the text it gives.
std::map<std::string, std::string> TestSettings;

std::string ReadSetting(const char* section, const char* key, const char* fallback) {
  auto found = TestSettings.find(std::string(section) + "/" + key);
  return found == TestSettings.end() ? fallback : found->second;
}
