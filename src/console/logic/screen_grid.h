// The console's cells as plain data: writing bytes at a position with the terminal's control
// bytes, wrapping and scrolling the grid, clamping positions and colours, finding runs and the
// cells under a rectangle. Knows nothing of windows; what it cannot do itself it asks of a
// GridEvents the caller hands in.
#pragma once
#include <cstdint>

// Two grids of cols x rows bytes, row after row; either pointer may be null before the
// window's grids exist, and then nothing is written.
struct CellGrid {
  unsigned char* chars = nullptr;
  unsigned char* attrs = nullptr;
  int cols = 0;
  int rows = 0;
};

struct CellPosition {
  int col = 0;  // 0-based
  int row = 0;  // 0-based
};

// Columns [first, end) of rows [firstRow, endRow).
struct CellArea {
  int first = 0, end = 0;
  int firstRow = 0, endRow = 0;
};

// What a write needs from the window side, in the order the bytes call for it.
class GridEvents {
 public:
  virtual void Beep() = 0;                                   // byte 7
  virtual void PaintStretch(int first, int end, int row) = 0;  // cells changed in one row
  virtual void Scrolled() = 0;                               // the grid moved up one row
 protected:
  ~GridEvents() = default;
};

bool GridUsable(const CellGrid& grid);
// value limited to 0 .. count - 1; 0 when count is not positive.
int ClampToCount(int value, int count);
// 1-based column and row to a 0-based position inside a grid of cols x rows.
CellPosition ClampedCell(int column, int row, int cols, int rows);

unsigned char WithForeground(unsigned char attr, unsigned char colour);
unsigned char WithBackground(unsigned char attr, unsigned char colour);
int ForegroundOf(unsigned char attr);  // 0..15
// The attribute that shows a lit line when the colours are fixed: text and background swapped,
// or, when they are one colour, each turned to its opposite in the palette.
unsigned char LitAttribute(unsigned char attr);
int BackgroundOf(unsigned char attr);  // 0..15

void FillGrid(const CellGrid& grid, unsigned char attr);  // spaces with attr everywhere
// Columns [first, end) of row become spaces with attr, limited to the grid.
void BlankStretch(const CellGrid& grid, int first, int end, int row, unsigned char attr);
// Every row moves up one; the last row becomes spaces with attr.
void ScrollGridUp(const CellGrid& grid, unsigned char attr);
// The end (exclusive) of the run of equal attributes that starts at first, stopping at end.
int RunEnd(const CellGrid& grid, int first, int end, int row);
// The cells a pixel rectangle touches, limited to the grid; empty for a cell size below 1.
CellArea CellsUnder(int left, int top, int right, int bottom, int cellWidth, int cellHeight,
                    int cols, int rows);

// Writes count bytes at pos with attr: 7 beeps, 8 steps back within the row, 10 moves to the
// next row's start, 13 to this row's start, 32..255 are stored; every other byte is ignored.
// A byte stored in the last column wraps to the next row; moving below the last row scrolls.
void WriteBytes(const CellGrid& grid, CellPosition& pos, unsigned char attr,
                const unsigned char* bytes, uint16_t count, GridEvents& events);
