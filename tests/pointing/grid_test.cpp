// The pointing grid's rules on plain numbers: thirds and their remainder, where the pointer
// rests, the end at the precision scaled to the monitor, the way back after idle passes.
#include "pointing/logic/grid.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

const GridRect Screen{0, 0, 1024, 768};

TEST(PointingGrid, ThirdsInWholePixelsTheLastTakingTheRemainderAndThePointerAtTheirCentres) {
  EXPECT_EQ(GridRow(Screen, 3), (GridRect{0, 512, 1024, 768}));
  EXPECT_EQ(GridCell(Screen, 1, 2), (GridRect{341, 0, 682, 256}));
  EXPECT_EQ(GridCell(Screen, 1, 3), (GridRect{682, 0, 1024, 256})) << "342 wide: the remainder";
  EXPECT_EQ(GridCell({10, 10, 12, 40}, 2, 3), (GridRect{10, 20, 12, 30})) << "too narrow to cut";
  GridScan scan = StartGrid(Screen, 24);
  EXPECT_EQ(GridPointer(scan, 3), (GridPoint{511, 640})) << "a lit row, in its middle column";
  ChooseGridItem(scan, 3);
  EXPECT_EQ(GridItem(scan, 1), (GridRect{0, 512, 341, 768}));
  EXPECT_EQ(GridPointer(scan, 3), (GridPoint{853, 640}));
  ChooseGridItem(scan, 3);
  EXPECT_EQ(scan.regions.back(), (GridRect{682, 512, 1024, 768}));
}

// At 150 % the 24 pixels asked are 36; every point of a 1920 x 1080 screen is reached within
// half of them, in whichever row and cell hold it at each level.
TEST(PointingGrid, EndsWithinThePrecisionScaledToTheMonitorWhereverThePointLies) {
  EXPECT_EQ(GridPrecision(24, 144), 36);
  EXPECT_EQ(GridPrecision(1, 96), 3);
  const GridRect area{0, 40, 1920, 1080};
  for (int x = 0; x < 1920; x += 37)
    for (int y = 40; y < 1080; y += 29) {
      GridScan scan = StartGrid(area, GridPrecision(24, 144));
      while (!GridEnded(scan)) {
        for (int part = 1; part <= GridSide; ++part) {
          const GridRect item = GridItem(scan, part);
          if (scan.row == 0 ? y < item.bottom : x < item.right) {
            ChooseGridItem(scan, part);
            break;
          }
        }
      }
      const GridPoint at = GridCentre(scan.regions.back());
      ASSERT_LE(std::abs(at.x - x), 18) << x << "," << y;
      ASSERT_LE(std::abs(at.y - y), 18) << x << "," << y;
      ASSERT_EQ(GridLevels(scan), 4);
    }
}

TEST(PointingGrid, TwoIdlePassesStepBackOneLevelAndFromTheFirstRowsTheGridCloses) {
  int passes = 0, item = 0;
  std::vector<int> lit;
  while ((item = NextGridItem(item, GridSide, passes)) != 0) lit.push_back(item);
  EXPECT_EQ(lit, (std::vector<int>{1, 2, 3, 1, 2, 3}));
  GridScan scan = StartGrid(Screen, 24);
  ChooseGridItem(scan, 2);
  ChooseGridItem(scan, 1);
  ChooseGridItem(scan, 3);
  StepGridBack(scan);
  EXPECT_EQ(scan.row, 0) << "a row's cells back to the rows";
  EXPECT_EQ(GridLevels(scan), 1);
  StepGridBack(scan);
  EXPECT_EQ(GridLevels(scan), 0) << "the rows back to the region before";
  EXPECT_FALSE(GridClosed(scan));
  StepGridBack(scan);
  EXPECT_TRUE(GridClosed(scan));
}

}  // namespace
