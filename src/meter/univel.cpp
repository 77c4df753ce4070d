// The level meter's window side: the capture ring polled once a tick and the composed
// screen drawn on the console. Statistics and wording live in logic/.
#include "meter/univel.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <optional>
#include <string>

#include "console/ObCrt.h"
#include "scanning/logic/number_reading.h"
#include "seam/seam.h"
#include "switch/logic/capture_math.h"
#include "switch/logic/switch_choice.h"
#include "meter/logic/prompt_view.h"
#include "meter/logic/timing_view.h"
#include "speaking/logic/prompt_sound.h"
#include "speaking/logic/spoken_items.h"
#include "speaking/ufalas.h"
#include "settings/uconfig.h"
#include "speaking/utocador.h"
#include "switch/uaudio.h"
#include "switch/utempos.h"

LevelStats MeterStats;
int32_t MeterTick = 0;
int32_t SilentTicks = 0;
bool TypedGiven = false;
int32_t TypedThreshold = 0;
bool TimingPage = false;
bool PromptsPage = false;

namespace {

unsigned char MeterArea[CaptureBufferBytes];  // one captured buffer, as the switch detector's SampleArea
MeterScreen Shown;              // what the console shows now
bool ShownValid = false;
std::string ShownCaption;

void WriteRun(const unsigned char* chars, const unsigned char* attrs, int count) {
  SetForeground(attrs[0] & 0x0F);
  SetBackground(attrs[0] >> 4);
  WriteText(chars, static_cast<uint16_t>(count));
}

// Run by run of equal attribute, so each run is one write.
void DrawRow(const MeterScreen& screen, int row) {
  const unsigned char* chars = screen.chars[row];
  const unsigned char* attrs = screen.attrs[row];
  GoToCell(1, row + 1);
  int start = 0;
  for (int col = 1; col <= MeterCols; ++col) {
    if (col < MeterCols && attrs[col] == attrs[start]) continue;
    WriteRun(chars + start, attrs + start, col - start);
    start = col;
  }
}

bool RowChanged(const MeterScreen& screen, int row) {
  return !ShownValid || std::memcmp(screen.chars[row], Shown.chars[row], MeterCols) != 0 ||
         std::memcmp(screen.attrs[row], Shown.attrs[row], MeterCols) != 0;
}

void ShowCaption(const std::string& caption) {
  if (caption == ShownCaption) return;
  SetConsoleCaption(caption);
  ShownCaption = caption;
}

void ShowScreen(const MeterScreen& screen, const std::string& caption) {
  for (int row = 0; row < MeterRows; ++row)
    if (RowChanged(screen, row)) DrawRow(screen, row);
  Shown = screen;
  ShownValid = true;
  ShowCaption(caption);
}

// The switch set beside the sound, so a caregiver can try it here before the person uses it.
SwitchInputs Switches;
int SwitchPresses = 0;
const char* LastSwitch = "";

void WatchSwitches() {
  auto value = [](const char* key) { return ReadSetting("ACIONADOR", key, ""); };
  Switches = SwitchChoiceFrom(value("TECLA"), value("MOUSE"), value("CONTROLE"), 0).inputs;
  SeamChooseSwitches(Switches);
}

const char* NameOf(SwitchInput input) {
  if (input == SwitchInput::Mouse) return "mouse";
  if (input == SwitchInput::Pad) return "controle";
  return Switches.key == CtrlKey ? "ctrl" : "tecla";
}

void CountSwitchPresses() {
  SwitchEdge edge{};
  while (SeamTakeSwitchEdge(&edge)) {
    if (!edge.down) continue;
    ++SwitchPresses;
    LastSwitch = NameOf(edge.input);
  }
}

constexpr int kTimingRereadTicks = 10;  // the panel may be choosing meanwhile
TimingFigures Timing;
std::string TimingStatus;

// Into the shortcuts and the settings file, where a panel started without numbers reads it.
void ApplySuggestedDelay() {
  const int delay = Timing.suggestedMs;
  if (delay == 0) return;
  const int shortcuts = RewritePanelShortcuts([delay](const std::string& given) { return ArgumentsWithDelay(given, delay); });
  const SettingsWritten written = WriteSettingChanges({{"VARREDURA", "DELAY", std::to_string(delay)}});
  TimingStatus = AppliedStatus(delay, shortcuts, !written.path.empty(), written.instead);
}

// ---- The prompts' page ----

constexpr int kLongestRecordingTicks = 30;
constexpr size_t kRecordingMargin = CaptureRate / 10;  // kept either side of the sound
std::vector<std::string> Texts;
PromptPage Page;
std::string Recording;  // 8-bit samples heard since R
int RecordingTicks = 0;

int64_t RecordedLength(const std::string& text) { return WavFileLength(PromptFilePath(text)); }

void ShowText(int index) {
  if (Texts.empty()) Texts = RecordableTexts();
  const int count = static_cast<int>(Texts.size());
  Page.index = (index % count + count) % count;
  Page.count = count;
  Page.text = Texts[Page.index];
  Page.recordedMs = RecordedLength(Page.text);
  Page.status.clear();
}

void StartRecording() {
  StopWav();
  Recording.clear();
  RecordingTicks = 0;
  Page.recording = true;
  Page.status = "Gravando: fale agora. Qualquer tecla termina; no m\xE1ximo 3 s.";
}

// The room's noise is no part of the prompt.
int QuietLevel() {
  const MeterReading reading = ReadMeter(MeterStats, MeterTick, true, false, 0);
  return std::max(8, reading.noise + 4);
}

void FinishRecording() {
  Page.recording = false;
  const std::string_view sound = TrimmedSound(Recording, QuietLevel(), kRecordingMargin);
  if (sound.empty()) {
    Page.status = "Nada se ouviu: R para gravar de novo, mais perto do microfone.";
    return;
  }
  if (!SavePrompt(Page.text, WavFileOf(Widened(sound), CaptureRate))) {
    Page.status = "N\xE3o foi poss\xEDvel gravar o arquivo da fala.";
    return;
  }
  Page.recordedMs = PlayWavFile(PromptFilePath(Page.text));
  Page.status = "Gravada e tocada. O: ouve de novo; Espa\xE7o: pr\xF3xima.";
}

void DeleteRecording() {
  StopWav();
  DeletePrompt(Page.text);
  Page.recordedMs = RecordedLength(Page.text);
  Page.status = Page.recordedMs < 0 ? "Grava\xE7\xE3o apagada: o painel usa a voz do Windows." : "N\xE3o foi poss\xEDvel apagar.";
}

void PlayAgain() {
  Page.status = PlayWavFile(PromptFilePath(Page.text)) >= 0 ? "Tocando." : "Sem grava\xE7\xE3o para ouvir.";
}

// While recording, any key ends it; R records, Space and A move on and back, O plays, X
// deletes, V goes back to the meter.
void TakePromptKey(unsigned char key) {
  if (Page.recording) return FinishRecording();
  switch (key) {
    case 'r': return StartRecording();
    case ' ': return ShowText(Page.index + 1);
    case 'a': return ShowText(Page.index - 1);
    case 'o': return PlayAgain();
    case 'x': return DeleteRecording();
    case 'v': StopWav(); PromptsPage = false; return;
    default: return;
  }
}

void KeepRecording(const unsigned char* samples, uint32_t count) {
  if (!Page.recording) return;
  Recording.append(reinterpret_cast<const char*>(samples), count);
}

void EndLongRecording() {
  if (Page.recording && ++RecordingTicks >= kLongestRecordingTicks) FinishRecording();
}

void ShowPrompts() {
  MeterScreen screen;
  ComposePromptScreen(Page, screen);
  ShowScreen(screen, PromptCaption(Page));
}

// ---- Keys ----

void OpenSettingsWindow() {
  ShellExecuteW(nullptr, L"open", ProgramFilePath(L"acenora-config.exe").c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// T opens the reaction-time page, G the prompts' page, C the settings window, V the meter
// again, A on the reaction-time page applies the suggestion.
void TakeMeterKey(unsigned char key) {
  if (key == 'c') OpenSettingsWindow();
  else if (key == 't') TimingPage = true, MeterTick = MeterTick / kTimingRereadTicks * kTimingRereadTicks;
  else if (key == 'g') PromptsPage = true, TimingPage = false, ShowText(Page.index);
  else if (key == 'v') TimingPage = false;
  else if (key == 'a' && TimingPage) ApplySuggestedDelay();
}

void TakeMeterKeys() {
  while (KeyWaiting()) {
    const unsigned char key = static_cast<unsigned char>(std::tolower(ReadKeyChar()));
    if (PromptsPage) TakePromptKey(key);
    else TakeMeterKey(key);
  }
}

void ShowTiming() {
  if (MeterTick % kTimingRereadTicks == 0) Timing = FiguresOf(ReadChoiceRecords());
  MeterScreen screen;
  ComposeTimingScreen(Timing, TimingStatus, screen);
  ShowScreen(screen, TimingCaption(Timing));
}

}  // namespace

void TakeMeterArguments() {
  for (int at = 1; at < __argc; ++at)
    if (lstrcmpiA(__argv[at], "/tempo") == 0) TimingPage = true;
  if (__argc < 2) return;
  std::optional<int32_t> value = ParseWholeNumber(__argv[1]);
  TypedGiven = value.has_value();
  TypedThreshold = value.value_or(0);
}

void OpenMicrophone() { CaptureOpen(CaptureRate, 8, 1, sizeof MeterArea); }

// The switch's own drain cannot tell a silent buffer from none, and the meter must not
// count a poll that heard nothing as silence.
void ListenOnce() {
  bool heard = false;
  int peak = 0;
  while (CaptureReady()) {
    const uint32_t count = CaptureRead(MeterArea);
    peak = SamplePeak(MeterArea, count, peak);
    KeepRecording(MeterArea, count);
    heard = true;
    PumpMessages();
  }
  if (heard) HearPeak(MeterStats, MeterTick, peak);
  if (ReopenDue(SilentTicks, heard, CaptureRunning())) CaptureReopen();
}

void ShowMeter() {
  if (PromptsPage) return ShowPrompts();
  if (TimingPage) return ShowTiming();
  MeterReading reading = ReadMeter(MeterStats, MeterTick, CaptureRunning(), TypedGiven, TypedThreshold);
  reading.switchPresses = SwitchPresses;
  reading.lastSwitch = LastSwitch;
  MeterScreen screen;
  ComposeMeterScreen(reading, screen);
  ShowScreen(screen, MeterCaption(reading));
}

void RunMeterTick() {
  Delay(100);
  ++MeterTick;
  ListenOnce();
  EndLongRecording();
  CountSwitchPresses();
  TakeMeterKeys();
  ShowMeter();
}

int NivelMain() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  ConsoleInit();
  ScreenCols = 80;
  ScreenRows = MeterRows;
  TakeMeterArguments();
  ClearScreen();
  WatchSwitches();
  OpenMicrophone();
  ShowMeter();
  for (;;) RunMeterTick();
}
