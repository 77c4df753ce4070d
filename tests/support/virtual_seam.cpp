// Virtual clock, scripted Ctrl and a simulated wave-input device behind the seam.
#include "support/virtual_seam.h"

#include <algorithm>
#include <deque>
#include <vector>

#include "seam/seam.h"

namespace {
constexpr int64_t kRate = 11025;

struct Span { int64_t from, to; uint8_t sample; };

struct State {
  int64_t ms = 0;               // the clock as read
  int64_t us = 0;               // and in microseconds
  int64_t periodUs = 0;         // sleeps end on the next multiple of this; 0: exactly
  int64_t samples = 0;          // samples passed at 11025/s, from ms
  int64_t filledUpTo = 0;       // sample count the device has consumed
  int64_t recorded = 0;         // samples written into buffers since the open
  int sleeps = 0;
  bool absent = false;
  bool lost = false;            // the open device's source went away: nothing more is filled
  int opens = 0;
  std::vector<Span> ctrl, sound;
  std::vector<SwitchEdge> edges;  // of the switch script, in time order
  size_t edgesTaken = 0;
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

// With nothing queued the sound of the gap is lost, as on a real device.
void FillDue() {
  if (s.lost || s.queue.empty()) s.filledUpTo = s.samples;
  while (!s.queue.empty() && s.samples - s.filledUpTo >= s.queue.front()->dwBufferLength) {
    WAVEHDR* header = s.queue.front();
    s.queue.pop_front();
    const int64_t start = s.filledUpTo, length = header->dwBufferLength;
    for (int64_t i = 0; i < length; ++i) header->lpData[i] = static_cast<char>(SampleAt(start + i));
    header->dwBytesRecorded = static_cast<DWORD>(length);
    header->dwFlags |= WHDR_DONE;
    s.filledUpTo += length;
    s.recorded += length;
  }
  if (s.queue.empty()) s.filledUpTo = s.samples;
}

void AdvanceToUs(int64_t us) {
  s.us = us;
  s.ms = us / 1000;
  s.samples = us * kRate / 1000000;
  FillDue();
}

void AdvanceTo(int64_t ms) { AdvanceToUs(ms * 1000); }

// A coarse timer wakes a sleeper at its first tick at or after the deadline.
int64_t WakeUs(int64_t deadlineUs) {
  if (s.periodUs == 0) return deadlineUs;
  return (deadlineUs + s.periodUs - 1) / s.periodUs * s.periodUs;
}
}  // namespace

namespace vt {
void Reset() { s = State{}; }
int64_t NowMs() { return s.ms; }
int SleepCount() { return s.sleeps; }
void Hold(SwitchInput input, int64_t fromMs, int64_t toMs) {
  if (input == SwitchInput::Key) s.ctrl.push_back({fromMs, toMs, 0});
  s.edges.push_back({input, true, fromMs});
  s.edges.push_back({input, false, toMs});
  std::stable_sort(s.edges.begin() + static_cast<std::ptrdiff_t>(s.edgesTaken), s.edges.end(),
                   [](const SwitchEdge& a, const SwitchEdge& b) { return a.atMs < b.atMs; });
}
void HoldCtrl(int64_t fromMs, int64_t toMs) { Hold(SwitchInput::Key, fromMs, toMs); }
void Sound(int64_t atMs, int64_t durationMs, uint8_t sample) {
  s.sound.push_back({MsToSamples(atMs), MsToSamples(atMs + durationMs), sample});
}
void Clap(int64_t atMs) { Sound(atMs, 50, 255); }
void SetNoDevice(bool absent) { s.absent = absent; }
void LoseDevice() { s.absent = s.lost = true; }
int OpenCount() { return s.opens; }
void Unqueue(WAVEHDR* header) { std::erase(s.queue, header); }
void OnSleep(std::function<void(int64_t)> hook) { s.hook = std::move(hook); }
void SetTimerPeriodUs(int64_t periodUs) { s.periodUs = periodUs; }
int QueuedBuffers() { return static_cast<int>(s.queue.size()); }
}  // namespace vt

void SeamSleepUntil(int64_t deadlineMs) {
  ++s.sleeps;
  AdvanceToUs(std::max(s.us, WakeUs(deadlineMs * 1000)));
  if (s.hook) s.hook(vt::NowMs());
}

bool SeamCtrlHeld() {
  int64_t now = vt::NowMs();
  for (const Span& span : s.ctrl)
    if (now >= span.from && now < span.to) return true;
  return false;
}

int64_t SeamNowMs() { return s.ms; }
int64_t SeamMarkNow() { return s.ms; }

bool SeamTakeSwitchEdge(SwitchEdge* edge) {
  if (s.edgesTaken == s.edges.size() || s.edges[s.edgesTaken].atMs > s.ms) return false;
  *edge = s.edges[s.edgesTaken++];
  return true;
}

// The scripted switch needs no listening, and each input plays as scripted.
bool SeamListenForSwitches(HWND) { return true; }
void SeamChooseSwitches(const SwitchInputs&) {}
void SeamRawInput(LPARAM, DWORD) {}
void SeamSampleBlind(bool) {}

void SeamWaitMessage() {
  if (s.queue.empty() || s.lost) return;  // nothing could ever arrive
  int64_t due = s.filledUpTo + s.queue.front()->dwBufferLength;
  AdvanceTo((due * 1000 + kRate - 1) / kRate);  // the first millisecond the fill is complete
}

MMRESULT SeamWaveInOpen(HWAVEIN* device, UINT, const WAVEFORMATEX*, DWORD_PTR, DWORD_PTR, DWORD) {
  ++s.opens;
  if (s.absent) return MMSYSERR_BADDEVICEID;
  s.lost = false;
  *device = reinterpret_cast<HWAVEIN>(static_cast<intptr_t>(0x5eed));
  s.filledUpTo = s.samples;
  s.recorded = 0;
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
  if (s.queue.empty()) s.filledUpTo = s.samples;  // recording resumes now
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
// Counted in bytes, as the panel asks: what went into buffers and what the next one holds.
MMRESULT SeamWaveInGetPosition(HWAVEIN, MMTIME* time, UINT) {
  const int64_t partial = s.queue.empty() || s.lost ? 0 : s.samples - s.filledUpTo;
  time->wType = TIME_BYTES;
  time->u.cb = static_cast<DWORD>(s.recorded + partial);
  return 0;
}
