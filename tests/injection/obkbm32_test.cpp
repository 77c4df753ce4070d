// The real playback library under the platform: a focused test window records what its
// window procedure receives while lists are replayed.
#include <gtest/gtest.h>
#include <windows.h>

#include "injection/obkbm32.h"
#include "recording_window.h"

class PlaybackLibrary : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { CreateRecordingWindow(false); }
  static void TearDownTestSuite() { DestroyWindow(Window); }
  void SetUp() override { FocusRecordingWindow(); }
};

TEST_F(PlaybackLibrary, AClickArrivesAsPressAndReleaseAtThePoint) {
  POINT p = ScreenPoint(120, 80);
  PlayInit(30);
  PlayMouse(WM_MOUSEMOVE, p.x, p.y, 10);
  PlayMouse(WM_LBUTTONDOWN, p.x, p.y, 10);
  PlayMouse(WM_LBUTTONUP, p.x, p.y, 10);
  PlayStart();
  ASSERT_TRUE(PumpUntilReplayEnds());
  const Seen* down = First(WM_LBUTTONDOWN);
  const Seen* up = First(WM_LBUTTONUP);
  ASSERT_TRUE(down && up);
  EXPECT_LT(down, up);
  EXPECT_EQ(down->client.x, 120);
  EXPECT_EQ(down->client.y, 80);
  EXPECT_EQ(up->client.x, 120);
  EXPECT_EQ(up->client.y, 80);
}

TEST_F(PlaybackLibrary, ARightClickAtAnotherPointUsesTheRightButton) {
  POINT p = ScreenPoint(300, 200);
  PlayInit(30);
  PlayMouse(WM_RBUTTONDOWN, p.x, p.y, 10);
  PlayMouse(WM_RBUTTONUP, p.x, p.y, 10);
  PlayStart();
  ASSERT_TRUE(PumpUntilReplayEnds());
  const Seen* down = First(WM_RBUTTONDOWN);
  ASSERT_TRUE(down && First(WM_RBUTTONUP));
  EXPECT_EQ(First(WM_LBUTTONDOWN), nullptr);
  EXPECT_EQ(down->client.x, 300);
  EXPECT_EQ(down->client.y, 200);
}

TEST_F(PlaybackLibrary, ShiftInsertedAroundAClickIsHeldDuringThePress) {
  POINT p = ScreenPoint(50, 60);
  PlayInit(30);
  PlayInsertKeyEvent(WM_KEYDOWN, VK_SHIFT, 20);
  PlayMouse(WM_LBUTTONDOWN, p.x, p.y, 20);
  PlayMouse(WM_LBUTTONUP, p.x, p.y, 20);
  PlayInsertKeyEvent(WM_KEYUP, VK_SHIFT, 20);
  PlayStart();
  ASSERT_TRUE(PumpUntilReplayEnds());
  const Seen* down = First(WM_LBUTTONDOWN);
  ASSERT_TRUE(down);
  EXPECT_TRUE(down->wParam & MK_SHIFT);
  EXPECT_TRUE(down->shift);
  EXPECT_FALSE(Held(VK_SHIFT));
}

TEST_F(PlaybackLibrary, CtrlAndShiftFlaggedOnAVirtualKeyAreHeldAroundItAndReleased) {
  PlayInit(10);
  PlayVirtKey('A', 1, 1, 0, 100);
  PlayStart();
  ASSERT_TRUE(PumpUntilReplayEnds());
  const Seen* key = First(WM_KEYDOWN, 'A');
  ASSERT_TRUE(key);
  EXPECT_TRUE(key->shift);
  EXPECT_TRUE(key->ctrl);
  EXPECT_FALSE(key->alt);
  const Seen* shiftDown = First(WM_KEYDOWN, VK_SHIFT);
  const Seen* ctrlUp = First(WM_KEYUP, VK_CONTROL);
  ASSERT_TRUE(shiftDown && ctrlUp);
  EXPECT_LT(shiftDown, key);
  EXPECT_GT(ctrlUp, key);
  EXPECT_FALSE(Held(VK_SHIFT) || Held(VK_CONTROL));
}

TEST_F(PlaybackLibrary, AnUnflaggedVirtualKeyHoldsNoModifier) {
  PlayInit(10);
  PlayVirtKey(VK_RETURN, 0, 0, 0, 100);
  PlayStart();
  ASSERT_TRUE(PumpUntilReplayEnds());
  const Seen* key = First(WM_KEYDOWN, VK_RETURN);
  ASSERT_TRUE(key);
  EXPECT_FALSE(key->shift || key->ctrl || key->alt);
  EXPECT_TRUE(First(WM_KEYUP, VK_RETURN));
}

TEST_F(PlaybackLibrary, AnAccentedCharacterArrivesAsItsOwnLetter) {
  PlayInit(30);
  PlayKey(static_cast<unsigned char>('\xE1'), 100);   // á
  PlayStart();
  ASSERT_TRUE(PumpUntilReplayEnds());
  EXPECT_EQ(Typed(), std::wstring(L"\u00E1"));
}

TEST_F(PlaybackLibrary, TypedCharactersKeepTheirOrderAndTheCodePageSigns) {
  PlayInit(30);
  for (unsigned char c : std::string("Ol\xE1, \xC7\x80")) PlayKey(c, 20);
  PlayStart();
  ASSERT_TRUE(PumpUntilReplayEnds());
  EXPECT_EQ(Typed(), std::wstring(L"Ol\u00E1, \u00C7\u20AC"));
}

TEST_F(PlaybackLibrary, AReplayIsActiveFromItsStartUntilItsLastEventAndAWaitEndsWithIt) {
  PlayInit(30);
  PlayKey('x', 300);
  PlayStart();
  EXPECT_TRUE(PlayIsActive() & 0xFF);
  EXPECT_EQ(PlayWaitEnd(100), 0u) << "a wait shorter than the pause ended with no replay";
  EXPECT_TRUE(PlayIsActive() & 0xFF);
  const DWORD waitFrom = GetTickCount();
  EXPECT_EQ(PlayWaitEnd(5000), 1u);
  EXPECT_LT(GetTickCount() - waitFrom, 1000u) << "the wait went on past the replay's end";
  ASSERT_TRUE(PumpUntilReplayEnds());
  EXPECT_FALSE(PlayIsActive() & 0xFF);
  EXPECT_EQ(Typed(), L"x");
}

TEST_F(PlaybackLibrary, AListBegunWhileAnotherReplaysIsNotLost) {
  PlayInit(10);
  PlayKey('a', 300);
  PlayKey('b', 300);
  PlayStart();
  PlayInit(10);             // the first list is still replaying
  PlayKey('c', 10);
  PlayStart();
  ASSERT_TRUE(PumpUntilReplayEnds());
  EXPECT_EQ(Typed(), L"abc");
}

TEST_F(PlaybackLibrary, AnAbsurdListSizeIsOnlyAHint) {
  PlayInit(0xFFFFFFFFu);
  PlayKey('k', 10);
  PlayStart();
  ASSERT_TRUE(PumpUntilReplayEnds());
  EXPECT_EQ(Typed(), L"k");
}

TEST_F(PlaybackLibrary, BeginningAListDropsWhatWasAppendedButNeverStarted) {
  PlayInit(10);
  PlayKey('q', 10);
  PlayInit(10);
  PlayKey('r', 10);
  PlayStart();
  ASSERT_TRUE(PumpUntilReplayEnds());
  EXPECT_EQ(Typed(), L"r");
}

TEST_F(PlaybackLibrary, AnEmptyListEndsAndUnknownMessagesAreIgnored) {
  PlayInit(10);
  PlayMouse(WM_LBUTTONDBLCLK, 10, 10, 10);
  PlayInsertKeyEvent(WM_CHAR, 'z', 10);
  PlayStart();
  ASSERT_TRUE(PumpUntilReplayEnds());
  EXPECT_TRUE(Received.empty());
}

TEST_F(PlaybackLibrary, ManyShortListsInQuickSuccessionAllArriveInOrder) {
  for (char c = 'a'; c <= 't'; ++c) {
    PlayInit(10);
    PlayKey(static_cast<unsigned char>(c), 5);
    PlayStart();
  }
  ASSERT_TRUE(PumpUntilReplayEnds());
  EXPECT_EQ(Typed(), L"abcdefghijklmnopqrst");
}
