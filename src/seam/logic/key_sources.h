// The switch's key (Ctrl unless the caregiver chose another) as two sources that can
// disagree for a while: raw input or a keyboard hook, which the system queues with each
// key-down's and key-up's time, and the sampled key state, which can lag (Wine keeps an up key
// cached for up to 50 ms) and whose pressed-since bit repeats a tap that raw input already
// gave. The sample is believed only once raw input has been quiet for RawEchoMs; what raw
// input did not bring (Wine brings none while no window is in the foreground), the sample
// brings then. The panel's own key, which its playback injects, is no press: its raw edges
// are marked, and while it is down the sample is not believed. Knows nothing of the platform.
#pragma once
#include <cstdint>
#include <limits>

// The key went down or up at a moment of the seam's clock.
struct KeyEdge {
  bool down;
  int64_t atMs;
  bool operator==(const KeyEdge&) const = default;
};

constexpr int64_t RawEchoMs = 150;  // three times the longest lag of the sampled state
// A held key repeats in raw input at least this often (the longest repeat delay is 1 s), so
// a raw press silent for longer lost its key-up. While the sampled state is blind (it reads
// up whatever the key while a window running as administrator is in front), a sample
// reading up does not end a raw press until then.
constexpr int64_t RawHoldMs = 1500;
constexpr int MaxKeyEdges = 2;     // the most edges one call gives

struct KeySources {
  bool down = false;
  bool ownDown = false;  // the panel's own injected key is down
  bool sampleBlind = false;  // the sampled state cannot see the key now
  int64_t rawHeardAt = std::numeric_limits<int64_t>::min() / 2;  // the last raw key-down or up
};

// A raw key-down (a repeat too) or key-up of the key that happened at atMs, taken in at nowMs;
// injected: it carries the playback's mark. Returns how many edges it wrote to edges; a
// repeat of the state the key is in writes none, and the panel's own key none.
int RawSwitchKey(KeySources& sources, bool down, bool injected, int64_t atMs, int64_t nowMs,
               KeyEdge* edges);
// The key state sampled at nowMs: down now, and went down since the last sample.
int SampledSwitchKey(KeySources& sources, bool down, bool pressedSince, int64_t nowMs,
                KeyEdge* edges);
