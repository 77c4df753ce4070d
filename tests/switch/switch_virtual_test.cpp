// The ring and the switch on virtual time: each buffer fills after about 29 ms.
#include <gtest/gtest.h>

#include "scanning/core/uvars.h"
#include "support/virtual_seam.h"
#include "switch/uaudio.h"
#include "switch/uctlsom.h"
#include "seam/seam.h"

#include <map>
#include <string>

extern int PumpCount;  // PumpMessages calls, counted by the tick stand-in
extern std::map<std::string, std::string> TestSettings;

namespace {
class Switch : public ::testing::Test {
 protected:
  void SetUp() override {
    CaptureClose();
    vt::Reset();
    ForgetPresses();
    Threshold = 30;
    SilentPolls = 0;
    Filters = SwitchFilters{};
  }
  void TearDown() override { CaptureClose(); }
  void Open() { ASSERT_EQ(CaptureOpen(CaptureRate, 8, 1, CaptureBufferBytes), 0); }
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
}

// Each press is taken once, at the first poll after it began, however short it was, and is
// dated by the moment it began; one still held stays one press.
TEST_F(Switch, EveryCtrlPressIsTakenOnceAndDatedByItsStart) {
  Open();
  for (int64_t tap : {20, 30, 40, 1}) {
    const int64_t at = vt::NowMs() + 130;  // between two polls
    vt::HoldCtrl(at, at + tap);
    SeamSleep(100);
    EXPECT_FALSE(SwitchPressed()) << "tap of " << tap << " ms taken before it began";
    SeamSleep(100);
    ASSERT_TRUE(SwitchPressed()) << "tap of " << tap << " ms lost";
    EXPECT_EQ(PressBeganMs, at);
    EXPECT_FALSE(SwitchHeld());
    SeamSleep(100);
    EXPECT_FALSE(SwitchPressed()) << "tap of " << tap << " ms taken twice";
  }
  const int64_t held = vt::NowMs() + 50;
  vt::HoldCtrl(held, held + 450);
  int presses = 0;
  for (int tick = 0; tick < 6; ++tick) {
    SeamSleep(100);
    presses += SwitchPressed();
    EXPECT_EQ(SwitchHeld(), vt::NowMs() < held + 450) << vt::NowMs();
  }
  EXPECT_EQ(presses, 1) << "a held press fired more than once";
}

// Ctrl and a mouse-button switch together: the button pressed while Ctrl is held is part of
// the same press, which tempos.csv says Ctrl made; the button alone later is a press of its
// own, said to be the mouse's.
TEST_F(Switch, APressOfOneSwitchWhileAnotherIsDownIsPartOfTheSamePress) {
  Open();
  vt::HoldCtrl(1000, 1400);
  vt::Hold(SwitchInput::Mouse, 1200, 1600);
  vt::Hold(SwitchInput::Mouse, 2030, 2070);
  EXPECT_EQ(PollUntilFired(1900), 1000);
  EXPECT_EQ(PressedByLast(), PressedBy::Ctrl);
  EXPECT_EQ(PollUntilFired(1900), -1) << "the button held with Ctrl made a second press";
  EXPECT_EQ(PollUntilFired(2500), 2100);
  EXPECT_EQ(PressBeganMs, 2030);
  EXPECT_EQ(PressedByLast(), PressedBy::Mouse);
}

// A sound is read a buffer at a time, yet dated to its first loud sample.
TEST_F(Switch, ASoundIsDatedByItsFirstLoudSample) {
  Open();
  for (int64_t at : {1250, 2010, 2999}) {
    vt::Sound(at, 60, 255);
    while (vt::NowMs() < at + 300) {
      SeamSleep(100);
      if (SwitchPressed()) break;
    }
    // By the first poll after the buffer holding its start is full.
    EXPECT_LE(vt::NowMs(), at + 100 + 30) << "sound at " << at << " heard late";
    EXPECT_NEAR(static_cast<double>(PressBeganMs), static_cast<double>(at), 1.0);
    SeamSleep(300);
    EXPECT_FALSE(SwitchPressed()) << "one sound taken for two presses";
  }
}

// Each filter off, then set: a brush shorter than the shortest press, and a second press
// soon after a choice's release, choose nothing.
TEST_F(Switch, TheFiltersTakeOnlyLongEnoughPressesAndNoneSoonAfterAChoice) {
  Open();
  auto pressedWithin = [](int64_t ms) {
    for (int64_t end = vt::NowMs() + ms; vt::NowMs() < end;) {
      SeamSleep(100);
      if (SwitchPressed()) return true;
    }
    return false;
  };
  for (int32_t shortest : {0, 150}) {
    WaitQuiet();
    Filters.minPressMs = shortest;
    int64_t at = vt::NowMs() + 30;
    vt::HoldCtrl(at, at + 100);
    EXPECT_EQ(pressedWithin(500), shortest == 0) << "Ctrl brush, shortest " << shortest;
    vt::Sound(at = vt::NowMs() + 30, 100, 0);
    EXPECT_EQ(pressedWithin(500), shortest == 0) << "sound brush, shortest " << shortest;
    at = vt::NowMs() + 30;
    vt::HoldCtrl(at, at + 400);
    EXPECT_TRUE(pressedWithin(500)) << "Ctrl press, shortest " << shortest;
    EXPECT_EQ(PressBeganMs, at);
    EXPECT_FALSE(pressedWithin(500));
    vt::Sound(at = vt::NowMs() + 30, 300, 0);
    EXPECT_TRUE(pressedWithin(500)) << "sound press, shortest " << shortest;
    EXPECT_NEAR(static_cast<double>(PressBeganMs), static_cast<double>(at), 1.0);
    EXPECT_FALSE(pressedWithin(500));
  }
  Filters.minPressMs = 0;
  for (int32_t ignored : {0, 400}) {
    WaitQuiet();  // the time after a choice is counted from its release
    Filters.ignoreAfterChoiceMs = ignored;
    const int64_t at = vt::NowMs() + 30;
    vt::HoldCtrl(at, at + 50);          // chooses
    vt::HoldCtrl(at + 300, at + 350);   // begins 250 ms after its release
    vt::Sound(at + 500, 60, 255);       // 450 ms after it
    EXPECT_TRUE(pressedWithin(100));
    EXPECT_EQ(pressedWithin(300), ignored == 0) << "a double hit, ignored " << ignored;
    EXPECT_TRUE(pressedWithin(400)) << "a press after the ignored time, ignored " << ignored;
  }
}

TEST_F(Switch, FiltersAreWholeMillisecondsFromTheSettingsAndBadOnesAreOff) {
  ReadSwitchFilters();
  EXPECT_EQ(Filters.minPressMs + Filters.ignoreAfterChoiceMs + Filters.firstItemExtraMs, 0);
  TestSettings = {{"VARREDURA/TEMPOACIONAMENTO", " 150 "},
                  {"VARREDURA/IGNORAREPETICAO", "300"},
                  {"VARREDURA/PAUSAPRIMEIRO", "1000"}};
  ReadSwitchFilters();
  EXPECT_EQ(Filters.minPressMs, 150);
  EXPECT_EQ(Filters.ignoreAfterChoiceMs, 300);
  EXPECT_EQ(FirstItemExtraTicks(), 10);
  for (const char* bad : {"-5", "abc", "150ms", "", "99999", "1.5"}) {
    TestSettings = {{"VARREDURA/TEMPOACIONAMENTO", bad}};
    ReadSwitchFilters();
    EXPECT_EQ(Filters.minPressMs, 0) << '"' << bad << '"';
  }
  TestSettings.clear();
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
  CaptureOpen(CaptureRate, 8, 1, CaptureBufferBytes);
  for (int tick : {1, 3, 5}) vt::HoldCtrl(tick * 100 - 10, tick * 100 + 10);
  PumpCount = 0;
  EXPECT_FALSE(WaitQuiet());
  EXPECT_EQ(vt::NowMs(), 600) << "the final poll has no delay before it";
  EXPECT_EQ(PumpCount, 6 * 2 + 1) << "six ticks of a delay and a poll, then one poll";
}

TEST_F(Switch, WaitQuietDrainsTheSoundOfTheHit) {
  Open();
  vt::Clap(0);  // heard by the first poll, and still sounding then
  EXPECT_FALSE(WaitQuiet());
  EXPECT_EQ(vt::SleepCount(), 4);
  SeamSleep(600);
  EXPECT_FALSE(SwitchPressed()) << "the clap was left in the ring for the next scan";
}

TEST_F(Switch, OverrunStillYieldsEveryBufferOldestFirst) {
  Open();
  for (int i = 0; i < RingSlots; ++i)
    vt::Sound(i * CaptureBufferBytes * 1000 / CaptureRate + 5, 10, static_cast<uint8_t>(i));
  SeamSleep(2500);
  EXPECT_EQ(vt::QueuedBuffers(), 0);
  unsigned char area[CaptureBufferBytes];
  for (int i = 0; i < RingSlots; ++i) {
    ASSERT_TRUE(CaptureReady()) << i;
    ASSERT_EQ(CaptureRead(area), CaptureBufferBytes);
    EXPECT_EQ(SamplePeak(area, CaptureBufferBytes, 0), 128 - i) << "buffer " << i;
  }
  EXPECT_FALSE(CaptureReady());
  EXPECT_EQ(vt::QueuedBuffers(), RingSlots);
}

TEST_F(Switch, ClosedRingNeverWaitsAndCtrlStillWorks) {
  vt::SetNoDevice(true);
  EXPECT_NE(CaptureOpen(CaptureRate, 8, 1, CaptureBufferBytes), 0);
  EXPECT_EQ(BufferBytes, CaptureBufferBytes);
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
  EXPECT_NE(CaptureOpen(CaptureRate, 8, 1, CaptureBufferBytes), 0);
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
