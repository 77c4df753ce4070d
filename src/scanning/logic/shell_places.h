// The shell's own windows and places, as plain data: which foreground windows a window
// command must leave alone, and where on a taskbar its notification area lies.
#pragma once

// The desktop (Progman, WorkerW) or a taskbar (Shell_TrayWnd, Shell_SecondaryTrayWnd): Alt+F4
// there opens the shut-down dialog, and sizing them breaks the desktop.
bool IsShellWindowClass(const char* className);

struct ScreenPoint { int x, y; };
struct ScreenRect { int left, top, right, bottom; };
enum class TaskbarEdge { Left, Top, Right, Bottom };
// The notification end of a taskbar: the right end of one along the bottom or the top, the
// bottom end of one at a side, 20 pixels in from it.
ScreenPoint TrayPoint(TaskbarEdge edge, ScreenRect taskbar);
