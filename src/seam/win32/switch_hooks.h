// The switch's key and mouse button as low-level hooks see them, on a thread of their own
// that only queues each with its moment and keeps the chosen ones from every other program:
// the system drops a hook that is slow to answer, which a busy panel thread would be. Used by
// the seam's binding only.
#pragma once
#include <windows.h>

#include <cstdint>

#include "seam/seam.h"

constexpr int HookedRoom = 64;  // edges queued between two takes, far more than a switch gives

struct HookedEdge {
  SwitchInput input;
  bool down, injected;  // injected: it carries the playback's mark
  int64_t atMs;
};

bool SetSwitchHooks();                            // the keyboard hook's thread; false: no hook
bool SwitchHooksSet();
HANDLE HookedSignal();                            // set whenever an edge is queued
void WatchSwitchInputs(const SwitchInputs& inputs);  // the mouse hook too when a button is chosen
// Moves the queued edges out, up to room (HookedRoom takes all); nowMs: the clock read under
// the queue's lock, so every edge taken is dated before it, and every later one after it
// unless it happened before it and its hook ran late.
int TakeHookedEdges(HookedEdge* edges, int room, int64_t& nowMs);
