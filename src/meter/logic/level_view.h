// The level meter's screen and caption as plain text and attribute cells, composed from
// what the meter knows; drawing them on the console is the program's part.
#pragma once
#include <cstdint>
#include <string>

#include "meter/logic/level_stats.h"

constexpr int MeterCols = 79;   // the console's last column is left alone: writing it wraps
constexpr int MeterRows = 12;
constexpr int BarCells = 64;    // two levels a cell: 0..128
constexpr int BarColumn = 2;    // 1-based column of the bar's first cell
constexpr int BarRow = 2;       // 1-based rows
constexpr int MarkRow = 3;

// Everything the screen shows, read at one tick.
struct MeterReading {
  bool microphone = false;  // the capture device is open
  int peak = 0;             // the latest peak, 0..128
  int noise = -1;           // loudest quiet peak of the window; -1 none yet
  bool noiseKnown = false;
  int secondsLeft = 0;      // until the noise is known
  int sounds[RememberedSounds] = {};  // newest first
  int soundCount = 0;
  int suggestion = -1;      // -1: none
  bool typedGiven = false;  // a threshold was given on the command line
  int typed = 0;
  int switchPresses = 0;    // presses of the key, mouse button or controller button set
  const char* lastSwitch = "";  // which of them pressed last
};

MeterReading ReadMeter(const LevelStats& stats, int32_t now, bool microphone,
                       bool typedGiven, int typed);

// The threshold the bar marks: the typed one, else the suggestion; -1 when neither.
// Negative typed values mark as 0 and fire on everything, as they do in the panel.
bool HasMark(const MeterReading& reading);
int MarkedThreshold(const MeterReading& reading);
// 0-based bar cell of the mark: the first cell a firing peak fills, kept on the bar.
int MarkCell(int threshold);
// Cells a peak fills: a cell holds two levels, and a level of one already shows.
int FilledCells(int peak);
// The panel would choose with this peak: it exceeds the marked threshold.
bool WouldFire(const MeterReading& reading);

// "N\xEDvel 12 - sugest\xE3o 45", "N\xEDvel 12 - sem sugest\xE3o", "Sem microfone - ...", in
// code page 1252.
std::string MeterCaption(const MeterReading& reading);

// Text attribute bytes: low nibble text colour, high nibble background.
constexpr unsigned char TextColour = 0x0E;     // yellow on black, as the panel writes
constexpr unsigned char WarningColour = 0x0C;  // light red on black
constexpr unsigned char BarEmpty = 0x88;       // dark grey cell
constexpr unsigned char BarQuiet = 0x22;       // green: the panel would not choose
constexpr unsigned char BarFiring = 0x44;      // red: the panel would choose
constexpr unsigned char BarUnmarked = 0xEE;    // yellow: nothing to compare with
constexpr unsigned char MarkChar = '|';
constexpr unsigned char FilledChar = '=';      // drawn in its background colour: seen only
                                               // when the settings fix the colours

struct MeterScreen {
  unsigned char chars[MeterRows][MeterCols];
  unsigned char attrs[MeterRows][MeterCols];
};

void ComposeMeterScreen(const MeterReading& reading, MeterScreen& screen);
// A page of lines: blanks in the text colour, then a line from the second column, cut at the last.
void BlankScreen(MeterScreen& screen);
void PutLine(MeterScreen& screen, int row, const std::string& text, unsigned char attr = TextColour);
