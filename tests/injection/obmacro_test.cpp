// The mouse macros and key senders as seen by the playback library: which lists they
// build, how they wait for each replay, and when the key repeat stops.
#include <gtest/gtest.h>

#include "injection/obmacro.h"
#include "support/playback_recorder.h"
#include "support/virtual_seam.h"
#include "switch/uctlsom.h"
#include "seam/seam.h"
#include "switch/uaudio.h"

namespace {

using Calls = std::vector<PlayCall>;

struct Replay {          // one list: its PlayInit size, its appends, and the polls after it
  unsigned size = 0;
  Calls events;
  int polls = 0;
};

// Splits the recording into lists; fails the test on a call outside the Init..Start shape.
std::vector<Replay> Replays() {
  std::vector<Replay> replays;
  bool open = false;
  for (const PlayCall& call : PlayCalls) {
    if (call.name == "PlayInit") {
      EXPECT_FALSE(open) << "a list begun before the last was started\n" << DescribePlayCalls();
      replays.push_back({call.args.at(0), {}, 0});
      open = true;
    } else if (call.name == "PlayStart") {
      EXPECT_TRUE(open) << DescribePlayCalls();
      open = false;
    } else if (call.name == "PlayIsActive") {
      EXPECT_FALSE(open || replays.empty()) << DescribePlayCalls();
      if (!replays.empty()) ++replays.back().polls;
    } else {
      EXPECT_TRUE(open) << "an event outside a list\n" << DescribePlayCalls();
      if (!replays.empty()) replays.back().events.push_back(call);
    }
  }
  EXPECT_FALSE(open) << "a list never started\n" << DescribePlayCalls();
  return replays;
}

PlayCall Mouse(unsigned message, unsigned x, unsigned y, unsigned delay) {
  return {"PlayMouse", {message, x, y, delay}};
}
PlayCall KeyEvent(unsigned message, unsigned key, unsigned delay) {
  return {"PlayInsertKeyEvent", {message, key, delay}};
}
PlayCall VirtKey(unsigned key, unsigned shift, unsigned alt, unsigned delay) {
  return {"PlayVirtKey", {key, 0, shift, alt, delay}};
}

class MouseMacros : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearPlayCalls();
    PlayActivePolls = 3;
    vt::Reset();
    ForgetPresses();
  }
  // Every list of a mouse action has size 30 and is waited for until the library says
  // the replay has ended: the three active polls and the one that answers false.
  void ExpectEachListWaitedFor(const std::vector<Replay>& replays) {
    for (const Replay& replay : replays) {
      EXPECT_EQ(replay.size, 30u);
      EXPECT_EQ(replay.polls, PlayActivePolls + 1) << DescribePlayCalls();
    }
  }
};

}  // namespace

TEST_F(MouseMacros, MovingTheMouseIsOneReplayOfOneMove) {
  MoveMouseTo(300, 200);
  auto replays = Replays();
  ASSERT_EQ(replays.size(), 1u);
  EXPECT_EQ(replays[0].events, Calls{Mouse(0x200, 300, 200, 10)});
  ExpectEachListWaitedFor(replays);
}

TEST_F(MouseMacros, AClickIsMovePressAndReleaseEachReplayedToItsEnd) {
  ClickAt(640, 480);
  auto replays = Replays();
  ASSERT_EQ(replays.size(), 3u) << DescribePlayCalls();
  EXPECT_EQ(replays[0].events, Calls{Mouse(0x200, 640, 480, 10)});
  EXPECT_EQ(replays[1].events, Calls{Mouse(0x201, 640, 480, 10)});
  EXPECT_EQ(replays[2].events, Calls{Mouse(0x202, 640, 480, 10)});
  ExpectEachListWaitedFor(replays);
}

TEST_F(MouseMacros, ARightClickUsesTheRightButtonInThreeReplays) {
  RightClickAt(12, 34);
  auto replays = Replays();
  ASSERT_EQ(replays.size(), 3u) << DescribePlayCalls();
  EXPECT_EQ(replays[0].events, Calls{Mouse(0x200, 12, 34, 10)});
  EXPECT_EQ(replays[1].events, Calls{Mouse(0x204, 12, 34, 10)});
  EXPECT_EQ(replays[2].events, Calls{Mouse(0x205, 12, 34, 10)});
  ExpectEachListWaitedFor(replays);
}

TEST_F(MouseMacros, ADoubleClickKeepsBothClicksInOneReplayAfterTheMove) {
  DoubleClickAt(100, 700);
  auto replays = Replays();
  ASSERT_EQ(replays.size(), 2u) << DescribePlayCalls();
  EXPECT_EQ(replays[0].events, Calls{Mouse(0x200, 100, 700, 10)});
  Calls clicks{Mouse(0x201, 100, 700, 20), Mouse(0x202, 100, 700, 20),
               Mouse(0x201, 100, 700, 20), Mouse(0x202, 100, 700, 20)};
  EXPECT_EQ(replays[1].events, clicks);
  ExpectEachListWaitedFor(replays);
}

TEST_F(MouseMacros, AShiftClickHoldsShiftFromBeforeThePressToAfterTheRelease) {
  ShiftClickAt(50, 60);
  auto replays = Replays();
  ASSERT_EQ(replays.size(), 2u) << DescribePlayCalls();
  EXPECT_EQ(replays[0].events, Calls{Mouse(0x200, 50, 60, 10)});
  Calls held{KeyEvent(0x100, 0x10, 20), Mouse(0x201, 50, 60, 20), Mouse(0x202, 50, 60, 20),
             KeyEvent(0x101, 0x10, 20)};
  EXPECT_EQ(replays[1].events, held);
  ExpectEachListWaitedFor(replays);
}

TEST_F(MouseMacros, ACtrlClickHoldsCtrlTheSameWay) {
  CtrlClickAt(1023, 767);
  auto replays = Replays();
  ASSERT_EQ(replays.size(), 2u) << DescribePlayCalls();
  Calls held{KeyEvent(0x100, 0x11, 20), Mouse(0x201, 1023, 767, 20),
             Mouse(0x202, 1023, 767, 20), KeyEvent(0x101, 0x11, 20)};
  EXPECT_EQ(replays[1].events, held);
  ExpectEachListWaitedFor(replays);
}

TEST_F(MouseMacros, AReplayThatEndsAtOnceIsPolledOnlyOnce) {
  PlayActivePolls = 0;
  ClickAt(1, 2);
  auto replays = Replays();
  ASSERT_EQ(replays.size(), 3u);
  for (const Replay& replay : replays) EXPECT_EQ(replay.polls, 1);
}

TEST_F(MouseMacros, ALongReplayIsWaitedForHoweverManyPollsItTakes) {
  PlayActivePolls = 5000;
  DoubleClickAt(5, 5);
  auto replays = Replays();
  ASSERT_EQ(replays.size(), 2u);
  EXPECT_EQ(replays[1].polls, 5001);
}

// Key senders run on virtual time with the real switch: no capture device is open, so the
// switch is the scripted Ctrl key, and a quiet second is ten ticks of 100 ms.
class KeySenders : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearPlayCalls();
    PlayActivePolls = 3;
    vt::Reset();
    ForgetPresses();
    vt::SetNoDevice(true);
    CaptureOpen(CaptureRate, 8, 1, CaptureBufferBytes);  // fails: the switch is Ctrl alone
  }
  static int Count(const char* name) {
    int n = 0;
    for (const PlayCall& call : PlayCalls) n += call.name == name;
    return n;
  }
};

TEST_F(KeySenders, AltF4IsOneShortListStartedWithoutWaiting) {
  SendVirtKey(0x73, false, true, 100);
  Calls expected{{"PlayInit", {10}}, VirtKey(0x73, 0, 1, 100), {"PlayStart", {}}};
  EXPECT_EQ(PlayCalls, expected) << DescribePlayCalls();
}

TEST_F(KeySenders, ShiftHomeCarriesTheShiftFlagAndNeverCtrl) {
  SendVirtKey(0x24, true, false, 100);
  Calls expected{{"PlayInit", {10}}, VirtKey(0x24, 1, 0, 100), {"PlayStart", {}}};
  EXPECT_EQ(PlayCalls, expected) << DescribePlayCalls();
}

TEST_F(KeySenders, AltTabKeepsItsLongerDelay) {
  SendVirtKey(0x09, false, true, 500);
  ASSERT_EQ(PlayCalls.size(), 3u);
  EXPECT_EQ(PlayCalls[1], VirtKey(0x09, 0, 1, 500));
}

TEST_F(KeySenders, RepeatedTabSendsOneKeyPerQuietSecondUntilTheSwitch) {
  vt::HoldCtrl(3450, 3550);  // seen at the poll of 3.5 s, in the fourth second
  RepeatKeyUntilSwitch(0x09, false, 10);
  Calls oneKey{{"PlayInit", {10}}, VirtKey(0x09, 0, 0, 10), {"PlayStart", {}}};
  Calls expected;
  for (int i = 0; i < 3; ++i) expected.insert(expected.end(), oneKey.begin(), oneKey.end());
  EXPECT_EQ(PlayCalls, expected) << DescribePlayCalls();
  EXPECT_EQ(vt::NowMs(), 3500);  // the repeat ends at the poll that saw the switch
  EXPECT_EQ(vt::SleepCount(), 35);
}

TEST_F(KeySenders, EachKeyFollowsAFullQuietSecond) {
  std::vector<int64_t> sentAt;
  size_t starts = 0;
  vt::OnSleep([&](int64_t now) {
    size_t n = static_cast<size_t>(Count("PlayStart"));
    for (; starts < n; ++starts) sentAt.push_back(now - 100);  // sent after the last poll
  });
  vt::HoldCtrl(2950, 3050);
  RepeatKeyUntilSwitch(0x27, false, 1000);
  EXPECT_EQ(sentAt, (std::vector<int64_t>{1000, 2000}));
  EXPECT_EQ(vt::NowMs(), 3000);  // the third second's last poll saw the switch: no third key
}

TEST_F(KeySenders, ASwitchWithinTheFirstSecondSendsNothing) {
  vt::HoldCtrl(900, 1000);
  RepeatKeyUntilSwitch(0x27, false, 1000);
  EXPECT_TRUE(PlayCalls.empty()) << DescribePlayCalls();
  EXPECT_EQ(vt::NowMs(), 900);
}

TEST_F(KeySenders, ATapBetweenTwoPollsStopsTheRepeatAtTheNextPoll) {
  vt::HoldCtrl(1520, 1550);  // down and up again between two ticks of the second second
  RepeatKeyUntilSwitch(0x09, false, 10);
  EXPECT_EQ(Count("PlayStart"), 1) << DescribePlayCalls();
  EXPECT_EQ(vt::NowMs(), 1600);
}

TEST_F(KeySenders, ShiftTabRepeatsWithShiftHeldEachTime) {
  vt::HoldCtrl(2500, 2600);
  RepeatKeyUntilSwitch(0x09, true, 10);
  ASSERT_EQ(PlayCalls.size(), 6u) << DescribePlayCalls();
  EXPECT_EQ(PlayCalls[1], VirtKey(0x09, 1, 0, 10));
  EXPECT_EQ(PlayCalls[4], VirtKey(0x09, 1, 0, 10));
}

// Ctrl is also the switch: what was chosen with it still held goes out once it is let go,
// so a click of menu 2 or a menu key reaches the target without that Ctrl.
TEST_F(KeySenders, NothingStartsWhileTheSwitchsCtrlIsHeld) {
  std::vector<int64_t> startedAt;
  OnPlayStart = [&] {
    EXPECT_FALSE(SeamCtrlHeld()) << "a list started with Ctrl down at " << vt::NowMs();
    startedAt.push_back(vt::NowMs());
  };
  vt::HoldCtrl(0, 350);
  DoubleClickAt(10, 20);
  vt::HoldCtrl(vt::NowMs(), vt::NowMs() + 150);
  ShiftClickAt(10, 20);
  vt::HoldCtrl(vt::NowMs(), vt::NowMs() + 50);
  SendVirtKey(0x22, false, false, 100);
  EXPECT_EQ(startedAt, (std::vector<int64_t>{400, 400, 600, 600, 700}));
  Calls shiftOnly{KeyEvent(0x100, 0x10, 20), Mouse(0x201, 10, 20, 20), Mouse(0x202, 10, 20, 20),
                  KeyEvent(0x101, 0x10, 20)};
  EXPECT_EQ(Replays()[3].events, shiftOnly);
}

TEST_F(KeySenders, ArrowRepeatsStartEachListWithoutWaitingForTheLastReplay) {
  PlayActivePolls = 1000;   // the previous arrow is still replaying
  vt::HoldCtrl(2500, 2600);
  RepeatKeyUntilSwitch(0x28, false, 1000);
  EXPECT_EQ(Count("PlayIsActive"), 0) << DescribePlayCalls();
  ASSERT_EQ(PlayCalls.size(), 6u);
  EXPECT_EQ(PlayCalls[4], VirtKey(0x28, 0, 0, 1000));
}
