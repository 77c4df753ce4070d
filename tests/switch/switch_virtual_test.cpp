// The ring and the switch on virtual time: each buffer fills after about 186 ms.
#include <gtest/gtest.h>

#include "scanning/core/uvars.h"
#include "support/virtual_seam.h"
#include "switch/uaudio.h"
#include "switch/uctlsom.h"
#include "switch/seam.h"

extern int PumpCount;  // PumpMessages calls, counted by the tick stand-in

namespace {
class Switch : public ::testing::Test {
 protected:
  void SetUp() override {
    CaptureClose();
    vt::Reset();
    Threshold = 30;
    SilentPolls = 0;
  }
  void TearDown() override { CaptureClose(); }
  void Open() { ASSERT_EQ(CaptureOpen(11025, 8, 1, 2048), 0); }
  // Ticks of a sleep and a poll until the switch fires or the clock reaches untilMs; the
  // time it fired, or -1.
  static int64_t PollUntilFired(int64_t untilMs) {
    while (vt::NowMs() < untilMs) {
      SeamSleep(100);
      if (SwitchPressed()) return vt::NowMs();
    }
    return -1;
  }
  bool AllEmpty() {
    for (const CaptureSlot& slot : CaptureRing)
      if (slot.header != nullptr || slot.data != nullptr) return false;
    return true;
  }
};

TEST_F(Switch, PeakMustExceedThreshold) {
  Open();
  vt::Sound(0, 150, 128 + 30);
  SeamSleep(200);
  EXPECT_FALSE(SwitchPressed());  // peak 30 equals the threshold
  vt::Sound(200, 150, 128 + 31);
  SeamSleep(200);
  EXPECT_TRUE(SwitchPressed());
}

TEST_F(Switch, ZeroAndNegativeThresholds) {
  Open();
  Threshold = 0;
  SeamSleep(200);
  EXPECT_FALSE(SwitchPressed());  // pure silence
  vt::Sound(200, 10, 129);
  SeamSleep(200);
  EXPECT_TRUE(SwitchPressed());
  Threshold = -1;
  EXPECT_FALSE(CaptureReady());
  EXPECT_TRUE(SwitchPressed());  // no filled buffer, still fires
}

TEST_F(Switch, PollWithoutFilledBufferFiresOnlyOnCtrl) {
  Open();
  vt::Clap(0);
  SeamSleep(100);  // buffer 0 not yet full
  EXPECT_FALSE(SwitchPressed());
  vt::HoldCtrl(100, 150);
  EXPECT_TRUE(SwitchPressed());
  SeamSleep(100);  // Ctrl released before this poll; the clap arrives now
  EXPECT_TRUE(SwitchPressed());
  SeamSleep(400);
  EXPECT_FALSE(SwitchPressed());  // Ctrl was held only in the past
}

TEST_F(Switch, QuietForCountsWholeTicks) {
  Open();
  EXPECT_TRUE(QuietFor(0));
  EXPECT_TRUE(QuietFor(99));
  EXPECT_TRUE(QuietFor(-500));
  EXPECT_EQ(vt::SleepCount(), 0);
  EXPECT_TRUE(QuietFor(199));
  EXPECT_EQ(vt::SleepCount(), 1);
  int64_t start = vt::NowMs();
  vt::HoldCtrl(start + 350, start + 420);  // seen at the fourth tick only
  EXPECT_FALSE(QuietFor(1000));
  EXPECT_EQ(vt::SleepCount(), 5);
}

TEST_F(Switch, WaitQuietSkipsTicksThatFire) {
  Open();
  for (int tick : {1, 3, 5}) vt::HoldCtrl(tick * 100 - 10, tick * 100 + 10);
  WaitQuiet();
  EXPECT_EQ(vt::SleepCount(), 6);
}

TEST_F(Switch, WaitQuietEndsWithOnePollMadeAtOnce) {
  vt::SetNoDevice(true);  // no buffers: each poll dispatches messages exactly once
  CaptureOpen(11025, 8, 1, 2048);
  for (int tick : {1, 3, 5}) vt::HoldCtrl(tick * 100 - 10, tick * 100 + 10);
  PumpCount = 0;
  EXPECT_FALSE(WaitQuiet());
  EXPECT_EQ(vt::NowMs(), 600) << "the final poll has no delay before it";
  EXPECT_EQ(PumpCount, 6 * 2 + 1) << "six ticks of a delay and a poll, then one poll";
}

TEST_F(Switch, WaitQuietDrainsTheSoundOfTheHit) {
  Open();
  vt::Clap(0);  // in buffer 0, complete at 186 ms: the poll of the second tick hears it
  EXPECT_FALSE(WaitQuiet());
  EXPECT_EQ(vt::SleepCount(), 4);
  SeamSleep(600);
  EXPECT_FALSE(SwitchPressed()) << "the clap was left in the ring for the next scan";
}

TEST_F(Switch, OverrunStillYieldsEightBuffersOldestFirst) {
  Open();
  for (int i = 0; i < 8; ++i) vt::Sound(i * 2048 * 1000 / 11025 + 5, 10, static_cast<uint8_t>(i));
  SeamSleep(2500);
  EXPECT_EQ(vt::QueuedBuffers(), 0);
  unsigned char area[2048];
  for (int i = 0; i < 8; ++i) {
    ASSERT_TRUE(CaptureReady()) << i;
    ASSERT_EQ(CaptureRead(area), 2048u);
    EXPECT_EQ(SamplePeak(area, 2048, 0), 128 - i) << "buffer " << i;
  }
  EXPECT_FALSE(CaptureReady());
  EXPECT_EQ(vt::QueuedBuffers(), 8);
}

TEST_F(Switch, ClosedRingNeverWaitsAndCtrlStillWorks) {
  vt::SetNoDevice(true);
  EXPECT_NE(CaptureOpen(11025, 8, 1, 2048), 0);
  EXPECT_EQ(BufferBytes, 2048u);
  EXPECT_FALSE(CaptureReady());
  unsigned char area[2048];
  EXPECT_EQ(CaptureRead(area), 0u);
  EXPECT_EQ(vt::NowMs(), 0);
  vt::HoldCtrl(0, 10);
  EXPECT_TRUE(SwitchPressed());
  int32_t before = RingIndex;
  CaptureClose();
  EXPECT_TRUE(AllEmpty());
  EXPECT_EQ(RingIndex, before);
}

TEST_F(Switch, AnOpenWhoseBlocksCannotBeLockedLeavesEverySlotEmpty) {
  // A movable block of no bytes has no memory behind it: its lock gives no address.
  EXPECT_EQ(CaptureOpen(11025, 8, 1, 0), 0);
  EXPECT_TRUE(AllEmpty());
  EXPECT_EQ(vt::QueuedBuffers(), 0);
  SeamSleep(500);
  EXPECT_FALSE(CaptureReady());
  unsigned char area[2048];
  EXPECT_EQ(CaptureRead(area), 0u);
  EXPECT_EQ(vt::NowMs(), 500) << "a read on the empty ring waited";
  vt::HoldCtrl(500, 600);
  EXPECT_TRUE(SwitchPressed());
}

TEST_F(Switch, BuffersLargerThanTheSampleAreaAreNeverCopiedIntoIt) {
  ASSERT_EQ(CaptureOpen(11025, 8, 1, 4096), 0);
  vt::Sound(0, 3000, 0);
  SeamSleep(1000);
  ASSERT_TRUE(CaptureReady());
  EXPECT_FALSE(SwitchPressed());  // the sound cannot be taken in, so it cannot fire
  EXPECT_EQ(RingIndex, 0);
  vt::HoldCtrl(1000, 1100);
  EXPECT_TRUE(SwitchPressed());
}

TEST_F(Switch, CloseFromMidRingFreesEverySlot) {
  Open();
  SeamSleep(600);
  unsigned char area[2048];
  for (int i = 0; i < 3; ++i) CaptureRead(area);
  ASSERT_EQ(RingIndex, 3);
  CaptureClose();
  EXPECT_TRUE(AllEmpty());
  EXPECT_EQ(RingIndex, 3);
}

TEST_F(Switch, ReadingPassesOverSlotsLeftEmptyAtOpenAndKeepsHearing) {
  Open();
  for (int slot : {3, 4}) {  // as when their blocks could not be had
    CaptureSlot& empty = CaptureRing[slot];
    vt::Unqueue(empty.header);
    GlobalFree(GlobalHandle(empty.data));
    GlobalFree(GlobalHandle(empty.header));
    empty = CaptureSlot{};
  }
  for (int64_t clap : {1500, 3000, 4500}) {
    vt::Clap(clap);
    int64_t fired = PollUntilFired(clap + 1000);
    EXPECT_GT(fired, clap) << "clap at " << clap << " ms not heard";
    EXPECT_LE(fired, clap + 400) << "clap at " << clap << " ms";
    PollUntilFired(clap + 1000);
  }
  EXPECT_EQ(vt::OpenCount(), 1) << "a ring with six slots was taken for a lost device";
}

TEST_F(Switch, AMicrophoneMissingAtStartIsTriedEveryThreeSecondsAndHeardOnceItComes) {
  vt::SetNoDevice(true);
  EXPECT_NE(CaptureOpen(11025, 8, 1, 2048), 0);
  vt::HoldCtrl(4000, 4100);
  EXPECT_EQ(PollUntilFired(9500), 4000) << "Ctrl must work while there is no microphone";
  EXPECT_EQ(PollUntilFired(9500), -1);
  EXPECT_EQ(vt::OpenCount(), 1 + 3) << "tries at start-up, then after 3, 6 and 9 s of polls";
  vt::SetNoDevice(false);
  vt::Clap(13000);
  int64_t fired = PollUntilFired(16000);
  EXPECT_GT(fired, 13000);
  EXPECT_LE(fired, 13400);
  EXPECT_EQ(vt::OpenCount(), 5);
}

TEST_F(Switch, AMicrophoneThatStopsDeliveringIsReopenedAndHeardAgain) {
  Open();
  EXPECT_EQ(PollUntilFired(2000), -1);
  vt::LoseDevice();
  vt::HoldCtrl(5000, 5100);
  EXPECT_EQ(PollUntilFired(6500), 5000) << "Ctrl must work while the microphone is lost";
  EXPECT_EQ(PollUntilFired(6500), -1);
  EXPECT_EQ(vt::OpenCount(), 1) << "five silent seconds must pass before a reopen";
  EXPECT_EQ(PollUntilFired(7500), -1);
  EXPECT_EQ(vt::OpenCount(), 2) << "the lost device was not tried again";
  EXPECT_FALSE(CaptureRunning());
  EXPECT_TRUE(AllEmpty()) << "the lost device's buffers were not given back";
  vt::SetNoDevice(false);  // the source is back: the next try, three seconds on, succeeds
  vt::Clap(11000);
  int64_t fired = PollUntilFired(14000);
  EXPECT_GT(fired, 11000);
  EXPECT_LE(fired, 11400);
  EXPECT_EQ(vt::OpenCount(), 3);
}

TEST_F(Switch, AWorkingMicrophoneIsNeverReopenedInSilenceOrAfterALongGap) {
  Open();
  EXPECT_EQ(PollUntilFired(60000), -1);
  vt::Clap(vt::NowMs() + 500);
  SeamSleep(10000);  // no poll for ten seconds: the ring overruns
  EXPECT_TRUE(SwitchPressed()) << "the eight buffers of the gap were not read";
  EXPECT_EQ(PollUntilFired(vt::NowMs() + 10000), -1);
  EXPECT_EQ(vt::OpenCount(), 1);
  EXPECT_TRUE(CaptureRunning());
}
}  // namespace
