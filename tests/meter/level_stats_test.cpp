// The meter's statistics on tick counts: a poll's peak need not arrive at every tick, as
// when the capture ring is late with a buffer.
#include <gtest/gtest.h>

#include "meter/logic/level_stats.h"

namespace {

// Peaks heard on every other tick of [from, to).
void Hear(LevelStats& stats, int32_t from, int32_t to, int peak) {
  for (int32_t tick = from; tick < to; tick += 2) HearPeak(stats, tick, peak);
}

// A clap: one loud poll, one fading, then quiet again at the noise.
void Clap(LevelStats& stats, int32_t at, int peak, int noise) {
  HearPeak(stats, at, peak);
  HearPeak(stats, at + 2, peak / 2);
  HearPeak(stats, at + 4, noise);
}

TEST(RoomNoise, IsTheLoudestQuietPeakOfTheLastTenSecondsAndIsKnownAfterTen) {
  LevelStats stats;
  EXPECT_EQ(RoomNoise(stats, 0), -1);
  EXPECT_EQ(NoiseSecondsLeft(stats, 0), 10);
  HearPeak(stats, 4, 30);  // the first peak is the room, however loud
  Hear(stats, 6, 104, 5);
  EXPECT_EQ(NoiseSecondsLeft(stats, 95), 1);
  EXPECT_FALSE(NoiseKnown(stats, 103));
  EXPECT_EQ(RoomNoise(stats, 103), 30);
  HearPeak(stats, 104, 5);
  EXPECT_TRUE(NoiseKnown(stats, 104));
  EXPECT_EQ(RoomNoise(stats, 104), 5) << "the peak of tick 4 is 10 s old";
  EXPECT_EQ(RoomNoise(stats, 300), -1) << "nothing heard for 10 s";
  EXPECT_FALSE(NoiseKnown(stats, 300));
}

TEST(LoudSounds, AreShortRunsFarAboveTheNoiseAndNeverCountAsNoise) {
  EXPECT_EQ(LoudLevel(0), 8);
  EXPECT_EQ(LoudLevel(20), 40);
  LevelStats stats;
  Hear(stats, 0, 100, 20);
  HearPeak(stats, 100, 40);  // at the loud level: still the room
  EXPECT_EQ(stats.soundCount, 0);
  EXPECT_EQ(RoomNoise(stats, 100), 40);
  Hear(stats, 102, 210, 20);  // the 40 goes out of the window
  HearPeak(stats, 210, 41);
  HearPeak(stats, 212, 100);  // one sound over three polls: its peak is the loudest,
  HearPeak(stats, 214, 25);   // and its tail is not the room's noise
  HearPeak(stats, 216, 24);
  ASSERT_EQ(stats.soundCount, 1);
  EXPECT_EQ(stats.sounds[0], 100);
  EXPECT_EQ(RoomNoise(stats, 214), 20);
  EXPECT_EQ(RoomNoise(stats, 216), 24);
  EXPECT_EQ(stats.lastPeak, 24);
}

TEST(LoudSounds, TheLastThreeAreKeptNewestFirst) {
  LevelStats stats;
  Hear(stats, 0, 100, 10);
  int32_t tick = 100;
  for (int peak : {90, 127, 110, 95}) Clap(stats, tick += 10, peak, 10);
  ASSERT_EQ(stats.soundCount, 3);
  EXPECT_EQ(stats.sounds[0], 95);
  EXPECT_EQ(stats.sounds[1], 110);
  EXPECT_EQ(stats.sounds[2], 127);
  EXPECT_EQ(SoftestSound(stats), 95);
}

TEST(LoudSounds, ARunLongerThanTwoSecondsIsTheRoomGettingLouder) {
  LevelStats stats;
  Hear(stats, 0, 100, 5);
  Hear(stats, 100, 100 + LongestSoundTicks + 2, 25);
  Hear(stats, 122, 130, 25);
  EXPECT_EQ(stats.soundCount, 0);
  EXPECT_EQ(RoomNoise(stats, 130), 25);
  HearPeak(stats, 132, 50);  // 25 is the room now: 50 is not loud above it
  HearPeak(stats, 134, 25);
  EXPECT_EQ(stats.soundCount, 0);
}

TEST(Suggestion, NoneUntilBothTheNoiseAndASoundAreKnown) {
  LevelStats stats;
  Hear(stats, 0, 40, 20);
  Clap(stats, 40, 100, 20);  // a sound, but only 4.4 s of the room so far
  Hear(stats, 46, 99, 20);
  EXPECT_EQ(SuggestedThreshold(stats, 99), -1);
  EXPECT_EQ(SuggestedThreshold(stats, 100), 60);
  LevelStats quiet;
  Hear(quiet, 0, 200, 20);
  EXPECT_EQ(SuggestedThreshold(quiet, 200), -1) << "no sound heard";
}

TEST(Suggestion, LiesStrictlyBetweenTheNoiseAndTheSoftestSound) {
  for (int noise = 0; noise <= 63; ++noise) {
    for (int peak = LoudLevel(noise) + 1; peak <= PeakCeiling; peak += 3) {
      LevelStats stats;
      Hear(stats, 0, 100, noise);
      Clap(stats, 100, peak, noise);
      int suggestion = SuggestedThreshold(stats, 110);
      ASSERT_GT(suggestion, noise) << "noise " << noise << ", sound " << peak;
      ASSERT_LT(suggestion, peak) << "noise " << noise << ", sound " << peak;
    }
  }
}

TEST(Suggestion, NoneWhenTheRoomHasGrownAsLoudAsTheSounds) {
  LevelStats stats;
  Hear(stats, 0, 100, 10);
  Clap(stats, 100, 50, 10);
  EXPECT_EQ(SuggestedThreshold(stats, 110), 30);
  Hear(stats, 110, 140, 49);  // a loud fan switched on: after 2 s it is the room
  EXPECT_EQ(RoomNoise(stats, 140), 49);
  EXPECT_EQ(SuggestedThreshold(stats, 140), -1);
}

}  // namespace
