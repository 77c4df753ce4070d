// The level meter over arbitrary peaks at arbitrary ticks: the noise, the remembered sounds
// and the suggestion stay in their ranges and in order, and every screen composed from
// them keeps to the screen's cells.
#include <algorithm>
#include <memory>

#include "fuzz_input.h"
#include "meter/logic/level_stats.h"
#include "meter/logic/level_view.h"

namespace {

void CheckStats(const LevelStats& stats, int32_t now) {
  FUZZ_CHECK(stats.soundCount >= 0 && stats.soundCount <= RememberedSounds);
  for (int i = 0; i < stats.soundCount; ++i)
    FUZZ_CHECK(stats.sounds[i] >= 0 && stats.sounds[i] <= PeakCeiling);
  int noise = RoomNoise(stats, now);
  FUZZ_CHECK(noise >= -1 && noise <= PeakCeiling);
  int left = NoiseSecondsLeft(stats, now);
  FUZZ_CHECK(left >= 0 && left <= NoiseWindowTicks / 10);
  int suggestion = SuggestedThreshold(stats, now);
  if (suggestion < 0) return;
  FUZZ_CHECK(noise >= 0 && noise < suggestion && NoiseKnown(stats, now));
  for (int i = 0; i < stats.soundCount; ++i) FUZZ_CHECK(stats.sounds[i] > suggestion);
}

void CheckScreen(FuzzInput& in, const LevelStats& stats, int32_t now) {
  bool typedGiven = in.Flag();
  int typed = in.Flag() ? in.Int() : static_cast<int>(in.InRange(-5, 140));
  MeterReading reading = ReadMeter(stats, now, in.Flag(), typedGiven, typed);
  FUZZ_CHECK(FilledCells(reading.peak) >= 0 && FilledCells(reading.peak) <= BarCells);
  if (HasMark(reading)) {
    int cell = MarkCell(MarkedThreshold(reading));
    FUZZ_CHECK(cell >= 0 && cell < BarCells);
    FUZZ_CHECK(WouldFire(reading) == (reading.peak > MarkedThreshold(reading)));
  }
  FUZZ_CHECK(!MeterCaption(reading).empty());
  auto screen = std::make_unique<MeterScreen>();  // exact size, so a stray cell is caught
  ComposeMeterScreen(reading, *screen);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  LevelStats stats;
  int32_t tick = in.Flag() ? in.Int() : 0;
  while (!in.Empty()) {
    switch (in.Byte() % 4) {
      case 0:
      case 1: {
        // Mostly the poll's own order: ticks going forward, peaks in range.
        int64_t next = int64_t{tick} + in.Byte() % 25;
        if (next <= INT32_MAX) tick = static_cast<int32_t>(next);
        HearPeak(stats, tick, in.Byte() % 140);
        break;
      }
      case 2: HearPeak(stats, in.Int(), in.Int()); break;
      default: CheckScreen(in, stats, tick);
    }
    CheckStats(stats, tick);
  }
  return 0;
}
