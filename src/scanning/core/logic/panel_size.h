// The panel's size and dock in pixels, worked out from plain numbers.
#pragma once

struct PanelBox { int left, top, width, height; };
struct PanelCells { int columns, rows; };

// What the panel must show: the start-up screen, a menu (1..7) or a keyboard layout (1..6).
// A menu or layout outside the tables is sized as menu 1, the loop's own fallback.
PanelCells PanelCellsFor(bool splash, bool hasArguments, int menu, int layout);

struct PanelFrame {
  int cellWidth, cellHeight, frameWidth, frameHeight, workRight, workBottom;
  int workTop = 0;
};

// Right edge on the work area's; at the bottom or at the top of the work area, so a taskbar
// at the screen's top is not covered.
PanelBox PanelBoxFor(PanelCells cells, const PanelFrame& frame, bool atBottom);
// A window of that size docked the same way.
PanelBox DockedBox(int width, int height, int workRight, int workBottom, int workTop,
                   bool atBottom);
