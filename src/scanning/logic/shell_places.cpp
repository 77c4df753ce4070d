#include "scanning/logic/shell_places.h"

#include <cstring>
#include <initializer_list>

bool IsShellWindowClass(const char* className) {
  for (const char* shell : {"Progman", "WorkerW", "Shell_TrayWnd", "Shell_SecondaryTrayWnd"})
    if (std::strcmp(className, shell) == 0) return true;
  return false;
}

ScreenPoint TrayPoint(TaskbarEdge edge, ScreenRect taskbar) {
  const int middleX = (taskbar.left + taskbar.right) / 2, middleY = (taskbar.top + taskbar.bottom) / 2;
  if (edge == TaskbarEdge::Left || edge == TaskbarEdge::Right) return {middleX, taskbar.bottom - 20};
  return {taskbar.right - 20, middleY};
}
