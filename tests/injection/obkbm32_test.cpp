// The real playback library under the platform: a focused test window records what its
// window procedure receives while lists are replayed.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "injection/obkbm32.h"

namespace {

struct Seen {            // one message as the window procedure got it
  UINT message;
  WPARAM wParam;
  POINT client;          // for mouse messages
  bool shift, ctrl, alt; // modifier state when the message was handled
};

std::vector<Seen> Received;
HWND Window = nullptr;

bool Held(int key) { return (GetKeyState(key) & 0x8000) != 0; }

bool Recorded(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_RBUTTONDOWN: case WM_RBUTTONUP:
    case WM_KEYDOWN: case WM_KEYUP: case WM_SYSKEYDOWN: case WM_SYSKEYUP: case WM_CHAR:
      return true;
    default:
      return false;
  }
}

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (Recorded(message)) {
    POINT client{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    Received.push_back({message, wParam, client, Held(VK_SHIFT), Held(VK_CONTROL),
                        Held(VK_MENU)});
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void PumpFor(DWORD ms) {
  DWORD start = GetTickCount();
  MSG msg;
  while (GetTickCount() - start < ms) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(5);
  }
}

// Pumps until the replay has ended (or ten seconds), then lets the last events arrive.
bool PumpUntilReplayEnds() {
  DWORD start = GetTickCount();
  while (PlayIsActive() & 0xFF) {
    if (GetTickCount() - start > 10000) return false;
    PumpFor(10);
  }
  PumpFor(300);
  return true;
}

POINT ScreenPoint(int clientX, int clientY) {
  POINT p{clientX, clientY};
  ClientToScreen(Window, &p);
  return p;
}

std::wstring Typed() {
  std::wstring text;
  for (const Seen& seen : Received)
    if (seen.message == WM_CHAR) text += static_cast<wchar_t>(seen.wParam);
  return text;
}

const Seen* First(UINT message, WPARAM wParam = ~WPARAM{0}) {
  for (const Seen& seen : Received)
    if (seen.message == message && (wParam == ~WPARAM{0} || seen.wParam == wParam)) return &seen;
  return nullptr;
}

class PlaybackLibrary : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = L"PlaybackTarget";
    RegisterClassW(&wc);
    Window = CreateWindowExW(0, L"PlaybackTarget", L"Playback target", WS_OVERLAPPEDWINDOW,
                             100, 100, 500, 400, nullptr, nullptr, wc.hInstance, nullptr);
    ShowWindow(Window, SW_SHOW);
    PumpFor(300);
  }
  static void TearDownTestSuite() { DestroyWindow(Window); }
  void SetUp() override {
    SetForegroundWindow(Window);
    SetFocus(Window);
    PumpFor(200);
    Received.clear();
  }
};

}  // namespace

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
  for (unsigned char c : std::string("Olá, Ç€")) PlayKey(c, 20);
  PlayStart();
  ASSERT_TRUE(PumpUntilReplayEnds());
  EXPECT_EQ(Typed(), std::wstring(L"Ol\u00E1, \u00C7\u20AC"));
}

TEST_F(PlaybackLibrary, AReplayIsActiveFromItsStartUntilItsLastEvent) {
  PlayInit(30);
  PlayKey('x', 300);
  PlayStart();
  EXPECT_TRUE(PlayIsActive() & 0xFF);
  PumpFor(100);
  EXPECT_TRUE(PlayIsActive() & 0xFF);
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
