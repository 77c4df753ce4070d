// What the level meter learns from the peaks it hears: the room's noise, the user's loud
// sounds and a threshold between the two. Time is a count of 100 ms ticks handed in by the
// caller; no clock, no window, no device.
#pragma once
#include <cstdint>

constexpr int NoiseWindowTicks = 100;   // the room's noise is the loudest quiet peak of 10 s
constexpr int LongestSoundTicks = 20;   // loud for longer than 2 s is the room, not the user
constexpr int LoudMargin = 8;           // a sound stands at least this far above the noise
constexpr int SettleMargin = 4;         // and lasts until it is back within this of it
constexpr int RememberedSounds = 3;     // the user's last few sounds
constexpr int PeakCeiling = 128;        // the largest sample magnitude

// One tick's peak as the noise window keeps it.
struct HeardTick {
  int32_t tick = -1;  // -1: nothing heard in this slot yet
  int peak = 0;
  bool loud = false;  // part of a loud sound, so not the room's noise
};

struct LevelStats {
  HeardTick window[NoiseWindowTicks];  // slot tick mod NoiseWindowTicks
  bool heardAny = false;
  int32_t listeningSince = 0;          // tick of the first peak heard
  int lastPeak = 0;                    // the latest peak heard
  bool inSound = false;                // a loud sound is going on
  int32_t soundStart = 0;              // its first tick
  int soundPeak = 0;                   // its loudest peak so far
  int sounds[RememberedSounds] = {};   // peaks of the last sounds, newest first
  int soundCount = 0;                  // how many of them are known
};

// A sound starts with a peak that exceeds the noise by the margin and by the noise itself,
// so a louder room needs a louder sound: 8 above silence, 40 above a noise of 20. Its fading
// tail is still the sound, not the room, until a peak is back near the noise.
int LoudLevel(int noise);

// The peak heard by the poll at tick (0..128; outside values are clamped). Polls that found
// no sound are simply not reported. A loud run that ends within LongestSoundTicks becomes
// one of the user's sounds; a longer one is given back to the noise.
void HearPeak(LevelStats& stats, int32_t tick, int peak);

// Loudest quiet peak of the ticks after now - NoiseWindowTicks; -1 when none.
int RoomNoise(const LevelStats& stats, int32_t now);
// The noise is known once a whole window has been heard and it holds a quiet peak.
bool NoiseKnown(const LevelStats& stats, int32_t now);
// Seconds still to listen before the noise is known (0 when it is).
int NoiseSecondsLeft(const LevelStats& stats, int32_t now);
// The quietest of the remembered sounds; -1 when there is none.
int SoftestSound(const LevelStats& stats);
// Halfway between the noise and the softest sound, so the noise never exceeds it and every
// remembered sound does; -1 until both are known or when no whole number lies between.
int SuggestedThreshold(const LevelStats& stats, int32_t now);
