#include "seam/logic/ctrl_sources.h"

int RawCtrlKey(CtrlSources& sources, bool down, int64_t atMs, int64_t nowMs, CtrlEdge* edges) {
  if (down == sources.down) return 0;
  sources.down = down;
  sources.rawHeardAt = nowMs;
  edges[0] = {down, atMs};
  return 1;
}

int SampledCtrl(CtrlSources& sources, bool down, bool pressedSince, int64_t nowMs,
                CtrlEdge* edges) {
  if (nowMs - sources.rawHeardAt < RawEchoMs) return 0;
  if (down != sources.down) {
    sources.down = down;
    edges[0] = {down, nowMs};
    return 1;
  }
  if (down || !pressedSince) return 0;
  edges[0] = {true, nowMs};  // a whole tap between two samples
  edges[1] = {false, nowMs};
  return 2;
}
