// The console screen as the user sees it: the pixels of written cells in the palette's
// colours, the lit option on red, clearing, scrolling and repainting, read back from the
// window with GetPixel; and the window appearing on the first drawing, not on positioning.
#include "console/ObCrt.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// The colours a user expects of each index, as a text-mode screen shows them.
const COLORREF Expected[16] = {
    RGB(0, 0, 0),       RGB(0, 0, 255),     RGB(0, 255, 0),     RGB(0, 255, 255),
    RGB(255, 0, 0),     RGB(192, 0, 192),   RGB(100, 64, 64),   RGB(192, 192, 192),
    RGB(128, 128, 128), RGB(128, 128, 255), RGB(128, 255, 128), RGB(128, 255, 255),
    RGB(255, 128, 128), RGB(255, 128, 255), RGB(255, 255, 0),   RGB(255, 255, 255),
};
constexpr int Black = 0, Blue = 1, Green = 2, Red = 4, Yellow = 14;
const COLORREF Foreign = RGB(10, 200, 30);  // in no palette entry: pixels put there by a test

std::string SettingsPath() {
  char dir[MAX_PATH] = {};
  GetWindowsDirectoryA(dir, MAX_PATH);
  return std::string(dir) + "\\ORBITA.INI";
}

void Write(const std::string& text) {
  WriteText(reinterpret_cast<const unsigned char*>(text.data()),
            static_cast<uint16_t>(text.size()));
}

std::string Row(int row) {
  return std::string(reinterpret_cast<const char*>(CellChars) + row * ScreenCols, ScreenCols);
}

RECT CellRect(int col, int row) {
  return {col * CharWidth + TextOffsetX, row * CharHeight, (col + 1) * CharWidth + TextOffsetX,
          (row + 1) * CharHeight};
}

// Every pixel of one cell, 0-based column and row, as the window shows it now.
std::vector<COLORREF> CellPixels(int col, int row) {
  std::vector<COLORREF> pixels;
  RECT cell = CellRect(col, row);
  HDC dc = GetDC(ConsoleWindow);
  for (int y = cell.top; y < cell.bottom; ++y)
    for (int x = cell.left; x < cell.right; ++x) pixels.push_back(GetPixel(dc, x, y));
  ReleaseDC(ConsoleWindow, dc);
  return pixels;
}

int CountOf(const std::vector<COLORREF>& pixels, COLORREF colour) {
  int count = 0;
  for (COLORREF p : pixels) count += p == colour;
  return count;
}

bool AllOf(const std::vector<COLORREF>& pixels, COLORREF colour) {
  return !pixels.empty() && CountOf(pixels, colour) == static_cast<int>(pixels.size());
}

// Paints pixels the cells know nothing of over one cell.
void Smudge(int col, int row) {
  RECT cell = CellRect(col, row);
  HDC dc = GetDC(ConsoleWindow);
  HBRUSH brush = CreateSolidBrush(Foreign);
  FillRect(dc, &cell, brush);
  DeleteObject(brush);
  ReleaseDC(ConsoleWindow, dc);
}

void DropQuitMessages() {
  MSG quit;
  while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

// Must run first: nothing in this process has opened a console window yet.
TEST(ConsoleOpening, PositioningAloneOpensNothingAndTheFirstWriteOpensTheWindow) {
  DeleteFileA(SettingsPath().c_str());
  ScreenCols = 80;
  ScreenRows = 12;
  ASSERT_EQ(FindWindowA("ObWinCrt", nullptr), nullptr);
  GoToCell(5, 5);
  EXPECT_EQ(CurrentRow(), 1) << "before any grid exists only the top-left cell is reachable";
  EXPECT_EQ(WriteCol, 0);
  EXPECT_FALSE(WindowOpen);
  EXPECT_EQ(FindWindowA("ObWinCrt", nullptr), nullptr);

  Write("");
  ASSERT_TRUE(WindowOpen);
  EXPECT_EQ(FindWindowA("ObWinCrt", nullptr), ConsoleWindow);
  EXPECT_TRUE(IsWindowVisible(ConsoleWindow));
  EXPECT_EQ(Row(0), std::string(80, ' ')) << "a write of no bytes draws nothing";
  EXPECT_GT(CharWidth, 0) << "the cell size is measured while the window is made";
  EXPECT_GT(CharHeight, 0);

  GoToCell(5, 5);
  EXPECT_EQ(CurrentRow(), 5);
  EXPECT_EQ(WriteCol, 4);
  DestroyWindow(ConsoleWindow);
  DropQuitMessages();
  EXPECT_EQ(CellChars, nullptr);
  EXPECT_EQ(CurrentRow(), 1) << "the closed window's grids are gone and the position is home";
}

// Each case opens a fresh 80 x 12 console, as the panel uses it, with no settings file:
// light grey on black, colours changeable, scrolling by repaint, the stock fixed font.
class ConsoleScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteFileA(SettingsPath().c_str());
    ScreenCols = 80;
    ScreenRows = 12;
    ClearScreen();
    SetWindowPos(ConsoleWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE);
    SetForegroundWindow(ConsoleWindow);
    PumpMessages();
  }
  void TearDown() override {
    if (WindowOpen) DestroyWindow(ConsoleWindow);
    DropQuitMessages();
    KeyCount = 0;
  }
};

TEST_F(ConsoleScreen, TextAndBackgroundAreDrawnInThePaletteColours) {
  SetForeground(Yellow);
  SetBackground(Blue);
  GoToCell(3, 2);
  Write("#");
  std::vector<COLORREF> cell = CellPixels(2, 1);
  EXPECT_GT(CountOf(cell, Expected[Yellow]), 0) << "the character is yellow";
  EXPECT_GT(CountOf(cell, Expected[Blue]), 0) << "around it the cell is blue";
  // A glyph's anti-aliased edge may spill into a neighbour depending on the machine's
  // fonts; the background the program fills is what must stop at the cell's edges.
  for (int neighbour : {1, 3}) {
    std::vector<COLORREF> next = CellPixels(neighbour, 1);
    EXPECT_EQ(CountOf(next, Expected[Blue]), 0) << "cell " << neighbour << " has no blue";
    EXPECT_GT(CountOf(next, Expected[Black]) * 2, static_cast<int>(next.size()))
        << "cell " << neighbour << " stays black";
  }
  EXPECT_EQ(CellAttrs[1 * 80 + 2], 0x1E);
}

TEST_F(ConsoleScreen, EveryColourIndexShowsItsOwnBackground) {
  for (int colour = 0; colour < 16; ++colour) {
    SetBackground(static_cast<unsigned char>(colour));
    Write(" ");
  }
  for (int colour = 0; colour < 16; ++colour)
    EXPECT_TRUE(AllOf(CellPixels(colour, 0), Expected[colour])) << "background " << colour;
}

TEST_F(ConsoleScreen, ALitOptionIsRedAcrossItsWholeLine) {
  SetForeground(Yellow);
  SetBackground(Red);
  GoToCell(1, 1);
  Write(" Clique duplo       ");
  SetBackground(Black);
  Write(" ");
  EXPECT_TRUE(AllOf(CellPixels(0, 0), Expected[Red]));
  EXPECT_TRUE(AllOf(CellPixels(19, 0), Expected[Red]));
  EXPECT_GT(CountOf(CellPixels(1, 0), Expected[Yellow]), 0) << "the C is drawn in yellow";
  EXPECT_GT(CountOf(CellPixels(1, 0), Expected[Red]), 0);
  EXPECT_TRUE(AllOf(CellPixels(20, 0), Expected[Black])) << "the light ends with the option";
}

TEST_F(ConsoleScreen, ColoursBeyondFifteenKeepOnlyTheirLowFourBits) {
  SetBackground(Red);
  SetBackground(16);
  EXPECT_EQ(TextAttr >> 4, 0);
  SetForeground(0xFE);
  EXPECT_EQ(TextAttr, 0x0E);
  SetBackground(255);
  EXPECT_EQ(TextAttr, 0xFE);
  SetBackground(16);
  Write(" ");
  EXPECT_TRUE(AllOf(CellPixels(0, 0), Expected[Black])) << "background 16 is drawn black";
}

TEST_F(ConsoleScreen, BackspaceRepaintsTheCellItBlanks) {
  SetBackground(Red);
  Write("ab");
  SetBackground(Blue);
  WriteChar(8);
  EXPECT_EQ(WriteCol, 1);
  EXPECT_TRUE(AllOf(CellPixels(1, 0), Expected[Blue]));
  EXPECT_GT(CountOf(CellPixels(0, 0), Expected[Red]), 0);
  WriteChar(8);
  WriteChar(8);
  EXPECT_EQ(WriteCol, 0);
  EXPECT_EQ(CurrentRow(), 1);
}

TEST_F(ConsoleScreen, ClearingToTheLineEndRepaintsTheRestOfTheRowAndKeepsThePosition) {
  SetBackground(Red);
  Write(std::string(80, 'x'));
  Write("yyyy");
  GoToCell(3, 2);
  SetBackground(Green);
  ClearToLineEnd();
  EXPECT_EQ(WriteCol, 2);
  EXPECT_EQ(CurrentRow(), 2);
  EXPECT_EQ(Row(1).substr(0, 6), "yy    ");
  EXPECT_TRUE(AllOf(CellPixels(2, 1), Expected[Green]));
  EXPECT_TRUE(AllOf(CellPixels(79, 1), Expected[Green]));
  EXPECT_GT(CountOf(CellPixels(79, 0), Expected[Red]), 0) << "the row above is untouched";
}

TEST_F(ConsoleScreen, ClearingTheScreenBlanksEveryCellAndGoesHome) {
  SetBackground(Red);
  Write("Volume (30-250):");
  SetBackground(Blue);
  ClearScreen();
  EXPECT_EQ(WriteCol, 0);
  EXPECT_EQ(CurrentRow(), 1);
  EXPECT_EQ(Row(0), std::string(80, ' '));
  EXPECT_TRUE(AllOf(CellPixels(0, 0), Expected[Blue]));
  EXPECT_TRUE(AllOf(CellPixels(79, 11), Expected[Blue]));
}

TEST_F(ConsoleScreen, APaintRequestRedrawsTheCellsFromTheGrid) {
  SetBackground(Red);
  Write("  ");
  Smudge(0, 0);
  Smudge(40, 6);
  ASSERT_TRUE(AllOf(CellPixels(0, 0), Foreign));
  RECT one = CellRect(0, 0);
  InvalidateRect(ConsoleWindow, &one, FALSE);
  UpdateWindow(ConsoleWindow);
  EXPECT_TRUE(AllOf(CellPixels(0, 0), Expected[Red]));
  EXPECT_TRUE(AllOf(CellPixels(40, 6), Foreign)) << "only the invalid part is repainted";
  InvalidateRect(ConsoleWindow, nullptr, FALSE);
  UpdateWindow(ConsoleWindow);
  EXPECT_TRUE(AllOf(CellPixels(40, 6), Expected[Black])) << "a blank cell on black again";
}

// Row r starts with a blank on background r + 1, so each row's colour tells where it went.
void PaintRowColours() {
  for (int row = 0; row < 12; ++row) {
    GoToCell(1, row + 1);
    SetBackground(static_cast<unsigned char>(row + 1));
    Write(" ");
  }
  SetBackground(Black);
}

void ScrollOnce() {
  GoToCell(1, 12);
  Write("\n");
}

TEST_F(ConsoleScreen, ALineFeedOnTheLastRowScrollsTheScreenUpByRepainting) {
  PaintRowColours();
  Smudge(10, 1);
  ScrollOnce();
  EXPECT_EQ(CurrentRow(), 12);
  EXPECT_TRUE(AllOf(CellPixels(0, 0), Expected[2])) << "the second row is now on top";
  EXPECT_TRUE(AllOf(CellPixels(0, 10), Expected[12]));
  EXPECT_TRUE(AllOf(CellPixels(0, 11), Expected[Black])) << "the new last row is blank";
  EXPECT_TRUE(AllOf(CellPixels(10, 0), Expected[Black])) << "repainted from the cells";
}

TEST_F(ConsoleScreen, SlowScrollingMovesThePixelsOfTheActiveWindow) {
  PixelScroll = true;
  SetActiveWindow(ConsoleWindow);
  ASSERT_EQ(GetActiveWindow(), ConsoleWindow);
  PaintRowColours();
  Smudge(10, 1);
  SetBackground(Blue);
  ScrollOnce();
  EXPECT_TRUE(AllOf(CellPixels(0, 0), Expected[2]));
  EXPECT_TRUE(AllOf(CellPixels(10, 0), Foreign)) << "pixels were copied, not repainted";
  EXPECT_TRUE(AllOf(CellPixels(40, 11), Expected[Blue])) << "the last row takes the background";
  EXPECT_EQ(Row(11), std::string(80, ' '));
}

TEST_F(ConsoleScreen, SlowScrollingRepaintsWhenAnotherWindowIsActive) {
  PixelScroll = true;
  HWND other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 500,
                               200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  SetActiveWindow(other);
  PumpMessages();
  ASSERT_NE(GetActiveWindow(), ConsoleWindow);
  PaintRowColours();
  Smudge(10, 1);
  ScrollOnce();
  EXPECT_TRUE(AllOf(CellPixels(0, 0), Expected[2]));
  EXPECT_TRUE(AllOf(CellPixels(10, 0), Expected[Black])) << "repainted from the cells";
  DestroyWindow(other);
}

TEST_F(ConsoleScreen, TheWindowCannotGrowPastItsCells) {
  TEXTMETRICA metrics{};
  HDC dc = GetDC(ConsoleWindow);
  HGDIOBJ earlier = SelectObject(dc, GetStockObject(SYSTEM_FIXED_FONT));
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, earlier);
  ReleaseDC(ConsoleWindow, dc);
  MINMAXINFO limits{};
  ConsoleSizeLimits(&limits);
  EXPECT_EQ(CharWidth, metrics.tmAveCharWidth);
  EXPECT_EQ(CharHeight, metrics.tmHeight + metrics.tmExternalLeading);
  EXPECT_EQ(CharAscent, metrics.tmAscent);
  const int frameX = GetSystemMetrics(SM_CXFRAME), frameY = GetSystemMetrics(SM_CYFRAME);
  const int caption = GetSystemMetrics(SM_CYCAPTION);
  EXPECT_EQ(limits.ptMaxTrackSize.x, 80 * CharWidth + 2 * frameX);
  EXPECT_EQ(limits.ptMaxTrackSize.y, caption + 12 * CharHeight + 2 * frameY);
  EXPECT_EQ(limits.ptMaxSize.x, limits.ptMaxTrackSize.x);
  EXPECT_EQ(limits.ptMaxSize.y, limits.ptMaxTrackSize.y);
  EXPECT_EQ(limits.ptMinTrackSize.x, 16 * CharWidth + 2 * frameX);
  EXPECT_EQ(limits.ptMinTrackSize.y, 4 * CharHeight + caption + 2 * frameY);

  ScreenCols = 1000;
  ScreenRows = 1000;
  ConsoleSizeLimits(&limits);
  EXPECT_EQ(limits.ptMaxTrackSize.x, GetSystemMetrics(SM_CXSCREEN) + 2 * frameX)
      << "never wider than the screen";
  EXPECT_EQ(limits.ptMaxTrackSize.y, GetSystemMetrics(SM_CYSCREEN) + 2 * frameY);
  ConsoleSizeLimits(nullptr);  // a message without its record is ignored
}

TEST_F(ConsoleScreen, ProgramSizesChangedAfterOpeningNeverWritePastTheGrids) {
  ScreenCols = 200;  // the grids keep the 80 x 12 they were made with
  ScreenRows = 40;
  GoToCell(200, 40);
  EXPECT_EQ(WriteCol, 79);
  EXPECT_EQ(CurrentRow(), 12);
  WriteCol = 5000;  // even a position set directly is brought back inside
  WriteRow = -3;
  Write("z");
  EXPECT_EQ(CellChars[79], 'z');
  EXPECT_EQ(CurrentRow(), 2);
  ClearToLineEnd();
  InvalidateRect(ConsoleWindow, nullptr, FALSE);
  UpdateWindow(ConsoleWindow);
  ScreenCols = 80;
  ScreenRows = 12;
}

// The pixels of a text drawn through the wide call in the stock fixed font, light grey on
// black, as the cells of the first row would show it.
std::vector<COLORREF> ReferencePixels(const std::wstring& text) {
  const int width = static_cast<int>(text.size()) * CharWidth;
  HDC screen = GetDC(ConsoleWindow);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, CharHeight);
  HGDIOBJ earlierBitmap = SelectObject(dc, bitmap);
  HGDIOBJ earlierFont = SelectObject(dc, GetStockObject(SYSTEM_FIXED_FONT));
  SetTextColor(dc, Expected[7]);
  SetBkColor(dc, Expected[Black]);
  TextOutW(dc, 0, 0, text.data(), static_cast<int>(text.size()));
  std::vector<COLORREF> pixels;
  for (int y = 0; y < CharHeight; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(dc, x, y));
  SelectObject(dc, earlierFont);
  DeleteObject(SelectObject(dc, earlierBitmap));
  DeleteDC(dc);
  ReleaseDC(ConsoleWindow, screen);
  return pixels;
}

std::vector<COLORREF> FirstRowPixels(int cols) {
  std::vector<COLORREF> pixels;
  HDC dc = GetDC(ConsoleWindow);
  for (int y = 0; y < CharHeight; ++y)
    for (int x = 0; x < cols * CharWidth; ++x) pixels.push_back(GetPixel(dc, x + TextOffsetX, y));
  ReleaseDC(ConsoleWindow, dc);
  return pixels;
}

// Run again under a Cyrillic ANSI code page: the code page 1252 bytes of the cells must still
// show as the Latin letters they are, not as the Cyrillic letters of the same bytes.
TEST_F(ConsoleScreen, AccentedLettersShowAsTheLettersMeantWhateverTheSystemCodePage) {
  if (const char* wanted = getenv("ACENORA_EXPECT_ACP")) {
    ASSERT_EQ(GetACP(), static_cast<UINT>(atoi(wanted))) << "the run's code page was not taken";
  }
  Write("Mouse r\xE1pido");
  const std::vector<COLORREF> shown = FirstRowPixels(12);
  const std::vector<COLORREF> cyrillic = ReferencePixels(L"Mouse r\u0431pido");
  ASSERT_NE(ReferencePixels(L"Mouse r\u00E1pido"), cyrillic) << "the two letters look alike";
  EXPECT_EQ(shown, ReferencePixels(L"Mouse r\u00E1pido"));
  EXPECT_NE(shown, cyrillic);
}

TEST_F(ConsoleScreen, WithoutGridsNothingIsDrawnAndNothingFails) {
  FreeGrids();
  ASSERT_EQ(CellChars, nullptr);
  Write("still here\n\x07\b");
  WriteChar('x');
  ClearToLineEnd();
  ClearScreen();
  ShowRun(0, 80, 0);
  InvalidateRect(ConsoleWindow, nullptr, FALSE);
  UpdateWindow(ConsoleWindow);
  EXPECT_EQ(WriteCol, 0);
  EXPECT_EQ(CurrentRow(), 1);
  MakeGrids();
  Write("ok");
  EXPECT_EQ(Row(0).substr(0, 2), "ok");
}

}  // namespace
