// Switch detector: a sound peak above Threshold or the Ctrl key held, polled once a tick,
// and the timed waits built on it. All time is counted in Delay(100) ticks.
#pragma once
#include <cstddef>
#include <cstdint>
#include <windows.h>

extern unsigned char SampleArea[2048];  // each captured buffer is copied here

int SamplePeak(const unsigned char* samples, size_t count, int peak);  // max of peak and |b-128|
bool SwitchPressed();                   // drain every filled buffer; sound, then Ctrl
bool QuietFor(int32_t ms);              // true when ms/100 ticks pass without the switch
bool WaitQuiet();                       // until three quiet ticks, then one more poll
MMRESULT StopListening();               // CaptureClose
