// The real console window as the panel: sized and docked for what it shows, topmost and
// never taking the focus from the user's window; option lines centred and lit on red.
#include "console/ObCrt.h"
#include "scanning/core/uopcoes.h"
#include "scanning/core/uvars.h"
#include "scanning/core/uwindow.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class Panel : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ConsoleInit();
    ScreenCols = 80;
    ScreenRows = 12;
    ClearScreen();
    MeasureWorkArea();
  }
  // Taken down so the end of the program does not wait for the user to close it.
  static void TearDownTestSuite() {
    if (WindowOpen) DestroyWindow(ConsoleWindow);
  }
  void SetUp() override {
    ColoursEnabled = true;
    SetBackground(0);
    ClearScreen();
    SplashMode = false;
    CurrentMenu = 1;
    KeyboardLayout = 0;
  }
  static std::string Row(int row, int length) {
    return std::string(reinterpret_cast<const char*>(CellChars) + row * ScreenCols, length);
  }
  static int Background(int column, int row) { return CellAttrs[row * ScreenCols + column] >> 4; }
};

// A window of the user's that has the focus, as when the panel is used for real.
HWND UsersWindow() {
  static HWND window = [] {
    HWND w = CreateWindowExA(0, "STATIC", "user", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100,
                             300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(w);
    PumpMessages();
    return w;
  }();
  return window;
}

TEST_F(Panel, MeasuredInTheCellsTheConsoleDraws) {
  EXPECT_EQ(CellWidth, CharWidth);
  EXPECT_EQ(CellHeight, CharHeight);
  // The frame is what the window adds around its cells: never negative.
  EXPECT_GT(FrameWidth, 0);
  EXPECT_GT(FrameHeight, 0);
}

TEST_F(Panel, PlacedAtTheWorkAreasRightEdgeAtTheBottomAndAtTheTop) {
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  CurrentMenu = 1;
  for (bool atBottom : {true, false}) {
    PlacePanel(atBottom);
    RECT frame;
    GetWindowRect(ConsoleWindow, &frame);
    EXPECT_EQ(frame.right, work.right);
    EXPECT_EQ(frame.right - frame.left, 16 * CharWidth + FrameWidth);
    EXPECT_EQ(frame.bottom - frame.top, 11 * CharHeight + FrameHeight);
    if (atBottom) EXPECT_EQ(frame.bottom, work.bottom);
    else EXPECT_EQ(frame.top, 0);
  }
}

// A taskbar moved or a screen changed while the panel runs: the next panel docks on the new
// edges, measured afresh.
TEST_F(Panel, AWorkAreaChangedWhileRunningDocksTheNextPanelOnItsNewEdges) {
  RECT before{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &before, 0);
  RECT smaller{before.left, before.top, before.right - 120, before.bottom - 80};
  ASSERT_TRUE(SystemParametersInfoA(SPI_SETWORKAREA, 0, &smaller, 0));
  PlacePanel(true);
  RECT frame{};
  GetWindowRect(ConsoleWindow, &frame);
  SystemParametersInfoA(SPI_SETWORKAREA, 0, &before, 0);
  EXPECT_EQ(frame.right, smaller.right);
  EXPECT_EQ(frame.bottom, smaller.bottom);
  PlacePanel(true);
  GetWindowRect(ConsoleWindow, &frame);
  EXPECT_EQ(frame.right, before.right) << "not docked again when the area came back";
}

TEST_F(Panel, ShownTopmostWithoutTakingTheFocusFromTheUsersWindow) {
  HWND user = UsersWindow();
  ASSERT_EQ(GetForegroundWindow(), user) << "the test could not focus its own window";
  ShowWindow(ConsoleWindow, SW_HIDE);
  CurrentMenu = 5;
  PlacePanel(true);
  PumpMessages();
  EXPECT_TRUE(IsWindowVisible(ConsoleWindow));
  EXPECT_TRUE(GetWindowLongA(ConsoleWindow, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(GetForegroundWindow(), user);
}

TEST_F(Panel, TheKeyboardPanelFollowsTheLayout) {
  CurrentMenu = 0;
  KeyboardLayout = 3;
  PlacePanel(true);
  RECT frame;
  GetWindowRect(ConsoleWindow, &frame);
  EXPECT_EQ(frame.right - frame.left, 19 * CharWidth + FrameWidth);
  EXPECT_EQ(frame.bottom - frame.top, 7 * CharHeight + FrameHeight);
}

TEST_F(Panel, ALitOptionIsRedAcrossTheWholeLineAndTheOthersBlack) {
  CurrentMenu = 5;
  for (int option = 1; option <= 4; ++option) ShowOptionLabel(5, option, option == 2);
  EXPECT_EQ(Row(0, 13), " Deixa igual ");
  EXPECT_EQ(Row(1, 13), "  Minimiza   ");
  for (int column = 0; column < 80; ++column) {
    EXPECT_EQ(Background(column, 1), 4) << "column " << column;
    EXPECT_EQ(Background(column, 0), 0) << "column " << column;
  }
  EXPECT_EQ(TextAttr >> 4, 0) << "the background is black again after the line";
}

// Settings that fix the colours to white on blue, for the length of one test.
class FixedColours {
 public:
  FixedColours() {
    ColoursEnabled = false;
    ConfiguredAttr = TextAttr = 0x1F;
  }
  ~FixedColours() {
    ColoursEnabled = true;
    ConfiguredAttr = TextAttr = 0x07;
  }
};

TEST_F(Panel, WithFixedColoursALitOptionSwapsThemAcrossItsLineAndNothingElseChanges) {
  FixedColours fixed;
  CurrentMenu = 5;
  ClearScreen();
  for (int option = 1; option <= 4; ++option) ShowOptionLabel(5, option, option == 3);
  for (int column = 0; column < 80; ++column) {
    EXPECT_EQ(CellAttrs[2 * ScreenCols + column], 0xF1) << "column " << column;
    for (int row : {0, 1, 3, 4}) EXPECT_EQ(CellAttrs[row * ScreenCols + column], 0x1F) << row;
  }
  EXPECT_EQ(TextAttr, 0x1F) << "the configured colours again after the line";
}

TEST_F(Panel, WithFixedColoursTheLitRowAndThenOnlyTheLitKeyAreSwapped) {
  FixedColours fixed;
  CurrentMenu = 0;
  KeyboardLayout = 1;
  ClearScreen();
  std::string token;
  ShowKeyboardRow(2, true, 0, token);
  for (int column = 0; column < 23; ++column)
    EXPECT_EQ(CellAttrs[ScreenCols + column], 0xF1) << "row 2, column " << column;
  ShowKeyboardRow(2, true, 3, token);  // " i  " lit: keys 1 and 2 passed, 4 to 6 to come
  EXPECT_EQ(token, "i");
  for (int column = 0; column < 23; ++column)
    EXPECT_EQ(CellAttrs[ScreenCols + column], column / 4 == 2 ? 0xF1 : 0x1F) << "column " << column;
  EXPECT_EQ(TextAttr, 0x1F);
}

TEST_F(Panel, AnOptionWithoutALabelOnlyMovesTheWritePosition) {
  CurrentMenu = 5;
  ShowOptionLabel(5, 6, true);
  EXPECT_EQ(WriteRow, 5);
  EXPECT_EQ(Row(5, 13), std::string(13, ' '));
  EXPECT_EQ(Background(0, 5), 0);
}

TEST_F(Panel, TheStartUpScreenCentresIn30Columns) {
  SplashMode = true;
  GoToCell(1, 1);
  WriteCentred("Volume (30-250):");
  EXPECT_EQ(Row(0, 23), "       Volume (30-250):");
  EXPECT_EQ(WriteRow, 1);
  EXPECT_EQ(WriteCol, 0);
  SplashMode = false;
}

}  // namespace
