// Switch detector: presses of the switch's key, mouse button or controller button and loud
// sounds, each dated by the moment it began, taken once a Delay(100) tick, and the timed waits built on them. A capture that
// brings no buffer for some seconds of polls is opened again.
#pragma once
#include <cstddef>
#include <cstdint>
#include <windows.h>

#include "switch/logic/capture_math.h"
#include "switch/logic/reaction_times.h"
#include "switch/logic/switch_presses.h"

extern unsigned char SampleArea[CaptureBufferBytes];  // each captured buffer is copied here
extern int32_t SilentPolls;             // polls in a row that brought no buffer
extern SwitchFilters Filters;           // the caregiver's filters; all off until read
extern int64_t PressBeganMs;            // when the press that last fired the switch began
PressedBy PressedByLast();              // the switch of that press
extern void (*SwitchPolled)();          // called at every poll, for what the panel shows

int SamplePeak(const unsigned char* samples, size_t count, int peak);  // max of peak and |b-128|
int DrainPeak();                        // peak of every buffer filled since the last poll
bool SwitchPressed();                   // a press began and counts since the last one taken
bool SwitchHeld();                      // Ctrl or a sound is down at the last poll
bool MicrophoneDeaf();                  // 2 s of polls without a buffer of sound
bool DwellFor(int ticks);               // true when a press fired within ticks sleeps and polls
// DwellFor for an item lit as the one before went out: it starts where that dwell ended, so
// items follow one another at the pace set however long drawing them takes.
bool DwellNextItem(int ticks);
bool QuietFor(int32_t ms);              // true when ms/100 ticks pass without a press
bool QuietThrough(int32_t ms);          // QuietFor, then until the sound of its end is in
bool WaitQuiet();                       // until three ticks without press or hold, then a poll
void ForgetPresses();                   // no press, hold or sound kept, as at the start
void ReadSwitchFilters();               // section VARREDURA of the settings file
// Section ACIONADOR: the key, mouse button and controller button that are the switch, with
// the sound at threshold; a value not understood is said in the caption. The seam watches them.
void ReadSwitchChoice(int32_t threshold);
extern void (*SwitchNotice)(const std::string& text);  // says it, when set
int FirstItemExtraTicks();
// An item said aloud stays lit until its prompt has ended (PromptPlaying while it plays,
// NoPrompt without one) and PromptPauseMs more; the sound switch is deaf meanwhile.
extern int64_t (*LitPromptEnd)();
extern int32_t PromptPauseMs;
void DeafenSoundSwitch(int64_t fromMs, int64_t untilMs);  // a sound begun between is no press              // ticks the first item of a scan stays lit longer
MMRESULT StopListening();               // CaptureClose
