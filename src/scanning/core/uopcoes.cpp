// Drawing menu lines: a line centred in the panel's width, and an option lit on red (with
// fixed colours, in the configured colours swapped).
#include "scanning/core/uopcoes.h"

#include "console/ObCrt.h"
#include "scanning/core/uvars.h"

#include <iostream>

namespace {
constexpr unsigned char Black = 0, Red = 4;

int LineWidth() {
  if (SplashMode) return SplashColumns;
  return (CurrentMenu >= 1 && CurrentMenu <= AllMenuCount) ? MenuWidth[CurrentMenu] : 0;
}
}  // namespace

// A line end on the screen's last row would scroll every line up: the pointing menu's
// twelfth option lies there.
void WriteCentred(const std::string& text) {
  ClearToLineEnd();  // a lit line is red across its whole width
  const bool lastRow = CurrentRow() >= ScreenRows;
  const int indent = (LineWidth() - static_cast<int>(text.size())) / 2;
  if (indent > 0) std::cout << std::string(indent, ' ');
  std::cout << text;
  if (lastRow) std::cout << std::flush;
  else std::cout << '\n';
}

// Fixed colours ignore the background, so the highlight is asked for as well.
void SetLitBackground(unsigned char colour, bool lit) {
  SetBackground(colour);
  SetFixedHighlight(lit);
}

void ShowOptionLabel(int menu, int option, bool highlighted) {
  SetLitBackground(highlighted ? Red : Black, highlighted);
  GoToCell(1, option);
  if (const char* label = OptionLabel(menu, option)) WriteCentred(label);
  SetLitBackground(Black, false);
}
