// Tones and captured sound: every tone file is a well-formed one-second square wave, and the
// capture arithmetic keeps peaks, ring positions, copy counts and silent polls in range.
#include <algorithm>
#include <vector>

#include "console/logic/tone_wave.h"
#include "fuzz_input.h"
#include "switch/logic/capture_math.h"
#include "switch/logic/switch_presses.h"

namespace {

uint32_t Read32(const std::vector<uint8_t>& wave, size_t at) {
  return wave[at] | wave[at + 1] << 8 | wave[at + 2] << 16 | uint32_t{wave[at + 3]} << 24;
}

void Tone(FuzzInput& in) {
  uint16_t frequency = in.Word();
  std::vector<uint8_t> wave = BuildToneWave(frequency);
  if (wave.empty()) {
    FUZZ_CHECK(frequency <= 1 || !TonePlayable(frequency));
    return;
  }
  FUZZ_CHECK(TonePlayable(frequency) && wave.size() == ToneBufferSize);
  uint32_t length = ToneDataLength(frequency);
  FUZZ_CHECK(length > 0 && ToneHeaderSize + length <= ToneBufferSize);
  FUZZ_CHECK(Read32(wave, 40) == length && Read32(wave, 4) == length + 36);
  for (uint32_t i = 0; i + 1 < length; ++i) {
    uint8_t sample = wave[ToneHeaderSize + i];
    FUZZ_CHECK(sample == 96 || sample == 160);
  }
  FUZZ_CHECK(wave[ToneHeaderSize + length - 1] == 128);
  for (size_t i = ToneHeaderSize + length; i < wave.size(); ++i) FUZZ_CHECK(wave[i] == 0);
}

void Capture(FuzzInput& in) {
  std::string samples = in.Text(255);
  int start = static_cast<int>(in.InRange(0, 128));
  int peak = SamplePeak(reinterpret_cast<const unsigned char*>(samples.data()), samples.size(), start);
  int expected = start;
  for (unsigned char b : samples) expected = std::max(expected, b > 128 ? b - 128 : 128 - b);
  FUZZ_CHECK(peak == expected && peak <= 128);

  int32_t index = in.Int();
  int32_t next = NextRingIndex(index);
  FUZZ_CHECK(next >= 0 && next < RingSlots);
  if (index >= 0 && index < RingSlots) FUZZ_CHECK(next == (index + 1) % RingSlots);

  uint64_t filled = uint64_t{in.Long()} << 32 | in.Long();
  int32_t own = index & (RingSlots - 1);
  int32_t first = index;  // the first filled slot going round from the index's own
  for (int step = RingSlots - 1; step >= 0; --step)
    if (filled & (uint64_t{1} << (own + step) % RingSlots)) first = (own + step) % RingSlots;
  FUZZ_CHECK(NextFilledSlot(index, filled) == first);

  uint32_t recorded = in.Long(), room = in.Long();
  uint32_t copied = BoundedCopyCount(recorded, room);
  FUZZ_CHECK(copied <= room && copied <= recorded && (copied == room || copied == recorded));
  uint16_t bits = in.Word(), channels = in.Word();
  if (bits <= 32 && channels <= 8) FUZZ_CHECK(BlockAlign(bits, channels) == bits / 8 * channels);
  int32_t ms = in.Int(), ticks = TicksOf(ms);
  FUZZ_CHECK(ms >= 0 ? ticks >= 0 && ticks * 100 <= ms : ticks <= 0 && ticks * 100 >= ms);
}

// Polls in a row without sound: the count stays within the limit and a reopen is due only
// when it reaches it, once every limit polls.
void Silence(FuzzInput& in) {
  int32_t polls = in.Flag() ? in.Int() : 0;
  int sinceReopen = 0;
  for (int i = in.Byte(); i > 0; --i) {
    bool delivered = in.Flag(), running = in.Flag();
    bool due = ReopenDue(polls, delivered, running);
    FUZZ_CHECK(polls >= 0 && polls < (running ? StallPolls : ReopenPolls));
    FUZZ_CHECK(!due || (!delivered && polls == 0));
    sinceReopen = delivered || due ? 0 : sinceReopen + 1;
    FUZZ_CHECK(sinceReopen < StallPolls);
  }
}

// Ctrl and sound edges at moments going forward, polled at random: a press is taken at most
// once, never before it began, never before it lasted the shortest press, and never when it
// began in the ignored time after a choice.
void Presses(FuzzInput& in) {
  SwitchFilters filters{static_cast<int32_t>(in.InRange(0, 500)),
                        static_cast<int32_t>(in.InRange(0, 500)), 0};
  PressTracker tracker;
  int64_t now = 0, lastTaken = -1;
  for (int i = in.Byte(); i > 0; --i) {
    now += in.InRange(0, 300);
    switch (in.InRange(0, 2)) {
      case 0: PressEdge(tracker, tracker.key, in.Flag(), now, filters); break;
      case 1: PressEdge(tracker, tracker.sound, in.Flag(), now, filters); break;
      default: {
        const int64_t ignoredBefore = tracker.ignoreUntil;
        int64_t began = -1;
        if (!TakePress(tracker, now, filters, &began)) break;
        FUZZ_CHECK(began <= now && began > lastTaken && began >= ignoredBefore);
        FUZZ_CHECK(now - began >= filters.minPressMs);
        lastTaken = began;
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  if (size > 0 && in.Byte() & 1) {
    Tone(in);  // a whole second of samples: one per input keeps the runs quick
    return 0;
  }
  while (!in.Empty()) {
    switch (in.InRange(0, 2)) {
      case 0: Capture(in); break;
      case 1: Silence(in); break;
      default: Presses(in); break;
    }
  }
  return 0;
}
