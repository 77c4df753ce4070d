// The panel: the console window sized to what it shows, docked at the work area's right
// edge, topmost and never activated, so replayed keys reach the user's own program.
#include "scanning/core/uwindow.h"

#include "console/ObCrt.h"
#include "scanning/core/uvars.h"

namespace {

RECT WindowRect() {
  RECT frame{};
  GetWindowRect(ConsoleWindow, &frame);
  return frame;
}

}  // namespace

// The panel is sized in the cells the console really draws, and its frame is what the window
// adds around its client area: reckoned from the 80 x 12 cells instead, it goes negative as
// soon as the platform caps a wide font's window at the screen's width.
void MeasureWorkArea() {
  CellWidth = CharWidth > 0 ? CharWidth : 10;
  CellHeight = CharHeight > 0 ? CharHeight : 21;
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  WorkRight = work.right;
  WorkBottom = work.bottom;
  const RECT frame = WindowRect();
  RECT client{};
  GetClientRect(ConsoleWindow, &client);
  FrameWidth = (frame.right - frame.left) - client.right;
  FrameHeight = (frame.bottom - frame.top) - client.bottom;
}

PanelBox PanelPlacement(bool atBottom) {
  const PanelCells cells = PanelCellsFor(SplashMode, HasArguments, CurrentMenu, KeyboardLayout);
  return PanelBoxFor(cells, {CellWidth, CellHeight, FrameWidth, FrameHeight, WorkRight, WorkBottom},
                     atBottom);
}

// The platform keeps a window at least its smallest tracking size, so a narrow panel comes
// out wider than asked: it is placed first, then docked again by the size it really has.
void PlacePanel(bool atBottom) {
  const PanelBox box = PanelPlacement(atBottom);
  SetWindowPos(ConsoleWindow, nullptr, box.left, box.top, box.width, box.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  const RECT sized = WindowRect();
  const PanelBox docked = DockedBox(sized.right - sized.left, sized.bottom - sized.top,
                                    WorkRight, WorkBottom, atBottom);
  SetWindowPos(ConsoleWindow, HWND_TOPMOST, docked.left, docked.top, 0, 0,
               SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
}
