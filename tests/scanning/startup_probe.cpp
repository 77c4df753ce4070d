// The program for the start-up tests, with the playback library only recorded. Run as it
// is, it is the whole program; with STARTUP_REPORT naming a file it only starts up, writes
// the program variables and whether the screen is clear to that file, and ends.
#include <cstdio>
#include <cstdlib>

#include "console/ObCrt.h"
#include "scanning/acenora.h"
#include "scanning/core/uvars.h"

namespace {

bool ScreenClear() {
  for (int cell = 0; cell < ScreenCols * ScreenRows; ++cell)
    if (CellChars[cell] != ' ') return false;
  return true;
}

void WriteReport(const char* path) {
  std::FILE* file = std::fopen(path, "w");
  if (!file) return;
  std::fprintf(file, "Threshold=%d DwellMs=%d CurrentMenu=%d KeyboardLayout=%d RepeatArmed=%d "
               "SplashMode=%d PanelAtBottom=%d ScreenClear=%d Size=%dx%d\n",
               Threshold, DwellMs, CurrentMenu, KeyboardLayout, RepeatArmed, SplashMode,
               PanelAtBottom, ScreenClear(), ScreenCols, ScreenRows);
  std::fclose(file);
}

}  // namespace

int main() {
  const char* report = std::getenv("STARTUP_REPORT");
  if (!report || !*report) return AcenoraMain();
  ConsoleInit();
  StartUp();
  WriteReport(report);
  DestroyWindow(ConsoleWindow);  // so the end does not wait for the window to be closed
  return 0;
}
