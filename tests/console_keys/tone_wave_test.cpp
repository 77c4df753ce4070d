// The tone buffers, byte for byte: header fields, square-wave levels, the closing level.
#include "console/logic/tone_wave.h"
#include <gtest/gtest.h>
#include <cstring>

static uint32_t Get32(const std::vector<uint8_t>& w, size_t at) {
  return w[at] | (w[at + 1] << 8) | (w[at + 2] << 16) | (uint32_t(w[at + 3]) << 24);
}
static uint16_t Get16(const std::vector<uint8_t>& w, size_t at) { return w[at] | (w[at + 1] << 8); }

TEST(ToneWave, DataLengthsAtTheAnnouncementFrequencies) {
  EXPECT_EQ(ToneDataLength(100), 10914u);
  EXPECT_EQ(ToneDataLength(400), 10969u);
  EXPECT_EQ(ToneDataLength(800), 10969u);
  EXPECT_EQ(ToneDataLength(1600), 10976u);
}

TEST(ToneWave, HeaderFields) {
  for (uint16_t f : {100, 400, 800, 1600}) {
    std::vector<uint8_t> w = BuildToneWave(f);
    ASSERT_EQ(w.size(), 11071u);
    uint32_t length = ToneDataLength(f);
    EXPECT_EQ(std::memcmp(w.data(), "RIFF", 4), 0);
    EXPECT_EQ(Get32(w, 4), length + 36);
    EXPECT_EQ(std::memcmp(w.data() + 8, "WAVEfmt ", 8), 0);
    EXPECT_EQ(Get32(w, 16), 16u);
    EXPECT_EQ(Get16(w, 20), 1);
    EXPECT_EQ(Get16(w, 22), 1);
    EXPECT_EQ(Get32(w, 24), 11025u);
    EXPECT_EQ(Get32(w, 28), 11025u);
    EXPECT_EQ(Get16(w, 32), 1);
    EXPECT_EQ(Get16(w, 34), 8);
    EXPECT_EQ(std::memcmp(w.data() + 36, "data", 4), 0);
    EXPECT_EQ(Get32(w, 40), length);
  }
}

// Expected sample at data offset i, computed period by period from the period starts.
static uint8_t ExpectedSample(uint16_t f, uint32_t i) {
  uint32_t j = 0;
  while ((j + 1) * 11025 / f <= i) j++;
  uint32_t start = j * 11025 / f;
  return (i - start < 11025 / f / 2) ? 96 : 160;
}

TEST(ToneWave, SquareWaveLowHalfFirstEndingOnSilence) {
  for (uint16_t f : {100, 400, 800, 1600}) {
    std::vector<uint8_t> w = BuildToneWave(f);
    uint32_t length = ToneDataLength(f);
    for (uint32_t i = 0; i + 1 < length; i++)
      ASSERT_EQ(w[44 + i], ExpectedSample(f, i)) << f << " Hz at " << i;
    EXPECT_EQ(w[44 + length - 1], 128);
    for (size_t i = 44 + length; i < w.size(); i++) ASSERT_EQ(w[i], 0);
  }
  std::vector<uint8_t> w = BuildToneWave(100);
  EXPECT_EQ(w[44], 96);
  EXPECT_EQ(w[44 + 54], 96);
  EXPECT_EQ(w[44 + 55], 160);
  EXPECT_EQ(w[44 + 110], 96);  // second period starts at 110
}

TEST(ToneWave, FrequenciesOutsideOneTo11025BuildNothing) {
  EXPECT_TRUE(BuildToneWave(0).empty());
  EXPECT_TRUE(BuildToneWave(11026).empty());
  EXPECT_TRUE(BuildToneWave(65535).empty());
  std::vector<uint8_t> top = BuildToneWave(11025);  // one sample per period: stays in buffer
  ASSERT_EQ(top.size(), 11071u);
  EXPECT_LE(Get32(top, 40) + 44, 11071u);
  EXPECT_TRUE(BuildToneWave(1).empty());  // no whole period fits: the header stays intact
  std::vector<uint8_t> low = BuildToneWave(2);
  ASSERT_EQ(low.size(), 11071u);
  EXPECT_GT(Get32(low, 40), 0u);
}
