#include "meter/logic/level_stats.h"

#include <algorithm>

namespace {

HeardTick& SlotOf(LevelStats& stats, int32_t tick) {
  int slot = static_cast<int>(tick % NoiseWindowTicks);
  return stats.window[slot < 0 ? slot + NoiseWindowTicks : slot];
}

// Tick differences in 64 bits: any two 32-bit ticks may be compared.
int64_t Since(int32_t earlier, int32_t now) { return static_cast<int64_t>(now) - earlier; }

bool InWindow(const HeardTick& heard, int32_t now) {
  int64_t age = Since(heard.tick, now);
  return heard.tick >= 0 && age >= 0 && age < NoiseWindowTicks;
}

void Keep(LevelStats& stats, int32_t tick, int peak, bool loud) {
  HeardTick& slot = SlotOf(stats, tick);
  if (slot.tick == tick) {
    slot.peak = std::max(slot.peak, peak);
    slot.loud = slot.loud || loud;
  } else {
    slot = HeardTick{tick, peak, loud};
  }
}

void RememberSound(LevelStats& stats, int peak) {
  std::copy_backward(stats.sounds, stats.sounds + RememberedSounds - 1,
                     stats.sounds + RememberedSounds);
  stats.sounds[0] = peak;
  stats.soundCount = std::min(stats.soundCount + 1, RememberedSounds);
}

// The room itself got louder: the run's peaks are noise after all.
void GiveBackToNoise(LevelStats& stats, int32_t from) {
  for (HeardTick& heard : stats.window)
    if (heard.tick >= from) heard.loud = false;
  stats.inSound = false;
}

void HearLoud(LevelStats& stats, int32_t tick, int peak) {
  if (!stats.inSound) {
    stats.inSound = true;
    stats.soundStart = tick;
    stats.soundPeak = 0;
  }
  stats.soundPeak = std::max(stats.soundPeak, peak);
  Keep(stats, tick, peak, true);
  if (Since(stats.soundStart, tick) >= LongestSoundTicks) GiveBackToNoise(stats, stats.soundStart);
}

void HearQuiet(LevelStats& stats, int32_t tick, int peak) {
  if (stats.inSound) {
    RememberSound(stats, stats.soundPeak);
    stats.inSound = false;
  }
  Keep(stats, tick, peak, false);
}

}  // namespace

int LoudLevel(int noise) { return noise + std::max(LoudMargin, noise); }

void HearPeak(LevelStats& stats, int32_t tick, int peak) {
  peak = std::clamp(peak, 0, PeakCeiling);
  if (!stats.heardAny) {
    stats.heardAny = true;
    stats.listeningSince = tick;
  }
  stats.lastPeak = peak;
  // With no quiet peak to compare with, what is heard first is taken for the room.
  int noise = RoomNoise(stats, tick);
  int loudAbove = stats.inSound ? noise + SettleMargin : LoudLevel(noise);
  if (noise >= 0 && peak > loudAbove)
    HearLoud(stats, tick, peak);
  else
    HearQuiet(stats, tick, peak);
}

int RoomNoise(const LevelStats& stats, int32_t now) {
  int noise = -1;
  for (const HeardTick& heard : stats.window)
    if (!heard.loud && InWindow(heard, now)) noise = std::max(noise, heard.peak);
  return noise;
}

bool NoiseKnown(const LevelStats& stats, int32_t now) {
  return NoiseSecondsLeft(stats, now) == 0 && RoomNoise(stats, now) >= 0;
}

int NoiseSecondsLeft(const LevelStats& stats, int32_t now) {
  if (!stats.heardAny) return NoiseWindowTicks / 10;
  int64_t left = NoiseWindowTicks - Since(stats.listeningSince, now);
  if (left <= 0) return 0;
  return static_cast<int>(std::min<int64_t>((left + 9) / 10, NoiseWindowTicks / 10));
}

int SoftestSound(const LevelStats& stats) {
  if (stats.soundCount == 0) return -1;
  return *std::min_element(stats.sounds, stats.sounds + stats.soundCount);
}

int SuggestedThreshold(const LevelStats& stats, int32_t now) {
  int softest = SoftestSound(stats);
  if (softest < 0 || !NoiseKnown(stats, now)) return -1;
  int noise = RoomNoise(stats, now);
  if (softest - noise < 2) return -1;
  return noise + (softest - noise) / 2;
}
