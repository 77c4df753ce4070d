// Switch detector: a sound peak above Threshold or the Ctrl key held, polled once a tick,
// and the timed waits built on it. All time is counted in Delay(100) ticks; a capture
// that brings no buffer for some seconds of polls is opened again.
#pragma once
#include <cstddef>
#include <cstdint>
#include <windows.h>

extern unsigned char SampleArea[2048];  // each captured buffer is copied here
extern int32_t SilentPolls;             // polls in a row that brought no buffer

int SamplePeak(const unsigned char* samples, size_t count, int peak);  // max of peak and |b-128|
int DrainPeak();                        // peak of every buffer filled since the last poll
bool SwitchPressed();                   // DrainPeak above Threshold, then Ctrl
bool QuietFor(int32_t ms);              // true when ms/100 ticks pass without the switch
bool WaitQuiet();                       // until three quiet ticks, then one more poll
MMRESULT StopListening();               // CaptureClose
