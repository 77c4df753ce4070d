// The grid's scan follows the option scanner's rules: each row or cell lit for the Delay (the
// first one longer when the caregiver asks), the press counted for what was lit when it
// began, and its reaction time noted. The pointer rests where the lit row or cell is, so the
// person sees what lies under it.
#include "pointing/uapontar.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "console/ObCrt.h"
#include "pointing/ugrade.h"
#include "scanning/core/uvars.h"
#include "seam/seam.h"
#include "speaking/logic/spoken_items.h"
#include "speaking/ufalas.h"
#include "switch/logic/lit_items.h"
#include "switch/uctlsom.h"
#include "switch/utempos.h"

bool PointingOn = false;
int PointingPrecision = 24;

namespace {

constexpr int kLargestPrecision = 200;

int ItemTicks(int item) { return DwellTicks() + (item == 1 ? FirstItemExtraTicks() : 0); }

void PointAt(GridPoint at) { SetCursorPos(at.x, at.y); }

// One level of `count` items lit in turn until a press or the idle passes run out: the item
// chosen, or 0. show lights an item and tells where the pointer rests meanwhile; said tells
// what is said as it lights.
template <typename Show, typename Said>
int ScanItems(int count, Show show, Said said) {
  LitItems lit;
  int passes = 0;
  for (int item = NextGridItem(0, count, passes); item != 0; item = NextGridItem(item, count, passes)) {
    lit.Light(item, SeamMarkNow());
    PointAt(show(item));
    Say(said(item));
    if (DwellNextItem(ItemTicks(item))) {
      const int chosen = lit.LitAt(PressBeganMs);
      NoteChoice(ChoiceKind::Option, lit.LitSinceAt(PressBeganMs), chosen == 1);
      PointAt(show(chosen));  // shown lit while the hit dies away
      WaitQuiet();
      return chosen;
    }
  }
  return 0;
}

int ScanMonitors(const std::vector<GridRect>& areas) {
  return ScanItems(static_cast<int>(areas.size()), [&](int monitor) {
    const GridRect& area = areas[monitor - 1];
    ShowGrid(area, area, area);
    return GridCentre(area);
  }, MonitorSaid);
}

// Rows and cells until the region is fine (true) or the grid closes (false).
bool ScanRegions(const GridRect& area, GridScan& scan) {
  while (!GridEnded(scan)) {
    const int chosen = ScanItems(GridSide, [&](int item) {
      ShowGrid(area, scan.regions.back(), GridItem(scan, item));
      return GridPointer(scan, item);
    }, [&](int item) { return GridPlaceSaid(scan.row != 0, item); });
    if (chosen) ChooseGridItem(scan, chosen);
    else StepGridBack(scan);
    if (GridClosed(scan)) return false;
  }
  return true;
}

}  // namespace

void ReadPointingSettings() {
  PointingOn = ReadSetting("MOUSE", "APONTAR", "0") == "1";
  const int precision = std::atoi(ReadSetting("MOUSE", "PRECISAO", "24").c_str());
  PointingPrecision = precision >= 1 && precision <= kLargestPrecision ? precision : 24;
}

// With more than one monitor, the monitors light first; a grid let close goes back to them.
bool PointWithGrid(POINT& at) {
  const std::vector<GridRect> areas = MonitorWorkAreas();
  for (;;) {
    const int monitor = areas.size() > 1 ? ScanMonitors(areas) : 1;
    if (monitor == 0) break;
    const GridRect& area = areas[monitor - 1];
    GridScan scan = StartGrid(area, GridPrecision(PointingPrecision, MonitorDpi(area)));
    if (ScanRegions(area, scan)) {
      const GridPoint point = GridCentre(scan.regions.back());
      PointAt(point);
      ShowGridMark(area, point);
      at = {point.x, point.y};
      return true;
    }
    if (areas.size() == 1) break;
  }
  HideGrid();
  return false;
}
