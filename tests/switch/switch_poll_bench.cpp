// Benchmark (not a test): one SwitchPressed poll draining a full ring, on virtual time.
#include <windows.h>

#include <chrono>
#include <cstdio>

#include "support/virtual_seam.h"
#include "seam/seam.h"
#include "switch/uaudio.h"
#include "switch/uctlsom.h"

int main() {
  constexpr int kRounds = 2000;
  CaptureOpen(CaptureRate, 8, 1, CaptureBufferBytes);
  vt::Sound(0, 1000LL * 3600 * 24, 200);  // one steady tone for the whole run
  double totalUs = 0;
  int fired = 0;
  for (int round = 0; round < kRounds; ++round) {
    SeamSleep(1900);  // every buffer full
    auto start = std::chrono::steady_clock::now();
    fired += SwitchPressed();
    totalUs += std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
  }
  std::printf("one poll over a full ring: %.2f us (mean of %d), %d fired\n",
              totalUs / kRounds, kRounds, fired);
  return 0;
}
