#include "pointing/logic/grid.h"

#include <algorithm>

namespace {

// Third `part` (1..3) of the span [from, to).
void Third(int from, int to, int part, int& start, int& end) {
  const int size = (to - from) / GridSide;
  if (size == 0) {
    start = from;
    end = to;
    return;
  }
  start = from + (part - 1) * size;
  end = part == GridSide ? to : start + size;
}

int PartHolding(int from, int to, int at) {
  for (int part = 1; part < GridSide; ++part) {
    int start = 0, end = 0;
    Third(from, to, part, start, end);
    if (at < end) return part;
  }
  return GridSide;
}

}  // namespace

GridRect GridRow(const GridRect& region, int row) {
  GridRect rect = region;
  Third(region.top, region.bottom, row, rect.top, rect.bottom);
  return rect;
}

GridRect GridCell(const GridRect& region, int row, int column) {
  GridRect rect = GridRow(region, row);
  Third(region.left, region.right, column, rect.left, rect.right);
  return rect;
}

GridPoint GridCentre(const GridRect& rect) {
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

int GridPrecision(int pixelsAt96, int dpi) { return std::max(3, pixelsAt96 * dpi / 96); }

GridScan StartGrid(const GridRect& area, int precision) { return {{area}, 0, precision}; }

GridRect GridItem(const GridScan& scan, int item) {
  const GridRect& region = scan.regions.back();
  return scan.row == 0 ? GridRow(region, item) : GridCell(region, scan.row, item);
}

// A lit row is pointed at in its middle column.
GridPoint GridPointer(const GridScan& scan, int item) {
  const GridRect& region = scan.regions.back();
  return GridCentre(scan.row == 0 ? GridCell(region, item, 2) : GridCell(region, scan.row, item));
}

int NextGridItem(int item, int count, int& idlePasses) {
  if (item < count) return item + 1;
  return ++idlePasses < GridIdlePasses ? 1 : 0;
}

void ChooseGridItem(GridScan& scan, int item) {
  if (scan.row == 0) {
    scan.row = item;
    return;
  }
  scan.regions.push_back(GridCell(scan.regions.back(), scan.row, item));
  scan.row = 0;
}

void StepGridBack(GridScan& scan) {
  if (scan.row != 0) scan.row = 0;
  else if (!scan.regions.empty()) scan.regions.pop_back();
}

bool GridClosed(const GridScan& scan) { return scan.regions.empty(); }

bool GridEnded(const GridScan& scan) {
  if (scan.regions.empty()) return false;
  const GridRect& region = scan.regions.back();
  return region.right - region.left <= scan.precision && region.bottom - region.top <= scan.precision;
}

int GridLevels(const GridScan& scan) { return static_cast<int>(scan.regions.size()) - 1; }

PointingCost MeanPointingCost(const GridRect& area, int precision) {
  constexpr int kAcross = 64, kDown = 48;
  const int width = area.right - area.left, height = area.bottom - area.top;
  PointingCost total;
  for (int i = 0; i < kAcross; ++i)
    for (int j = 0; j < kDown; ++j) {
      const GridPoint at{area.left + (2 * i + 1) * width / (2 * kAcross),
                         area.top + (2 * j + 1) * height / (2 * kDown)};
      GridScan scan = StartGrid(area, precision);
      double highlights = 2;  // "Aponta", then "Clica"
      while (!GridEnded(scan)) {
        const GridRect& region = scan.regions.back();
        const int row = PartHolding(region.top, region.bottom, at.y);
        const int column = PartHolding(region.left, region.right, at.x);
        highlights += row + column;
        ChooseGridItem(scan, row);
        ChooseGridItem(scan, column);
      }
      total.highlights += highlights;
      total.levels += GridLevels(scan);
    }
  const double points = kAcross * kDown;
  return {total.highlights / points, total.levels / points};
}
