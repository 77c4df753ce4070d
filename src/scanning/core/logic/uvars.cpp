// The program variables at their load values, the panel's size tables and the two small
// rules every scanner shares: whole ticks of a dwell, and accent-aware upper-casing.
#include "scanning/core/uvars.h"

#include <algorithm>

int32_t CurrentMenu = 0;
int32_t KeyboardLayout = 0;
int32_t LettersLayout = 1;
int32_t Threshold = 0;
int32_t DwellMs = 1000;
bool PanelAtBottom = false;
int32_t ResumeOption = 0;
bool SplashMode = false;
bool RepeatArmed = false;
bool ShiftLatch = false, CtrlLatch = false, AltLatch = false;
bool HasArguments = false;
int32_t KeyboardTopLines = 0, SuggestionColumns = 0;

int32_t CellWidth = 0, CellHeight = 0, WorkLeft = 0, WorkRight = 0, WorkBottom = 0, WorkTop = 0, FrameWidth = 0, FrameHeight = 0;

const int32_t OptionCount[AllMenuCount + 1] = {0, 11, 8, 9, 11, 4, 10, 7, 12, 7};
const int32_t MenuWidth[AllMenuCount + 1] = {0, 16, 19, 16, 19, 13, 20, 16, 16, 16};
const int32_t KeyboardRows[LayoutCount + 1] = {0, 8, 8, 7, 7, 8, 7, 8};
const int32_t KeyboardWidth[LayoutCount + 1] = {0, 23, 23, 19, 19, 19, 19, 23};

// A dwell below one tick would never poll the switch nor pump the window: one tick at least.
int DwellTicks() { return std::max<int32_t>(1, DwellMs / 100); }

std::string UpperAccented(std::string text) {
  for (char& c : text) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if ((byte >= 'a' && byte <= 'z') || byte >= 224) c = static_cast<char>(byte - 32);
  }
  return text;
}
