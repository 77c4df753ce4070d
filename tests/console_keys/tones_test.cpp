// Tones played from memory: one buffer at a time, freed on stop, nothing for odd frequencies.
#include "console/ObCrt.h"
#include <gtest/gtest.h>
#include <cstring>

static uint32_t DataLength(const unsigned char* buffer) {
  uint32_t value;
  std::memcpy(&value, buffer + 40, 4);
  return value;
}

TEST(ConsoleTones, StartingAToneReplacesThePreviousOne) {
  ToneStart(800);
  ASSERT_NE(ToneBuffer, nullptr);
  EXPECT_EQ(std::memcmp(ToneBuffer, "RIFF", 4), 0);
  EXPECT_EQ(DataLength(ToneBuffer), 10969u);
  ToneStart(1600);
  ASSERT_NE(ToneBuffer, nullptr);
  EXPECT_EQ(DataLength(ToneBuffer), 10976u);
  ToneStop();
  EXPECT_EQ(ToneBuffer, nullptr);
  ToneStop();  // a second stop does nothing
  EXPECT_EQ(ToneBuffer, nullptr);
}

TEST(ConsoleTones, ZeroAndTooHighFrequenciesStopAndPlayNothing) {
  ToneStart(100);
  ASSERT_NE(ToneBuffer, nullptr);
  ToneStart(0);
  EXPECT_EQ(ToneBuffer, nullptr);
  ToneStart(11026);
  EXPECT_EQ(ToneBuffer, nullptr);
  ToneStart(11025);
  ASSERT_NE(ToneBuffer, nullptr);
  EXPECT_LE(DataLength(ToneBuffer) + 44, 11071u);
  ToneStop();
}
