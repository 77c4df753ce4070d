// The level meter: listens to the default microphone exactly as the panel does and shows,
// on its own console window, the peaks, the room's noise, the user's loud sounds and a
// threshold between them. Knows nothing of menus or scanning.
#pragma once
#include <cstdint>

#include "meter/logic/level_stats.h"
#include "meter/logic/level_view.h"

extern LevelStats MeterStats;       // everything heard so far
extern int32_t MeterTick;           // ticks since the start
extern int32_t SilentTicks;         // ticks in a row that brought no buffer
extern bool TypedGiven;             // a threshold was given on the command line
extern int32_t TypedThreshold;      // that threshold, marked on the bar
extern bool TimingPage;             // the reaction-time page shows ("/tempo", or the key T)
extern bool PromptsPage;            // the page that records the panel's prompts (the key G)

void TakeMeterArguments();          // a first argument that is a whole number is the mark; /tempo
void OpenMicrophone();              // the panel's capture ring: 11025 Hz, 8 bits, mono, its buffers
// Drain every filled buffer into MeterStats; a microphone missing or silent for seconds is
// opened again, as the panel's switch does.
void ListenOnce();
void ShowMeter();                   // redraw the rows that changed, and the caption
void RunMeterTick();                // one Delay(100) tick: listen, take keys, show
int NivelMain();                    // runs until the window is closed, which ends with 0
