// The panel: the console window sized to what it shows, docked at the work area's right
// edge, topmost and never activated, so replayed keys reach the user's own program.
#include "scanning/core/uwindow.h"

#include "console/ObCrt.h"
#include "scanning/core/uvars.h"

// The panel is sized in the cells the console really draws: with cells assumed 10 x 21
// while the font draws smaller ones, the frame comes out negative and the panel shrinks
// to a sliver that the platform widens past the screen's right edge.
void MeasureWorkArea() {
  CellWidth = CharWidth > 0 ? CharWidth : 10;
  CellHeight = CharHeight > 0 ? CharHeight : 21;
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  WorkRight = work.right;
  WorkBottom = work.bottom;
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(ConsoleWindow, &placement);
  const RECT& normal = placement.rcNormalPosition;
  FrameWidth = (normal.right - normal.left) - ScreenCols * CellWidth;
  FrameHeight = (normal.bottom - normal.top) - ScreenRows * CellHeight;
}

PanelBox PanelPlacement(bool atBottom) {
  const PanelCells cells = PanelCellsFor(SplashMode, HasArguments, CurrentMenu, KeyboardLayout);
  return PanelBoxFor(cells, {CellWidth, CellHeight, FrameWidth, FrameHeight, WorkRight, WorkBottom},
                     atBottom);
}

void PlacePanel(bool atBottom) {
  const PanelBox box = PanelPlacement(atBottom);
  SetWindowPos(ConsoleWindow, HWND_TOPMOST, box.left, box.top, box.width, box.height,
               SWP_SHOWWINDOW | SWP_NOACTIVATE);
}
