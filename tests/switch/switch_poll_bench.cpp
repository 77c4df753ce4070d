// Benchmark (not a test): one SwitchPressed poll draining eight full buffers, on virtual time.
#include <windows.h>

#include <chrono>
#include <cstdio>

#include "support/virtual_seam.h"
#include "switch/seam.h"
#include "switch/uaudio.h"
#include "switch/uctlsom.h"

int main() {
  constexpr int kRounds = 2000;
  CaptureOpen(11025, 8, 1, 2048);
  vt::Sound(0, 1000LL * 3600 * 24, 200);  // one steady tone for the whole run
  double totalUs = 0;
  int fired = 0;
  for (int round = 0; round < kRounds; ++round) {
    SeamSleep(1600);  // all eight buffers full
    auto start = std::chrono::steady_clock::now();
    fired += SwitchPressed();
    totalUs += std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
  }
  std::printf("one poll over eight full buffers: %.2f us (mean of %d), %d fired\n",
              totalUs / kRounds, kRounds, fired);
  return 0;
}
