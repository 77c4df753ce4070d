// What a press chose: the item lit when it began. A press is often seen only after the
// highlight has moved on (a sound is read once its buffer is full), so a scanner notes each
// item as it lights and asks which one a press's moment falls in.
#pragma once
#include <cstdint>

struct LitItems {
  int current = 0, previous = 0;  // 0: none
  int64_t currentSince = 0, previousSince = 0;

  void Light(int item, int64_t nowMs) {
    previous = current;
    previousSince = currentSince;
    current = item;
    currentSince = nowMs;
  }
  bool BeforeCurrent(int64_t atMs) const { return atMs < currentSince && previous != 0; }
  int LitAt(int64_t atMs) const { return BeforeCurrent(atMs) ? previous : current; }
  // When the item a press at atMs chose had lit: its reaction time is counted from there.
  int64_t LitSinceAt(int64_t atMs) const { return BeforeCurrent(atMs) ? previousSince : currentSince; }
};
