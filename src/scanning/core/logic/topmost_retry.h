// When the panel takes its topmost place again once a topmost window covers it: at once the
// first time, then ever more slowly while taking it does not hold (a band of the system's
// own that no program rises above, or another program taking the same place back), so the
// panel never fights another program ten times a second. Knows nothing of windows.
#pragma once
#include <cstdint>
#include <limits>

constexpr int64_t TopmostFirstWaitMs = 500;
constexpr int64_t TopmostLongestWaitMs = 30000;
constexpr int64_t TopmostHeldMs = 2000;  // uncovered this long after a try: the try held

struct TopmostRetry {
  int64_t takenAtMs = std::numeric_limits<int64_t>::min() / 2;
  int64_t waitMs = 0;
};

bool TopmostRetryDue(const TopmostRetry& retry, int64_t nowMs);  // covered now: take the place?
void TopmostRetried(TopmostRetry& retry, int64_t nowMs);         // it was taken at nowMs
void TopmostUncovered(TopmostRetry& retry, int64_t nowMs);       // nothing covers the panel now
