// The pointing grid as plain rules: a region of the screen cut into three rows, each into
// three cells; a row chosen, then a cell, which becomes the region, until the region is no
// wider nor higher than the precision asked; where the pointer rests while each row or cell
// is lit; a step back after two passes without a press. Knows nothing of windows.
#pragma once
#include <vector>

struct GridRect {
  int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom just outside
  bool operator==(const GridRect&) const = default;
};
struct GridPoint {
  int x = 0, y = 0;
  bool operator==(const GridPoint&) const = default;
};

constexpr int GridSide = 3;        // rows of a region, cells of a row
constexpr int GridIdlePasses = 2;  // whole passes without a press before a step back

// Thirds in whole pixels, the last taking what remains; a side under three pixels is not
// cut. Rows count 1..3 from the top, columns 1..3 from the left.
GridRect GridRow(const GridRect& region, int row);
GridRect GridCell(const GridRect& region, int row, int column);
GridPoint GridCentre(const GridRect& rect);
int GridPrecision(int pixelsAt96, int dpi);  // the precision at that scale, at least 3 pixels

// Where a scan stands: the regions chosen so far, the first the work area, and the row whose
// cells light (0 while the rows light).
struct GridScan {
  std::vector<GridRect> regions;
  int row = 0;
  int precision = 24;
};
GridScan StartGrid(const GridRect& area, int precision);
GridRect GridItem(const GridScan& scan, int item);      // the row or cell lit as item 1..3
GridPoint GridPointer(const GridScan& scan, int item);  // where the pointer rests meanwhile
// The item of count lit after `item` (0 before the first); 0 once they have all lit for
// GridIdlePasses whole passes without a press, counted in idlePasses: step back.
int NextGridItem(int item, int count, int& idlePasses);
void ChooseGridItem(GridScan& scan, int item);          // a row; or a cell, the new region
void StepGridBack(GridScan& scan);  // a row's cells back to its rows; rows back a region
bool GridClosed(const GridScan& scan);  // stepped back from the first region's rows
bool GridEnded(const GridScan& scan);   // the region is fine enough: the point is its centre
int GridLevels(const GridScan& scan);   // regions chosen so far

// What pointing costs an ideal user, who presses the instant the wanted row or cell lights:
// a row r and a cell c cost r + c highlights, and "Aponta" and "Clica" one each. The mean
// over a lattice of points spread evenly over the area.
struct PointingCost {
  double highlights = 0, levels = 0;
};
PointingCost MeanPointingCost(const GridRect& area, int precision);
