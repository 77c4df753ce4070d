// The switch: a sound peak above Threshold or Ctrl held, polled once a Delay(100) tick.
// The poll also keeps the microphone coming back: a device that cannot be opened, or that
// stops returning buffers (unplugged, its sound service restarted), is opened again every
// few seconds of polls until sound flows, quietly.
#include "switch/uctlsom.h"

#include "console/ObCrt.h"
#include "scanning/core/uvars.h"
#include "switch/logic/capture_math.h"
#include "switch/seam.h"
#include "switch/uaudio.h"

unsigned char SampleArea[2048];
int32_t SilentPolls = 0;

// A ring whose buffers would not fit in SampleArea is never read, so its sound cannot fire
// the switch.
int DrainPeak() {
  int peak = 0;
  bool delivered = false;
  while (BufferBytes <= sizeof SampleArea && CaptureReady()) {
    peak = SamplePeak(SampleArea, CaptureRead(SampleArea), peak);
    delivered = true;
    PumpMessages();
  }
  if (ReopenDue(SilentPolls, delivered, CaptureRunning())) CaptureReopen();
  return peak;
}

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
