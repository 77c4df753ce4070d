#include "scanning/core/logic/topmost_retry.h"

#include <algorithm>

bool TopmostRetryDue(const TopmostRetry& retry, int64_t nowMs) {
  return nowMs - retry.takenAtMs >= retry.waitMs;
}

void TopmostRetried(TopmostRetry& retry, int64_t nowMs) {
  retry.waitMs = std::clamp(2 * retry.waitMs, TopmostFirstWaitMs, TopmostLongestWaitMs);
  retry.takenAtMs = nowMs;
}

void TopmostUncovered(TopmostRetry& retry, int64_t nowMs) {
  if (nowMs - retry.takenAtMs >= TopmostHeldMs) retry.waitMs = 0;
}
