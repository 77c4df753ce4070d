// The console's cells as plain data; see screen_grid.h. No window, device context or palette.
#include "console/logic/screen_grid.h"
#include <algorithm>
#include <cstddef>
#include <cstring>

namespace {

constexpr unsigned char Blank = ' ';

std::size_t CellIndex(const CellGrid& grid, int col, int row) {
  return static_cast<std::size_t>(row) * static_cast<std::size_t>(grid.cols) +
         static_cast<std::size_t>(col);
}

// The stretch of the current row that the write has changed and not yet painted.
struct Pending {
  int left = 0;
  int right = 0;
};

struct Writer {
  const CellGrid& grid;
  CellPosition& pos;
  unsigned char attr;
  GridEvents& events;
  Pending pending;

  void NewLine() {
    events.PaintStretch(pending.left, pending.right, pos.row);
    pending = {0, 0};
    if (++pos.row < grid.rows) return;
    pos.row = grid.rows - 1;
    ScrollGridUp(grid, attr);
    events.Scrolled();
  }

  // The position never goes back to the row above.
  void BackSpace() {
    if (pos.col == 0) return;
    --pos.col;
    BlankStretch(grid, pos.col, pos.col + 1, pos.row, attr);
    pending.left = std::min(pending.left, pos.col);
  }

  // The stretch also reaches left, so text written after a carriage return is painted too.
  void Store(unsigned char byte) {
    std::size_t cell = CellIndex(grid, pos.col, pos.row);
    grid.chars[cell] = byte;
    grid.attrs[cell] = attr;
    pending.left = std::min(pending.left, pos.col);
    ++pos.col;
    pending.right = std::max(pending.right, pos.col);
    if (pos.col < grid.cols) return;
    pos.col = 0;
    NewLine();
  }

  void Take(unsigned char byte) {
    switch (byte) {
      case 7: events.Beep(); return;
      case 8: BackSpace(); return;
      case 10: NewLine(); pos.col = 0; return;
      case 13: pos.col = 0; return;
    }
    if (byte >= 32) Store(byte);
  }
};

}  // namespace

bool GridUsable(const CellGrid& grid) {
  return grid.chars && grid.attrs && grid.cols > 0 && grid.rows > 0;
}

int ClampToCount(int value, int count) {
  if (count <= 0 || value < 0) return 0;
  return std::min(value, count - 1);
}

CellPosition ClampedCell(int column, int row, int cols, int rows) {
  // Subtracting first would overflow for the smallest int.
  int col0 = column <= 0 ? 0 : column - 1;
  int row0 = row <= 0 ? 0 : row - 1;
  return {ClampToCount(col0, cols), ClampToCount(row0, rows)};
}

unsigned char WithForeground(unsigned char attr, unsigned char colour) {
  return static_cast<unsigned char>((attr & 0xF0) | (colour & 0x0F));
}

unsigned char WithBackground(unsigned char attr, unsigned char colour) {
  return static_cast<unsigned char>((attr & 0x0F) | ((colour * 16) & 0xFF));
}

int ForegroundOf(unsigned char attr) { return attr & 0x0F; }

int BackgroundOf(unsigned char attr) { return (attr >> 4) & 0x0F; }

unsigned char LitAttribute(unsigned char attr) {
  const unsigned char swapped = static_cast<unsigned char>((attr << 4) | (attr >> 4));
  return swapped != attr ? swapped : static_cast<unsigned char>(~attr);
}

void FillGrid(const CellGrid& grid, unsigned char attr) {
  if (!GridUsable(grid)) return;
  std::size_t cells = CellIndex(grid, 0, grid.rows);
  std::memset(grid.chars, Blank, cells);
  std::memset(grid.attrs, attr, cells);
}

void BlankStretch(const CellGrid& grid, int first, int end, int row, unsigned char attr) {
  if (!GridUsable(grid) || row < 0 || row >= grid.rows) return;
  first = std::max(first, 0);
  end = std::min(end, grid.cols);
  if (end <= first) return;
  std::size_t cell = CellIndex(grid, first, row);
  auto length = static_cast<std::size_t>(end - first);
  std::memset(grid.chars + cell, Blank, length);
  std::memset(grid.attrs + cell, attr, length);
}

void ScrollGridUp(const CellGrid& grid, unsigned char attr) {
  if (!GridUsable(grid)) return;
  auto width = static_cast<std::size_t>(grid.cols);
  for (int row = 0; row + 1 < grid.rows; ++row) {
    std::memcpy(grid.chars + CellIndex(grid, 0, row), grid.chars + CellIndex(grid, 0, row + 1), width);
    std::memcpy(grid.attrs + CellIndex(grid, 0, row), grid.attrs + CellIndex(grid, 0, row + 1), width);
  }
  BlankStretch(grid, 0, grid.cols, grid.rows - 1, attr);
}

int RunEnd(const CellGrid& grid, int first, int end, int row) {
  end = std::min(end, grid.cols);
  if (!GridUsable(grid) || row < 0 || row >= grid.rows || first < 0 || first >= end) return first;
  const unsigned char* attrs = grid.attrs + CellIndex(grid, 0, row);
  int next = first + 1;
  while (next < end && attrs[next] == attrs[first]) ++next;
  return next;
}

CellArea CellsUnder(int left, int top, int right, int bottom, int cellWidth, int cellHeight,
                    int cols, int rows) {
  if (cellWidth < 1 || cellHeight < 1) return {};
  // Rounding up in 64 bits: a rectangle edge near the int limit must not wrap round.
  auto roundUp = [](int edge, int size) {
    return static_cast<int>(std::min<long long>((static_cast<long long>(edge) + size - 1) / size,
                                                1LL << 30));
  };
  CellArea area;
  area.first = std::max(0, left / cellWidth);
  area.end = std::min(cols, roundUp(right, cellWidth));
  area.firstRow = std::max(0, top / cellHeight);
  area.endRow = std::min(rows, roundUp(bottom, cellHeight));
  return area;
}

void WriteBytes(const CellGrid& grid, CellPosition& pos, unsigned char attr,
                const unsigned char* bytes, uint16_t count, GridEvents& events) {
  if (!GridUsable(grid) || (!bytes && count > 0)) return;
  pos = {ClampToCount(pos.col, grid.cols), ClampToCount(pos.row, grid.rows)};
  Writer writer{grid, pos, attr, events, {pos.col, pos.col}};
  for (uint16_t i = 0; i < count; ++i) writer.Take(bytes[i]);
  events.PaintStretch(writer.pending.left, writer.pending.right, pos.row);
}
