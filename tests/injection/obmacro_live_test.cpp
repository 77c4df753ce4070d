// The mouse macros and key senders driving the real playback library: what a program
// window under the cursor receives from each whole action.
#include <gtest/gtest.h>
#include <windows.h>

#include "injection/obkbm32.h"
#include "injection/obmacro.h"
#include "recording_window.h"

namespace {

int Count(UINT message) {
  int n = 0;
  for (const Seen& seen : Received) n += seen.message == message;
  return n;
}

class LiveMacros : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { CreateRecordingWindow(true); }
  static void TearDownTestSuite() { DestroyWindow(Window); }
  void SetUp() override { FocusRecordingWindow(); }
};

}  // namespace

TEST_F(LiveMacros, MovingTheMouseLeavesTheCursorOnThePointWhenItReturns) {
  MoveMouseTo(333, 222);
  POINT cursor{};
  GetCursorPos(&cursor);
  EXPECT_EQ(cursor.x, 333);
  EXPECT_EQ(cursor.y, 222);
  EXPECT_FALSE(PlayIsActive() & 0xFF);
}

TEST_F(LiveMacros, AClickReachesTheWindowAtThePointAndHasEndedOnReturn) {
  POINT p = ScreenPoint(200, 150);
  ClickAt(p.x, p.y);
  EXPECT_FALSE(PlayIsActive() & 0xFF);
  PumpFor(300);
  const Seen* down = First(WM_LBUTTONDOWN);
  ASSERT_TRUE(down && First(WM_LBUTTONUP));
  EXPECT_EQ(down->client.x, 200);
  EXPECT_EQ(down->client.y, 150);
  EXPECT_EQ(Count(WM_LBUTTONDOWN), 1);
}

TEST_F(LiveMacros, ADoubleClickIsSeenAsADoubleClick) {
  PumpFor(600);   // keep it apart from any earlier click
  Received.clear();
  POINT p = ScreenPoint(60, 70);
  DoubleClickAt(p.x, p.y);
  PumpFor(300);
  EXPECT_EQ(Count(WM_LBUTTONDBLCLK), 1);
  EXPECT_EQ(Count(WM_LBUTTONUP), 2);
}

TEST_F(LiveMacros, ARightClickPressesTheRightButton) {
  POINT p = ScreenPoint(400, 300);
  RightClickAt(p.x, p.y);
  PumpFor(300);
  EXPECT_EQ(Count(WM_RBUTTONDOWN), 1);
  EXPECT_EQ(Count(WM_RBUTTONUP), 1);
  EXPECT_EQ(Count(WM_LBUTTONDOWN), 0);
}

TEST_F(LiveMacros, ShiftAndCtrlClicksCarryTheirModifierAndReleaseIt) {
  PumpFor(600);
  POINT p = ScreenPoint(100, 100);
  ShiftClickAt(p.x, p.y);
  PumpFor(600);
  CtrlClickAt(p.x + 50, p.y);
  PumpFor(300);
  std::vector<WPARAM> presses;
  for (const Seen& seen : Received)
    if (seen.message == WM_LBUTTONDOWN) presses.push_back(seen.wParam);
  ASSERT_EQ(presses.size(), 2u);
  EXPECT_TRUE(presses[0] & MK_SHIFT);
  EXPECT_FALSE(presses[0] & MK_CONTROL);
  EXPECT_TRUE(presses[1] & MK_CONTROL);
  EXPECT_FALSE(presses[1] & MK_SHIFT);
  EXPECT_FALSE(Held(VK_SHIFT) || Held(VK_CONTROL));
}

TEST_F(LiveMacros, ShiftHomeArrivesWithShiftHeldAndReturnsBeforeTheReplayEnds) {
  SendVirtKey(VK_HOME, true, false, 100);
  ASSERT_TRUE(PumpUntilReplayEnds());
  const Seen* key = First(WM_KEYDOWN, VK_HOME);
  ASSERT_TRUE(key);
  EXPECT_TRUE(key->shift);
  EXPECT_FALSE(key->ctrl || key->alt);
}
