// The switch: presses of Ctrl and loud sounds, taken once a Delay(100) tick but dated by
// when each began, so a scanner can choose what was lit then. The poll also keeps the
// microphone coming back: a device that cannot be opened, or that stops returning buffers
// (unplugged, its sound service restarted), is opened again every few seconds of polls.
#include "switch/uctlsom.h"

#include <iterator>
#include <string>

#include "console/ObCrt.h"
#include "scanning/core/uvars.h"
#include "seam/seam.h"
#include "switch/logic/switch_choice.h"
#include "switch/uaudio.h"

unsigned char SampleArea[CaptureBufferBytes];
int32_t SilentPolls = 0;
SwitchFilters Filters;
int64_t PressBeganMs = 0;
void (*SwitchNotice)(const std::string& text) = nullptr;
void (*SwitchPolled)() = nullptr;
int64_t (*LitPromptEnd)() = nullptr;
int32_t PromptPauseMs = 0;

namespace {
PressTracker Presses;
SwitchChoice Choice;
SoundState Sound;
DeafSpans OwnVoice;  // while the panel's prompts play
// A sound whose device stops mid-stretch would be held for ever: without buffers for this
// long it is let go.
constexpr int64_t kStalledSoundMs = 250;
int64_t LastLoudMs = 0;
// A device gives its first buffer within a second; for 2 s of polls without any, the sound
// switch is deaf: no microphone, or the platform's privacy settings keep it closed.
constexpr int32_t kDeafPolls = 20;
int32_t PollsWithoutSound = 0;
int64_t DwellEndMs = NoDwellEnd;  // where the last dwell without a press ended

PressSource& SourceOf(SwitchInput input) {
  switch (input) {
    case SwitchInput::Mouse: return Presses.mouse;
    case SwitchInput::Pad: return Presses.pad;
    default: return Presses.key;
  }
}

void TakeSwitchEdges() {
  SwitchEdge edge{};
  while (SeamTakeSwitchEdge(&edge)) PressEdge(Presses, SourceOf(edge.input), edge.down, edge.atMs, Filters);
}

// Edges in sample positions, dated once every buffer of the poll is in: the newest sample
// was recorded a moment before the device's own count.
void FeedSoundEdges(const SoundEdge* edges, size_t count) {
  const int64_t now = SeamNowMs();
  const int64_t device = DevicePosition();
  for (size_t i = 0; i < count; ++i) {
    const int64_t at = SampleMoment(edges[i].position, device, now, CaptureRate);
    if (edges[i].down && DeafAt(OwnVoice, at)) continue;
    PressEdge(Presses, Presses.sound, edges[i].down, at, Filters);
    LastLoudMs = at;
  }
}

void LetStalledSoundGo(bool delivered) {
  if (delivered || !Presses.sound.down || SeamNowMs() - LastLoudMs < kStalledSoundMs) return;
  Sound.loud = false;
  PressEdge(Presses, Presses.sound, false, LastLoudMs, Filters);
}

std::string Setting(const char* key) { return ReadSetting("VARREDURA", key, "0"); }
}  // namespace

// A ring whose buffers would not fit in SampleArea is never read, so its sound cannot fire
// the switch.
int DrainPeak() {
  int peak = 0;
  bool delivered = false;
  SoundEdge edges[16];
  size_t edgeCount = 0;
  if (Sound.position != CapturePosition()) Sound = SoundState{false, 0, CapturePosition()};  // reopened
  while (BufferBytes <= sizeof SampleArea && CaptureReady()) {
    uint32_t count = CaptureRead(SampleArea);
    peak = SamplePeak(SampleArea, count, peak);
    edgeCount += SoundEdges(Sound, SampleArea, count, Threshold, edges + edgeCount,
                            std::size(edges) - edgeCount);
    delivered = true;
    PumpMessages();
  }
  PollsWithoutSound = delivered ? 0 : PollsWithoutSound + 1;
  if (delivered && SoundReleased(Sound, edges + edgeCount)) ++edgeCount;
  FeedSoundEdges(edges, edgeCount);
  LetStalledSoundGo(delivered);
  if (ReopenDue(SilentPolls, delivered, CaptureRunning())) CaptureReopen();
  return peak;
}

bool SwitchPressed() {
  PumpMessages();
  DrainPeak();
  TakeSwitchEdges();
  if (SwitchPolled) SwitchPolled();
  return TakePress(Presses, SeamNowMs(), Filters, &PressBeganMs);
}

bool SwitchHeld() { return PressHeld(Presses); }

PressedBy PressedByLast() {
  if (Presses.taken == &Presses.sound) return PressedBy::Sound;
  if (Presses.taken == &Presses.mouse) return PressedBy::Mouse;
  if (Presses.taken == &Presses.pad) return PressedBy::Pad;
  return Choice.inputs.key == CtrlKey ? PressedBy::Ctrl : PressedBy::Key;
}

bool MicrophoneDeaf() { return PollsWithoutSound >= kDeafPolls; }

// Polled after every sleep, the last one too, so a press at the end of an item is seen
// while that item is still the one lit. Each tick ends at a deadline counted from the
// dwell's start, so the time a poll takes never adds up. An item's dwell lasts at least as
// long as its prompt.
static bool DwellFrom(int64_t from, int ticks, bool item) {
  DwellEndMs = NoDwellEnd;
  for (int tick = 0;; ++tick) {
    const int64_t tickEnd = from + tick * TickMs;
    if (tick > 0) {
      DelayUntil(tickEnd);
      if (SwitchPressed()) return true;
    }
    const int64_t promptEnd = item && LitPromptEnd ? LitPromptEnd() : NoPrompt;
    if (!ItemGoesOut(tick, ticks, tickEnd, promptEnd, PromptPauseMs)) continue;
    DwellEndMs = tickEnd;
    return false;
  }
}

bool DwellFor(int ticks) { return DwellFrom(SeamNowMs(), ticks, false); }

bool DwellNextItem(int ticks) { return DwellFrom(DwellStart(DwellEndMs, SeamNowMs()), ticks, true); }

bool QuietFor(int32_t ms) { return !DwellFor(TicksOf(ms)); }

// A sound is read only once its buffer is full: before acting on a quiet time, wait for the
// buffers that hold its last moments, so nothing goes out after a press began.
bool QuietThrough(int32_t ms) {
  if (!QuietFor(ms)) return false;
  if (!CaptureRunning()) return true;
  Delay(static_cast<uint16_t>(2 * CaptureBufferBytes * 1000 / CaptureRate));
  return !SwitchPressed();
}

bool WaitQuiet() {
  int count = 3;
  while (count > 0) {
    Delay(100);
    if (!SwitchPressed() && !SwitchHeld()) --count;
  }
  return SwitchPressed();
}

void ForgetPresses() {
  Presses = PressTracker{};
  Sound = SoundState{false, 0, CapturePosition()};
  PressBeganMs = 0;
  DwellEndMs = NoDwellEnd;
  PollsWithoutSound = 0;
}

void ReadSwitchFilters() {
  Filters.minPressMs = FilterMs(Setting("TEMPOACIONAMENTO").c_str());
  Filters.ignoreAfterChoiceMs = FilterMs(Setting("IGNORAREPETICAO").c_str());
  Filters.firstItemExtraMs = FilterMs(Setting("PAUSAPRIMEIRO").c_str());
}

void ReadSwitchChoice(int32_t threshold) {
  auto value = [](const char* key) { return ReadSetting("ACIONADOR", key, ""); };
  Choice = SwitchChoiceFrom(value("TECLA"), value("MOUSE"), value("CONTROLE"), threshold);
  SeamChooseSwitches(Choice.inputs);
  if (!Choice.unknown.empty() && SwitchNotice) SwitchNotice("ORBITA.INI: acionador desconhecido: " + Choice.unknown);
}

int FirstItemExtraTicks() { return TicksOf(Filters.firstItemExtraMs); }

void DeafenSoundSwitch(int64_t fromMs, int64_t untilMs) { DeafenSound(OwnVoice, fromMs, untilMs); }

MMRESULT StopListening() { return CaptureClose(); }
