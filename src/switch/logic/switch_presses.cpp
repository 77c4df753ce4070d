#include "switch/logic/switch_presses.h"

#include <initializer_list>

namespace {
// Of the presses that count between two polls, the earliest is the one the person meant.
void Offer(PressTracker& tracker, PressSource& source, bool held, int64_t releasedAt) {
  source.taken = true;
  if (tracker.found != nullptr && tracker.foundAt <= source.downAt) return;
  tracker.found = &source;
  tracker.foundAt = source.downAt;
  tracker.foundHeld = held;
  tracker.foundReleasedAt = releasedAt;
}

bool Counts(const PressTracker& tracker, const PressSource& source, int64_t untilMs,
            const SwitchFilters& filters) {
  return !source.taken && source.downAt >= tracker.ignoreUntil &&
         untilMs - source.downAt >= filters.minPressMs;
}

void IgnoreAfter(PressTracker& tracker, int64_t releasedAt, const SwitchFilters& filters) {
  tracker.ignoreUntil = releasedAt + filters.ignoreAfterChoiceMs;
}

void Press(PressSource& source, int64_t atMs) { source = PressSource{true, atMs, false, false}; }

void Release(PressTracker& tracker, PressSource& source, int64_t atMs, const SwitchFilters& filters) {
  source.down = false;
  if (source.chose) IgnoreAfter(tracker, atMs, filters);
  source.chose = false;
  if (Counts(tracker, source, atMs, filters)) Offer(tracker, source, false, atMs);
  if (tracker.found == &source && tracker.foundHeld) {
    tracker.foundHeld = false;
    tracker.foundReleasedAt = atMs;
  }
}
}  // namespace

void PressEdge(PressTracker& tracker, PressSource& source, bool down, int64_t atMs,
               const SwitchFilters& filters) {
  if (down == source.down) return;
  if (down) Press(source, atMs);
  else Release(tracker, source, atMs, filters);
}

bool TakePress(PressTracker& tracker, int64_t nowMs, const SwitchFilters& filters,
               int64_t* beganMs) {
  for (PressSource* source : {&tracker.key, &tracker.sound, &tracker.mouse, &tracker.pad})
    if (source->down && Counts(tracker, *source, nowMs, filters)) Offer(tracker, *source, true, 0);
  if (tracker.found == nullptr) return false;
  *beganMs = tracker.foundAt;
  tracker.taken = tracker.found;
  tracker.found->chose = tracker.foundHeld;
  if (tracker.foundHeld) tracker.ignoreUntil = std::numeric_limits<int64_t>::max();
  else IgnoreAfter(tracker, tracker.foundReleasedAt, filters);
  tracker.found = nullptr;
  return true;
}

bool PressHeld(const PressTracker& tracker) {
  return tracker.key.down || tracker.sound.down || tracker.mouse.down || tracker.pad.down;
}

size_t SoundEdges(SoundState& state, const unsigned char* samples, size_t count, int threshold,
                  SoundEdge* edges, size_t room) {
  size_t written = 0;
  auto emit = [&](bool down, int64_t position) {
    if (written < room) edges[written++] = {down, position};
  };
  for (size_t i = 0; i < count; ++i, ++state.position) {
    const int magnitude = samples[i] >= 128 ? samples[i] - 128 : 128 - samples[i];
    if (magnitude <= threshold) continue;
    if (state.loud && state.position - state.lastLoud > SoundReleaseSamples) {
      emit(false, state.lastLoud);
      state.loud = false;
    }
    if (!state.loud) emit(true, state.position);
    state.loud = true;
    state.lastLoud = state.position;
  }
  return written;
}

bool SoundReleased(SoundState& state, SoundEdge* edge) {
  if (!state.loud || state.position - state.lastLoud <= SoundReleaseSamples) return false;
  state.loud = false;
  *edge = {false, state.lastLoud};
  return true;
}

void DeafenSound(DeafSpans& spans, int64_t fromMs, int64_t untilMs) {
  if (spans.from[spans.latest] != fromMs) spans.latest = (spans.latest + 1) % DeafSpans::Kept;
  spans.from[spans.latest] = fromMs;
  spans.until[spans.latest] = untilMs;
}

bool DeafAt(const DeafSpans& spans, int64_t atMs) {
  for (int i = 0; i < DeafSpans::Kept; ++i)
    if (atMs >= spans.from[i] && atMs < spans.until[i]) return true;
  return false;
}

int64_t SampleMoment(int64_t position, int64_t devicePosition, int64_t nowMs, int64_t rate) {
  if (rate <= 0) return nowMs;
  const int64_t behind = devicePosition > position ? devicePosition - position : 0;
  return nowMs - behind * 1000 / rate;
}

int32_t FilterMs(const char* text) {
  if (text == nullptr) return 0;
  while (*text == ' ' || *text == '\t') ++text;
  int32_t value = 0;
  const char* digits = text;
  for (; *text >= '0' && *text <= '9'; ++text) {
    value = value * 10 + (*text - '0');
    if (value > 10000) return 0;
  }
  while (*text == ' ' || *text == '\t') ++text;
  return (text == digits || *text != 0) ? 0 : value;
}

int64_t DwellStart(int64_t lastDwellEndMs, int64_t nowMs) {
  return nowMs >= lastDwellEndMs && nowMs - lastDwellEndMs < TickMs ? lastDwellEndMs : nowMs;
}

bool ItemGoesOut(int tick, int ticks, int64_t tickEndMs, int64_t promptEndMs, int32_t pauseMs) {
  return tick >= ticks && promptEndMs != PromptPlaying && tickEndMs >= promptEndMs + pauseMs;
}
