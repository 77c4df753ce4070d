// Virtual clock, scripted Ctrl and a simulated wave-input device behind the seam.
#include "support/virtual_seam.h"

#include <deque>
#include <vector>

#include "switch/seam.h"

namespace {
constexpr int64_t kRate = 11025;
constexpr int64_t kFill = 2048;

struct Span { int64_t from, to; uint8_t sample; };

struct State {
  int64_t ms = 0;               // the clock
  int64_t samples = 0;          // samples passed at 11025/s, from ms
  int64_t filledUpTo = 0;       // sample count the device has consumed
  int sleeps = 0;
  bool absent = false;
  bool lost = false;            // the open device's source went away: nothing more is filled
  int opens = 0;
  std::vector<Span> ctrl, sound;
  std::deque<WAVEHDR*> queue;
  std::function<void(int64_t)> hook;
};
State s;

int64_t MsToSamples(int64_t ms) { return ms * kRate / 1000; }

uint8_t SampleAt(int64_t index) {
  uint8_t value = 128;
  for (const Span& span : s.sound)
    if (index >= span.from && index < span.to) value = span.sample;
  return value;
}

void FillDue() {
  if (s.lost) s.filledUpTo = s.samples;
  while (s.samples - s.filledUpTo >= kFill) {
    if (s.queue.empty()) { s.filledUpTo = s.samples - (s.samples - s.filledUpTo) % kFill; return; }
    WAVEHDR* header = s.queue.front();
    s.queue.pop_front();
    int64_t start = s.filledUpTo;
    for (int64_t i = 0; i < kFill && i < header->dwBufferLength; ++i)
      header->lpData[i] = static_cast<char>(SampleAt(start + i));
    header->dwBytesRecorded = static_cast<DWORD>(kFill);
    header->dwFlags |= WHDR_DONE;
    s.filledUpTo += kFill;
  }
}

void AdvanceTo(int64_t ms) {
  s.ms = ms;
  s.samples = MsToSamples(ms);
  FillDue();
}
}  // namespace

namespace vt {
void Reset() { s = State{}; }
int64_t NowMs() { return s.ms; }
int SleepCount() { return s.sleeps; }
void HoldCtrl(int64_t fromMs, int64_t toMs) { s.ctrl.push_back({fromMs, toMs, 0}); }
void Sound(int64_t atMs, int64_t durationMs, uint8_t sample) {
  s.sound.push_back({MsToSamples(atMs), MsToSamples(atMs + durationMs), sample});
}
void Clap(int64_t atMs) { Sound(atMs, 50, 255); }
void SetNoDevice(bool absent) { s.absent = absent; }
void LoseDevice() { s.absent = s.lost = true; }
int OpenCount() { return s.opens; }
void Unqueue(WAVEHDR* header) { std::erase(s.queue, header); }
void OnSleep(std::function<void(int64_t)> hook) { s.hook = std::move(hook); }
int QueuedBuffers() { return static_cast<int>(s.queue.size()); }
}  // namespace vt

void SeamSleep(DWORD ms) {
  ++s.sleeps;
  AdvanceTo(s.ms + ms);
  if (s.hook) s.hook(vt::NowMs());
}

bool SeamCtrlHeld() {
  int64_t now = vt::NowMs();
  for (const Span& span : s.ctrl)
    if (now >= span.from && now < span.to) return true;
  return false;
}

void SeamWaitMessage() {
  if (s.queue.empty() || s.lost) return;  // nothing could ever arrive
  int64_t due = s.filledUpTo + kFill;
  AdvanceTo((due * 1000 + kRate - 1) / kRate);  // the first millisecond the fill is complete
}

MMRESULT SeamWaveInOpen(HWAVEIN* device, UINT, const WAVEFORMATEX*, DWORD_PTR, DWORD_PTR, DWORD) {
  ++s.opens;
  if (s.absent) return MMSYSERR_BADDEVICEID;
  s.lost = false;
  *device = reinterpret_cast<HWAVEIN>(static_cast<intptr_t>(0x5eed));
  s.filledUpTo = s.samples;
  return MMSYSERR_NOERROR;
}
// Like the platform, a header whose stated size is short of the record is refused.
MMRESULT SeamWaveInPrepareHeader(HWAVEIN, WAVEHDR* header, UINT size) {
  if (size < sizeof(WAVEHDR)) return MMSYSERR_INVALPARAM;
  header->dwFlags |= WHDR_PREPARED;
  return 0;
}
MMRESULT SeamWaveInUnprepareHeader(HWAVEIN, WAVEHDR* header, UINT size) {
  if (size < sizeof(WAVEHDR)) return MMSYSERR_INVALPARAM;
  header->dwFlags &= ~WHDR_PREPARED;
  return 0;
}
MMRESULT SeamWaveInAddBuffer(HWAVEIN, WAVEHDR* header, UINT size) {
  if (size < sizeof(WAVEHDR) || (header->dwFlags & WHDR_PREPARED) == 0) return WAVERR_UNPREPARED;
  if (s.queue.empty()) s.filledUpTo = s.samples - 0;  // recording resumes now
  s.queue.push_back(header);
  return 0;
}
MMRESULT SeamWaveInStart(HWAVEIN) { s.filledUpTo = s.samples; return 0; }
MMRESULT SeamWaveInStop(HWAVEIN) { return 0; }
MMRESULT SeamWaveInReset(HWAVEIN) {
  for (WAVEHDR* header : s.queue) header->dwFlags |= WHDR_DONE;
  s.queue.clear();
  return 0;
}
MMRESULT SeamWaveInClose(HWAVEIN device) { return device ? 0 : MMSYSERR_INVALHANDLE; }
