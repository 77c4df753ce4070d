// A plain window of the test process standing for the user's own program: it records the
// clicks, drags and wheel turns it gets and whether it was asked to close.
#pragma once
#include <windows.h>

#include <vector>

namespace e2e {

struct TargetWindow {
  HWND window = nullptr;
  std::vector<POINT> clicks;     // left-button presses, in screen coordinates
  std::vector<POINT> releases;   // left-button releases, likewise
  int heldMoves = 0;             // moves with the left button down
  int wheelNotches = 0;          // toward the user below 0, away above
  int rightButtons = 0;          // right-button presses and releases
  int closeRequests = 0;         // WM_CLOSE received (the window then goes away)
};

// Shown at (left, top), width x height, in the foreground; the record lives as long as
// the window (destroy it before the record goes).
bool OpenTargetWindow(TargetWindow& target, const char* caption, int left, int top,
                      int width, int height);
void DestroyTargetWindow(TargetWindow& target);
POINT CentreOf(const TargetWindow& target);  // in screen coordinates

}  // namespace e2e
