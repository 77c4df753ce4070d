// The console's cell grid under arbitrary writes, blanks, scrolls and paint rectangles, on
// grids allocated to their exact size so any stray cell is caught.
#include <memory>
#include <vector>

#include "console/logic/screen_grid.h"
#include "fuzz_input.h"

namespace {

// Every event the grid asks of the window side must name cells of the grid.
class CheckedEvents : public GridEvents {
 public:
  explicit CheckedEvents(const CellGrid& grid) : grid_(grid) {}
  void Beep() override {}
  void PaintStretch(int first, int end, int row) override {
    FUZZ_CHECK(0 <= first && first <= end && end <= grid_.cols);
    FUZZ_CHECK(0 <= row && row < grid_.rows);
  }
  void Scrolled() override {}

 private:
  const CellGrid& grid_;
};

void CheckArea(const CellArea& area, int cols, int rows) {
  FUZZ_CHECK(area.first >= 0 && area.firstRow >= 0);
  FUZZ_CHECK(area.end <= cols && area.endRow <= rows);
}

void Step(FuzzInput& in, const CellGrid& grid, CellPosition& pos, CheckedEvents& events) {
  unsigned char attr = in.Byte();
  switch (in.Byte() % 7) {
    case 0: {
      std::string bytes = in.Text(300);
      WriteBytes(grid, pos, attr, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<uint16_t>(bytes.size()), events);
      FUZZ_CHECK(pos.col >= 0 && pos.col < grid.cols && pos.row >= 0 && pos.row < grid.rows);
      return;
    }
    case 1: BlankStretch(grid, in.Int(), in.Int(), in.Int(), attr); return;
    case 2: ScrollGridUp(grid, attr); return;
    case 3: {
      int first = in.Int(), end = in.Int(), row = in.Int();
      int stop = RunEnd(grid, first, end, row);
      if (stop != first) FUZZ_CHECK(first < stop && stop <= end && stop <= grid.cols);
      return;
    }
    case 4: {
      int cols = in.InRange(0, 300), rows = in.InRange(0, 300);
      CheckArea(CellsUnder(in.Int(), in.Int(), in.Int(), in.Int(), in.Int(), in.Int(), cols, rows),
                cols, rows);
      return;
    }
    case 5:
      FUZZ_CHECK(WithForeground(attr, 0xFF) >> 4 == BackgroundOf(attr));
      FUZZ_CHECK(ForegroundOf(WithBackground(attr, 0xFF)) == ForegroundOf(attr));
      FUZZ_CHECK(ForegroundOf(attr) < 16 && BackgroundOf(attr) < 16);
      return;
    default: {
      // A position set from outside, as the window's cursor calls do, then written at.
      CellPosition at = ClampedCell(in.Int(), in.Int(), grid.cols, grid.rows);
      FUZZ_CHECK(at.col >= 0 && at.col < grid.cols && at.row >= 0 && at.row < grid.rows);
      pos = {in.Int(), in.Int()};
      return;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  int cols = in.Byte() % 90 + 1, rows = in.Byte() % 40 + 1;
  auto chars = std::make_unique<unsigned char[]>(size_t(cols) * rows);
  auto attrs = std::make_unique<unsigned char[]>(size_t(cols) * rows);
  CellGrid grid{chars.get(), attrs.get(), cols, rows};
  FillGrid(grid, in.Byte());
  CellPosition pos;
  CheckedEvents events(grid);
  while (!in.Empty()) Step(in, grid, pos, events);
  return 0;
}
