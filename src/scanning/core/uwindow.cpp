// The panel: the console window sized to what it shows, docked at the work area's right
// edge, topmost and never activated, so replayed keys reach the user's own program.
#include "scanning/core/uwindow.h"

#include <dwmapi.h>

#include "console/ObCrt.h"
#include "scanning/core/logic/topmost_retry.h"
#include "scanning/core/uvars.h"
#include "seam/seam.h"

namespace {

RECT WindowRect() {
  RECT frame{};
  GetWindowRect(ConsoleWindow, &frame);
  return frame;
}

// What the user sees of the window: the platform's composed frame leaves out the invisible
// resize borders that the window's rectangle holds; without composition they are the same.
RECT VisibleRect() {
  RECT visible{};
  if (SUCCEEDED(DwmGetWindowAttribute(ConsoleWindow, DWMWA_EXTENDED_FRAME_BOUNDS, &visible,
                                      sizeof visible)) &&
      visible.right > visible.left && visible.bottom > visible.top)
    return visible;
  return WindowRect();
}

// Rounded corners would clip the corner cells; only the newest platform knows the request,
// the others refuse it.
// The attribute and its value as the platform numbers them (DWMWA_WINDOW_CORNER_PREFERENCE,
// DWMWCP_DONOTROUND), which older headers lack.
constexpr DWORD kCornerPreference = 33, kDoNotRound = 1;
void AskSquareCorners() {
  DwmSetWindowAttribute(ConsoleWindow, kCornerPreference, &kDoNotRound, sizeof kDoNotRound);
}

// A taskbar moved, a monitor added or removed, another resolution: the edges are read again
// at every placement.
void ReadWorkArea() {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  WorkLeft = work.left;
  WorkRight = work.right;
  WorkBottom = work.bottom;
  WorkTop = work.top;
}

}  // namespace

// The panel is sized in the cells the console really draws, and its frame is what the window
// adds around its client area: reckoned from the 80 x 12 cells instead, it goes negative as
// soon as the platform caps a wide font's window at the screen's width.
void MeasureWorkArea() {
  CellWidth = CharWidth > 0 ? CharWidth : 10;
  CellHeight = CharHeight > 0 ? CharHeight : 21;
  ReadWorkArea();
  const RECT frame = WindowRect();
  RECT client{};
  GetClientRect(ConsoleWindow, &client);
  FrameWidth = (frame.right - frame.left) - client.right;
  FrameHeight = (frame.bottom - frame.top) - client.bottom;
}

PanelBox PanelPlacement(bool atBottom) {
  const PanelCells cells = PanelCellsFor(SplashMode, HasArguments, CurrentMenu, KeyboardLayout);
  return PanelBoxFor(cells, {CellWidth, CellHeight, FrameWidth, FrameHeight, WorkRight, WorkBottom, WorkTop},
                     atBottom);
}

// The platform keeps a window at least its smallest tracking size, so a narrow panel comes
// out wider than asked: it is placed first, then docked again by the size it really has.
// Docked by what is visible, so no strip of the window behind shows past its edges.
void PlacePanel(bool atBottom) {
  ReadWorkArea();
  AskSquareCorners();
  const PanelBox box = PanelPlacement(atBottom);
  SetWindowPos(ConsoleWindow, nullptr, box.left, box.top, box.width, box.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  const RECT sized = WindowRect();
  const RECT visible = VisibleRect();
  const PanelBox docked = DockedBox(visible.right - visible.left, visible.bottom - visible.top,
                                    WorkRight, WorkBottom, WorkTop, atBottom);
  SetWindowPos(ConsoleWindow, HWND_TOPMOST, docked.left - (visible.left - sized.left),
               docked.top - (visible.top - sized.top), 0, 0,
               SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

// After a change of scale a panel that shows docks anew; a hidden one docks when next shown.
void RedockAfterRescale() {
  MeasureWorkArea();
  if (IsWindowVisible(ConsoleWindow)) PlacePanel(PanelAtBottom);
}

namespace {
TopmostRetry Retry;

bool Overlap(const RECT& a, const RECT& b) {
  RECT common{};
  return IntersectRect(&common, &a, &b) != FALSE;
}

// A window on another virtual desktop, or an application the system keeps suspended, is
// "visible" but not shown.
bool Cloaked(HWND window) {
  DWORD cloaked = 0;
  return SUCCEEDED(DwmGetWindowAttribute(window, DWMWA_CLOAKED, &cloaked, sizeof cloaked)) && cloaked;
}

// A topmost window made after the panel's last placement lies above it.
bool CoveredByTopmost() {
  const RECT panel = WindowRect();
  for (HWND above = GetWindow(ConsoleWindow, GW_HWNDPREV); above;
       above = GetWindow(above, GW_HWNDPREV)) {
    RECT frame{};
    if (IsWindowVisible(above) && (GetWindowLongPtrW(above, GWL_EXSTYLE) & WS_EX_TOPMOST) &&
        GetWindowRect(above, &frame) && Overlap(frame, panel) && !Cloaked(above))
      return true;
  }
  return false;
}
}  // namespace

void KeepPanelOnTop() {
  const int64_t now = SeamNowMs();
  if (!ConsoleWindow || !IsWindowVisible(ConsoleWindow) || !CoveredByTopmost()) {
    TopmostUncovered(Retry, now);
    return;
  }
  if (!TopmostRetryDue(Retry, now)) return;
  SetWindowPos(ConsoleWindow, HWND_TOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  TopmostRetried(Retry, now);
}
