// The shell's windows and places: which foreground windows the window commands leave alone,
// and where the tray is on a taskbar at any edge.
#include "scanning/logic/shell_places.h"

#include <gtest/gtest.h>

namespace {

TEST(ShellPlaces, OnlyTheDesktopAndTheTaskbarsAreTheShells) {
  for (const char* shell : {"Progman", "WorkerW", "Shell_TrayWnd", "Shell_SecondaryTrayWnd"})
    EXPECT_TRUE(IsShellWindowClass(shell)) << shell;
  for (const char* other : {"Notepad", "progman", "Shell_TrayWndX", "", "CabinetWClass"})
    EXPECT_FALSE(IsShellWindowClass(other)) << other;
}

TEST(ShellPlaces, TheTrayIsAtTheNotificationEndOfTheTaskbarWhereverItIs) {
  const ScreenRect bottom{0, 728, 1024, 768}, top{0, 0, 1024, 40}, left{0, 0, 60, 768},
      right{964, 0, 1024, 768};
  auto same = [](ScreenPoint a, ScreenPoint b) { return a.x == b.x && a.y == b.y; };
  EXPECT_TRUE(same(TrayPoint(TaskbarEdge::Bottom, bottom), {1004, 748}));
  EXPECT_TRUE(same(TrayPoint(TaskbarEdge::Top, top), {1004, 20}));
  EXPECT_TRUE(same(TrayPoint(TaskbarEdge::Left, left), {30, 748}));
  EXPECT_TRUE(same(TrayPoint(TaskbarEdge::Right, right), {994, 748}));
}

}  // namespace
