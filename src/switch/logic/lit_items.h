// What a press chose: the item lit when it began. A press is often seen only after the
// highlight has moved on (a sound is read once its buffer is full), so a scanner notes each
// item as it lights and asks which one a press's moment falls in.
#pragma once
#include <cstdint>

struct LitItems {
  int current = 0, previous = 0;  // 0: none
  int64_t currentSince = 0;

  void Light(int item, int64_t nowMs) {
    previous = current;
    current = item;
    currentSince = nowMs;
  }
  int LitAt(int64_t atMs) const { return atMs < currentSince && previous != 0 ? previous : current; }
};
