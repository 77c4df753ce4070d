// Switch presses from moments in time: the downs and ups of the switch's key, mouse button
// and controller button and the sound's loud stretches become presses, each dated by when it began, and a caregiver's filters decide
// which of them count. Knows nothing of devices, ticks or the platform.
#pragma once
#include <cstddef>
#include <cstdint>
#include <limits>

// The caregiver's filters, in milliseconds; 0 leaves each one off.
struct SwitchFilters {
  int32_t minPressMs = 0;           // a press counts once it has lasted this long
  int32_t ignoreAfterChoiceMs = 0;  // presses beginning this soon after a choice's release
  int32_t firstItemExtraMs = 0;     // the first item of a scan or key pass stays lit longer
};

// One input of the switch: down since downAt, or up.
struct PressSource {
  bool down = false;
  int64_t downAt = 0;
  bool taken = false;     // already counted as a press
  bool chose = false;     // counted and still held: its release starts the ignored time
};

struct PressTracker {
  PressSource key, sound, mouse, pad;
  PressSource* found = nullptr;  // the source of the press waiting to be taken
  const PressSource* taken = nullptr;  // the source of the press taken last
  int64_t foundAt = 0;           // when it began
  bool foundHeld = false;        // it is still held
  int64_t foundReleasedAt = 0;   // else when it was let go
  // Presses begun before this are not taken: the end of the ignored time after a choice, or
  // for ever while the press that chose is held.
  int64_t ignoreUntil = std::numeric_limits<int64_t>::min();
};

// One edge of one source at a moment; a repeated down or up changes nothing.
void PressEdge(PressTracker& tracker, PressSource& source, bool down, int64_t atMs,
               const SwitchFilters& filters);
// At a poll: true once for each press that counts, with the moment it began; when several
// count since the last poll the earliest is taken and the others go with it.
bool TakePress(PressTracker& tracker, int64_t nowMs, const SwitchFilters& filters,
               int64_t* beganMs);
bool PressHeld(const PressTracker& tracker);  // any source is down now

// The sound as a switch: down at the first sample further from silence than the threshold,
// up once ReleaseSamples have passed with none. Positions count samples since the ring opened.
constexpr int64_t SoundReleaseSamples = 441;  // 40 ms at 11025 per second
struct SoundEdge {
  bool down;
  int64_t position;  // the loud sample that began it, or the last loud one before quiet
};
struct SoundState {
  bool loud = false;
  int64_t lastLoud = 0;
  int64_t position = 0;  // samples taken in
};
// Takes in samples; writes at most room edges to edges and returns how many it wrote.
size_t SoundEdges(SoundState& state, const unsigned char* samples, size_t count, int threshold,
                  SoundEdge* edges, size_t room);
// The release of a loud stretch whose quiet has lasted ReleaseSamples by now; false if none.
bool SoundReleased(SoundState& state, SoundEdge* edge);

// Stretches of time in which the microphone hears the panel's own voice: a sound that begins
// in one is no press. The last few are kept, as a sound is read some buffers late.
struct DeafSpans {
  static constexpr int Kept = 4;
  int64_t from[Kept] = {}, until[Kept] = {};
  int latest = 0;
};
// Deaf from fromMs until untilMs; the span begun at fromMs last is only given its new end.
void DeafenSound(DeafSpans& spans, int64_t fromMs, int64_t untilMs);
bool DeafAt(const DeafSpans& spans, int64_t atMs);

// The moment a sample at position was recorded, given that the device had recorded up to
// devicePosition at nowMs, at rate samples per second.
int64_t SampleMoment(int64_t position, int64_t devicePosition, int64_t nowMs, int64_t rate);
// Whole milliseconds for a filter: blanks around digits, at most 10000; anything else is 0.
int32_t FilterMs(const char* text);

// Dwells in ticks of TickMs. The dwell of an item lit within a tick of the end of the one
// before starts at that end; otherwise it starts now.
constexpr int64_t TickMs = 100;
constexpr int64_t NoDwellEnd = std::numeric_limits<int64_t>::min() / 2;
int64_t DwellStart(int64_t lastDwellEndMs, int64_t nowMs);
// An item lit for ticks (the Delay, with the first item's extension) goes out at the end of
// tick `tick`, at tickEndMs, only once the prompt that says it has ended, at promptEndMs
// (PromptPlaying while it plays, NoPrompt for none), and pauseMs more have passed.
constexpr int64_t PromptPlaying = std::numeric_limits<int64_t>::max() / 4;
constexpr int64_t NoPrompt = std::numeric_limits<int64_t>::min() / 4;
bool ItemGoesOut(int tick, int ticks, int64_t tickEndMs, int64_t promptEndMs, int32_t pauseMs);
