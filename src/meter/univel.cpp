// The level meter's window side: the capture ring polled once a tick and the composed
// screen drawn on the console. Statistics and wording live in logic/.
#include "meter/univel.h"

#include <windows.h>

#include <cstring>
#include <optional>
#include <string>

#include "console/ObCrt.h"
#include "scanning/logic/number_reading.h"
#include "switch/logic/capture_math.h"
#include "switch/uaudio.h"

LevelStats MeterStats;
int32_t MeterTick = 0;
int32_t SilentTicks = 0;
bool TypedGiven = false;
int32_t TypedThreshold = 0;

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

}  // namespace

void TakeMeterArguments() {
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
    peak = SamplePeak(MeterArea, CaptureRead(MeterArea), peak);
    heard = true;
    PumpMessages();
  }
  if (heard) HearPeak(MeterStats, MeterTick, peak);
  if (ReopenDue(SilentTicks, heard, CaptureRunning())) CaptureReopen();
}

void ShowMeter() {
  MeterReading reading = ReadMeter(MeterStats, MeterTick, CaptureRunning(), TypedGiven, TypedThreshold);
  MeterScreen screen;
  ComposeMeterScreen(reading, screen);
  for (int row = 0; row < MeterRows; ++row)
    if (RowChanged(screen, row)) DrawRow(screen, row);
  Shown = screen;
  ShownValid = true;
  ShowCaption(MeterCaption(reading));
}

void RunMeterTick() {
  Delay(100);
  ++MeterTick;
  ListenOnce();
  ShowMeter();
}

int NivelMain() {
  ConsoleInit();
  ScreenCols = 80;
  ScreenRows = MeterRows;
  TakeMeterArguments();
  ClearScreen();
  OpenMicrophone();
  ShowMeter();
  for (;;) RunMeterTick();
}
