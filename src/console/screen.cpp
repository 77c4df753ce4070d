// The console's screen on the window side: the cell grids' life, the write position and
// attribute, and all painting of the client area in the 16 palette colours.
// The cells' rules live in logic/screen_grid; the window itself belongs to the set-up.
#include "console/ObCrt.h"
#include "console/logic/screen_grid.h"
#include <algorithm>
#include <new>

int ScreenCols = 80;
int ScreenRows = 25;
unsigned char* CellChars = nullptr;
unsigned char* CellAttrs = nullptr;
int WriteCol = 0, WriteRow = 0;
unsigned char TextAttr = 0x07;
bool ColoursEnabled = true;
unsigned char ConfiguredAttr = 0x07;
bool PixelScroll = false;
int CharWidth = 0, CharHeight = 0, CharAscent = 0, TextOffsetX = 0;
HFONT ConsoleFont = nullptr;
bool InPaint = false;

const COLORREF ConsolePalette[16] = {
    RGB(0, 0, 0),       RGB(0, 0, 255),     RGB(0, 255, 0),     RGB(0, 255, 255),
    RGB(255, 0, 0),     RGB(192, 0, 192),   RGB(100, 64, 64),   RGB(192, 192, 192),
    RGB(128, 128, 128), RGB(128, 128, 255), RGB(128, 255, 128), RGB(128, 255, 255),
    RGB(255, 128, 128), RGB(255, 128, 255), RGB(255, 255, 0),   RGB(255, 255, 255),
};

namespace {

// The sizes the grids were made with: positions are clamped to these, not to ScreenCols and
// ScreenRows, which the program may change while the grids stay as they are. Kept after the
// grids are freed; 0 until they are first made.
int GridCols = 0, GridRows = 0;
HDC PaintDC = nullptr;  // the context BeginPaint gave, while InPaint

// Beyond this a grid is refused rather than allocated: no console needs millions of cells.
constexpr long long MostCells = 1LL << 24;
// A pixel copy could pick up whatever covers the window at the screen's bottom edge.
constexpr int ScreenBottomMargin = 32;

CellGrid Grid() { return {CellChars, CellAttrs, GridCols, GridRows}; }

bool CanDraw() { return ConsoleWindow != nullptr && GridUsable(Grid()); }

HGDIOBJ CellFont() {
  return ConsoleFont ? static_cast<HGDIOBJ>(ConsoleFont) : GetStockObject(SYSTEM_FIXED_FONT);
}

// Runs draw on the paint's context inside a paint, otherwise on a context of its own with the
// console font selected, given back afterwards.
template <typename Draw>
void Drawing(Draw draw) {
  if (InPaint) {
    if (PaintDC) draw(PaintDC);
    return;
  }
  HDC dc = GetDC(ConsoleWindow);
  if (!dc) return;
  HGDIOBJ earlier = SelectObject(dc, CellFont());
  draw(dc);
  SelectObject(dc, earlier);
  ReleaseDC(ConsoleWindow, dc);
}

void DrawRuns(HDC dc, int first, int end, int row) {
  const CellGrid grid = Grid();
  const int rowStart = row * grid.cols;
  for (int col = first; col < end;) {
    int next = RunEnd(grid, col, end, row);
    if (next <= col) return;
    unsigned char attr = grid.attrs[rowStart + col];
    SetTextColor(dc, ConsolePalette[ForegroundOf(attr)]);
    SetBkColor(dc, ConsolePalette[BackgroundOf(attr)]);
    const std::wstring text = WideText(
        std::string_view(reinterpret_cast<const char*>(grid.chars + rowStart + col), next - col));
    TextOutW(dc, col * CharWidth + TextOffsetX, row * CharHeight, text.data(),
             static_cast<int>(text.size()));
    col = next;
  }
}

void RepaintWhole() {
  if (!ConsoleWindow) return;  // a null window would invalidate every window on the desktop
  InvalidateRect(ConsoleWindow, nullptr, FALSE);
  UpdateWindow(ConsoleWindow);
}

bool PixelCopyShowsScroll() {
  RECT frame{};
  GetWindowRect(ConsoleWindow, &frame);
  return PixelScroll && GetActiveWindow() == ConsoleWindow &&
         frame.bottom < GetSystemMetrics(SM_CYSCREEN) - ScreenBottomMargin;
}

// Rows 1.. move up one row's height; the freed last row is filled with the background.
void CopyRowsUp(HDC dc) {
  const int width = GridCols * CharWidth;
  const int lastTop = (GridRows - 1) * CharHeight;
  BitBlt(dc, 0, 0, width, lastTop, dc, 0, CharHeight, SRCCOPY);
  HBRUSH brush = CreateSolidBrush(ConsolePalette[BackgroundOf(TextAttr)]);
  HGDIOBJ earlier = SelectObject(dc, brush);
  PatBlt(dc, 0, lastTop, width, CharHeight, PATCOPY);
  SelectObject(dc, earlier);
  DeleteObject(brush);
}

void ShowScroll() {
  if (!ConsoleWindow) return;
  if (PixelCopyShowsScroll()) {
    Drawing(CopyRowsUp);
    UpdateWindow(ConsoleWindow);
  } else {
    RepaintWhole();
  }
}

class WindowEvents final : public GridEvents {
 public:
  void Beep() override { MessageBeep(0); }
  void PaintStretch(int first, int end, int row) override { ShowRun(first, end, row); }
  void Scrolled() override { ShowScroll(); }
};

void ReleaseGrids() {
  delete[] CellChars;
  delete[] CellAttrs;
  CellChars = nullptr;
  CellAttrs = nullptr;
}

long long WantedCells() {
  if (ScreenCols <= 0 || ScreenRows <= 0) return 0;
  return static_cast<long long>(ScreenCols) * ScreenRows;
}

long long Clipped(long long pixels, int limit) { return std::min<long long>(pixels, limit); }

}  // namespace

void ClearScreen() {
  ConsoleEnsureOpen();
  FillGrid(Grid(), TextAttr);
  WriteCol = 0;
  WriteRow = 0;
  RepaintWhole();
}

void GoToCell(int column, int row) {
  CellPosition pos = ClampedCell(column, row, GridCols, GridRows);
  WriteCol = pos.col;
  WriteRow = pos.row;
}

int CurrentRow() { return WriteRow + 1; }

void SetForeground(unsigned char colour) {
  ConsoleEnsureOpen();
  if (ColoursEnabled) TextAttr = WithForeground(TextAttr, colour);
}

void SetBackground(unsigned char colour) {
  ConsoleEnsureOpen();
  if (ColoursEnabled) TextAttr = WithBackground(TextAttr, colour);
}

// Fixed colours allow this one change, so that what the user may choose is still seen.
void SetFixedHighlight(bool lit) {
  ConsoleEnsureOpen();
  if (!ColoursEnabled) TextAttr = lit ? LitAttribute(ConfiguredAttr) : ConfiguredAttr;
}

void ClearToLineEnd() {
  ConsoleEnsureOpen();
  BlankStretch(Grid(), WriteCol, GridCols, WriteRow, TextAttr);
  ShowRun(WriteCol, GridCols, WriteRow);
}

void WriteText(const unsigned char* bytes, uint16_t count) {
  ConsoleEnsureOpen();
  CellPosition pos{WriteCol, WriteRow};
  WindowEvents events;
  WriteBytes(Grid(), pos, TextAttr, bytes, count, events);
  WriteCol = pos.col;
  WriteRow = pos.row;
}

void WriteChar(unsigned char byte) { WriteText(&byte, 1); }

void ShowRun(int firstCol, int endCol, int row) {
  firstCol = std::max(firstCol, 0);
  endCol = std::min(endCol, GridCols);
  if (endCol <= firstCol || row < 0 || row >= GridRows || !CanDraw()) return;
  Drawing([&](HDC dc) { DrawRuns(dc, firstCol, endCol, row); });
}

void PaintConsole() {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(ConsoleWindow, &paint);
  InPaint = true;
  PaintDC = dc;
  HGDIOBJ earlier = dc ? SelectObject(dc, CellFont()) : nullptr;
  const RECT& r = paint.rcPaint;
  CellArea area = CellsUnder(r.left, r.top, r.right, r.bottom, CharWidth, CharHeight,
                             std::min(ScreenCols, GridCols), std::min(ScreenRows, GridRows));
  for (int row = area.firstRow; row < area.endRow; ++row) ShowRun(area.first, area.end, row);
  if (dc) SelectObject(dc, earlier);
  EndPaint(ConsoleWindow, &paint);
  PaintDC = nullptr;
  InPaint = false;
}

void ConsoleSizeLimits(MINMAXINFO* info) {
  if (!info) return;
  Drawing([](HDC dc) {
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    TakeCellMetrics(metrics);
  });
  const int frameX = ScaledMetric(SM_CXFRAME), frameY = ScaledMetric(SM_CYFRAME);
  const int caption = ScaledMetric(SM_CYCAPTION);
  const long long cols = std::max(ScreenCols, 0), rows = std::max(ScreenRows, 0);
  const int width =
      static_cast<int>(Clipped(cols * CharWidth, GetSystemMetrics(SM_CXSCREEN))) + 2 * frameX;
  const int height = static_cast<int>(Clipped(caption + rows * CharHeight,
                                              GetSystemMetrics(SM_CYSCREEN))) + 2 * frameY;
  info->ptMaxSize = {width, height};
  info->ptMaxTrackSize = {width, height};
  info->ptMinTrackSize = {2 * frameX + 16 * CharWidth, 2 * frameY + 4 * CharHeight + caption};
}

void TakeCellMetrics(const TEXTMETRICA& metrics) {
  CharWidth = metrics.tmAveCharWidth;
  CharHeight = metrics.tmHeight + metrics.tmExternalLeading;
  CharAscent = metrics.tmAscent;
}

void MakeGrids() {
  ReleaseGrids();
  GridCols = 0;
  GridRows = 0;
  const long long cells = WantedCells();
  if (cells == 0 || cells > MostCells) return;
  CellChars = new (std::nothrow) unsigned char[cells];
  CellAttrs = new (std::nothrow) unsigned char[cells];
  if (!CellChars || !CellAttrs) return ReleaseGrids();
  GridCols = ScreenCols;
  GridRows = ScreenRows;
  FillGrid(Grid(), TextAttr);
}

void FreeGrids() {
  ReleaseGrids();
  WriteCol = 0;
  WriteRow = 0;
}
