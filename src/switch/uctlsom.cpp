// The switch: a sound peak above Threshold or Ctrl held, polled once a Delay(100) tick.
#include "switch/uctlsom.h"

#include "console/ObCrt.h"
#include "scanning/core/uvars.h"
#include "switch/logic/capture_math.h"
#include "switch/seam.h"
#include "switch/uaudio.h"

unsigned char SampleArea[2048];

namespace {
// Peak of every buffer filled since the last poll. A ring whose buffers would not fit in
// SampleArea is never read, so its sound cannot fire the switch.
int DrainPeak() {
  int peak = 0;
  while (BufferBytes <= sizeof SampleArea && CaptureReady()) {
    peak = SamplePeak(SampleArea, CaptureRead(SampleArea), peak);
    PumpMessages();
  }
  return peak;
}
}  // namespace

bool SwitchPressed() {
  PumpMessages();
  if (DrainPeak() > Threshold) return true;
  return SeamCtrlHeld();
}

bool QuietFor(int32_t ms) {
  for (int32_t tick = TicksOf(ms); tick > 0; --tick) {
    Delay(100);
    if (SwitchPressed()) return false;
  }
  return true;
}

bool WaitQuiet() {
  int count = 3;
  while (count > 0) {
    Delay(100);
    if (!SwitchPressed()) --count;
  }
  return SwitchPressed();
}

MMRESULT StopListening() { return CaptureClose(); }
