// The panel's pace as its user meets it: started with a dwell and nobody pressing, the mouse
// menu's options are watched lighting one after another, and the mean time each stays lit
// is printed against the dwell set. Run by scripts/pace.sh, which also measures the panel's
// processor time meanwhile; not a test of the suite.
//   e2e_pace_probe.exe dwell items
#include "desktop.h"

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace e2e;

namespace {

// Moments at which a new option lit, `count` of them after the first.
bool WatchChanges(int dwell, int count, DWORD& first, DWORD& last) {
  Lit before = ReadLit();
  int seen = -1;
  return WaitUntil([&] {
    const Lit now = ReadLit();
    if (now.row != 0 && !(now == before)) {
      last = GetTickCount();
      if (++seen == 0) first = last;
    }
    before = now;
    return seen >= count;
  }, static_cast<DWORD>((dwell + 500) * (count + 2)));
}

}  // namespace

int main(int argc, char** argv) {
  const int dwell = argc > 1 ? std::atoi(argv[1]) : 1000;
  const int items = argc > 2 ? std::atoi(argv[2]) : 22;
  SetDwell(dwell);
  if (!InstallPanelSettings() || !StartPanel("250 " + std::to_string(dwell))) return 2;
  WaitUntil([] { return Caption(PanelWindow()) == "Acenora - v2.0"; }, 5000);
  LearnFrame(30, 9);
  if (!WaitUntil([] { return PanelVisible() && PanelShape() == Shape{16, 11}; }, 20000)) return 3;
  std::printf("measuring\n");
  std::fflush(stdout);
  DWORD first = 0, last = 0;
  const bool watched = WatchChanges(dwell, items, first, last);
  std::printf("done\n");
  if (watched)
    std::printf("dwell %d ms: %d options lit in %lu ms, %.1f ms each, ratio %.4f\n", dwell,
                items, last - first, double(last - first) / items,
                double(last - first) / items / dwell);
  std::fflush(stdout);
  ClosePanel();
  RestorePanelSettings();
  return watched ? 0 : 1;
}
