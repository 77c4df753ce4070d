#include "scanning/core/logic/panel_size.h"

#include "scanning/core/uvars.h"

#include <algorithm>

namespace {
constexpr int SplashRowsWithArguments = 9;
constexpr int SplashRowsWithPrompts = 11;

bool InRange(int value, int last) { return value >= 1 && value <= last; }
}  // namespace

PanelCells PanelCellsFor(bool splash, bool hasArguments, int menu, int layout) {
  if (splash) return {SplashColumns, hasArguments ? SplashRowsWithArguments : SplashRowsWithPrompts};
  if (menu == 0 && InRange(layout, LayoutCount))
    return {std::max(KeyboardWidth[layout], SuggestionColumns), KeyboardRows[layout] + KeyboardTopLines};
  if (!InRange(menu, AllMenuCount)) menu = 1;
  return {MenuWidth[menu], OptionCount[menu]};
}

PanelBox PanelBoxFor(PanelCells cells, const PanelFrame& frame, bool atBottom) {
  return DockedBox(cells.columns * frame.cellWidth + frame.frameWidth,
                   cells.rows * frame.cellHeight + frame.frameHeight, frame.workRight,
                   frame.workBottom, frame.workTop, atBottom);
}

PanelBox DockedBox(int width, int height, int workRight, int workBottom, int workTop,
                   bool atBottom) {
  return {workRight - width, atBottom ? workBottom - height : workTop, width, height};
}
