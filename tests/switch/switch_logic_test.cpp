#include <gtest/gtest.h>

#include "switch/logic/capture_math.h"

TEST(SamplePeak, MagnitudeIsLopsidedAroundSilence) {
  const unsigned char low[] = {128, 0, 128};
  const unsigned char high[] = {128, 255, 128};
  EXPECT_EQ(SamplePeak(low, 3, 0), 128);
  EXPECT_EQ(SamplePeak(high, 3, 0), 127);
  const unsigned char mixed[] = {1, 64, 127, 129, 192, 254};
  EXPECT_EQ(SamplePeak(mixed, 6, 0), 127);
  EXPECT_EQ(SamplePeak(mixed + 1, 1, 0), 64);
  EXPECT_EQ(SamplePeak(mixed + 1, 1, 90), 90);  // an earlier buffer's peak stands
}

TEST(RingArithmetic, IndexWrapsAndCopyStaysInsideTheArea) {
  EXPECT_EQ(NextRingIndex(0), 1);
  EXPECT_EQ(NextRingIndex(7), 8);
  EXPECT_EQ(NextRingIndex(RingSlots - 1), 0);
  EXPECT_EQ(NextRingIndex(INT32_MAX), 0);  // wraps, does not overflow
  EXPECT_EQ(BlockAlign(8, 1), 1);
  EXPECT_EQ(BlockAlign(16, 2), 4);
  EXPECT_EQ(BoundedCopyCount(4096, 2048), 2048u);
  EXPECT_EQ(BoundedCopyCount(100, 2048), 100u);
  EXPECT_EQ(TicksOf(199), 1);
  EXPECT_EQ(TicksOf(99), 0);
  EXPECT_EQ(TicksOf(-150), -1);
}

TEST(RingArithmetic, ReadingGoesRoundToTheNextFilledSlot) {
  EXPECT_EQ(NextFilledSlot(0, 0xFF), 0);
  EXPECT_EQ(NextFilledSlot(3, 0b11110111), 4);  // slot 3 empty
  EXPECT_EQ(NextFilledSlot(6, 0b00000110), 1);  // round past the last slot
  EXPECT_EQ(NextFilledSlot(62, uint64_t{1} << 63), 63);
  EXPECT_EQ(NextFilledSlot(5, 0), 5);           // nothing filled: stays
}
