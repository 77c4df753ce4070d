#include "seam/logic/key_sources.h"

int RawSwitchKey(KeySources& sources, bool down, bool injected, int64_t atMs, int64_t nowMs,
               KeyEdge* edges) {
  sources.rawHeardAt = nowMs;
  if (injected) {
    sources.ownDown = down;
    return 0;
  }
  if (down == sources.down) return 0;
  sources.down = down;
  edges[0] = {down, atMs};
  return 1;
}

namespace {
bool RawRecent(const KeySources& sources, int64_t nowMs) {
  return nowMs - sources.rawHeardAt < RawHoldMs;
}
// Raw input holds Ctrl down and still repeats it, and the sample cannot see it: its up is the
// system hiding the key, not a release. Where the sample can see, it ends a press whose
// key-up raw input lost (Wine brings none once no window is in front).
bool RawHolds(const KeySources& sources, int64_t nowMs) {
  return sources.sampleBlind && sources.down && RawRecent(sources, nowMs);
}
}  // namespace

int SampledSwitchKey(KeySources& sources, bool down, bool pressedSince, int64_t nowMs,
                KeyEdge* edges) {
  if (nowMs - sources.rawHeardAt < RawEchoMs) return 0;
  if (sources.ownDown && RawRecent(sources, nowMs)) return 0;  // a lost own key-up expires
  if (down != sources.down) {
    if (!down && RawHolds(sources, nowMs)) return 0;
    sources.down = down;
    edges[0] = {down, nowMs};
    return 1;
  }
  if (down || !pressedSince) return 0;
  edges[0] = {true, nowMs};  // a whole tap between two samples
  edges[1] = {false, nowMs};
  return 2;
}
