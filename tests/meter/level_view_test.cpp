// What the meter's window and caption say, composed from a reading: the words a caregiver
// reads and the bar's cells and colours.
#include <gtest/gtest.h>

#include <string>

#include "meter/logic/level_view.h"
#include "meter/logic/timing_view.h"

namespace {

MeterReading Listening(int peak) {
  MeterReading reading;
  reading.microphone = true;
  reading.peak = peak;
  return reading;
}

MeterReading Suggesting(int peak, int noise, int sound, int suggestion) {
  MeterReading reading = Listening(peak);
  reading.noise = noise;
  reading.noiseKnown = true;
  reading.sounds[0] = sound;
  reading.soundCount = 1;
  reading.suggestion = suggestion;
  return reading;
}

std::string Row(const MeterScreen& screen, int row) {
  return std::string(reinterpret_cast<const char*>(screen.chars[row - 1]), MeterCols);
}

int CellsOfColour(const MeterScreen& screen, unsigned char background) {
  int count = 0;
  for (int cell = 0; cell < BarCells; ++cell)
    count += (screen.attrs[BarRow - 1][BarColumn - 1 + cell] >> 4) == (background >> 4);
  return count;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(MeterCaption, HoldsThePeakAndTheSuggestionOrSaysWhatIsMissing) {
  EXPECT_EQ(MeterCaption(Suggesting(12, 20, 100, 60)), "N\xEDvel 12 - sugest\xE3o 60");
  EXPECT_EQ(MeterCaption(Listening(0)), "N\xEDvel 0 - sem sugest\xE3o");
  MeterReading none = Suggesting(12, 20, 100, 60);
  none.microphone = false;
  EXPECT_EQ(MeterCaption(none), "Sem microfone - sugest\xE3o 60");
}

TEST(MeterBar, FillsTwoLevelsACellAndTurnsRedAboveTheMarkedThreshold) {
  EXPECT_EQ(FilledCells(0), 0);
  EXPECT_EQ(FilledCells(1), 1);
  EXPECT_EQ(FilledCells(64), 32);
  EXPECT_EQ(FilledCells(128), BarCells);
  MeterScreen screen;
  ComposeMeterScreen(Suggesting(60, 20, 100, 60), screen);  // at the threshold: no choice
  EXPECT_EQ(CellsOfColour(screen, BarQuiet), 30);
  EXPECT_EQ(CellsOfColour(screen, BarFiring), 0);
  ComposeMeterScreen(Suggesting(61, 20, 100, 60), screen);
  EXPECT_EQ(CellsOfColour(screen, BarFiring), 31);
  EXPECT_EQ(CellsOfColour(screen, BarEmpty), BarCells - 31);
  ComposeMeterScreen(Listening(64), screen);  // nothing to compare with
  EXPECT_EQ(CellsOfColour(screen, BarUnmarked), 32);
}

TEST(MeterBar, MarksTheTypedThresholdElseTheSuggestionWhereAFiringPeakBegins) {
  MeterScreen screen;
  MeterReading typed = Suggesting(10, 20, 100, 60);
  typed.typedGiven = true;
  typed.typed = 45;
  ComposeMeterScreen(typed, screen);
  EXPECT_EQ(screen.chars[BarRow - 1][BarColumn - 1 + 22], MarkChar);
  EXPECT_EQ(Row(screen, MarkRow).find('^'), size_t(BarColumn - 1 + 22));
  EXPECT_TRUE(Contains(Row(screen, MarkRow), "Volume 45 (digitado)"));
  ComposeMeterScreen(Suggesting(10, 20, 100, 60), screen);
  EXPECT_EQ(Row(screen, BarRow).find(static_cast<char>(MarkChar)), size_t(BarColumn - 1 + 30));
  EXPECT_TRUE(Contains(Row(screen, MarkRow), "Volume 60 (sugest\xE3o)"));
  // Thresholds off the scale stay on the bar's ends; the label moves left of a late mark.
  EXPECT_EQ(MarkCell(-5), 0);
  EXPECT_EQ(MarkCell(127), BarCells - 1);
  EXPECT_EQ(MarkCell(250), BarCells - 1);
  typed.typed = 250;
  ComposeMeterScreen(typed, screen);
  std::string marks = Row(screen, MarkRow);
  EXPECT_LT(marks.find("Volume 250 (digitado): nenhum som passa"), marks.find('^'));
}

TEST(MeterScreen, TellsTheNumbersAndWhatIsStillMissing) {
  MeterScreen screen;
  MeterReading measuring = Listening(18);
  measuring.noise = 18;
  measuring.secondsLeft = 10;  // the longest line: it must not be cut
  ComposeMeterScreen(measuring, screen);
  EXPECT_TRUE(Contains(Row(screen, 5), ": 18 (medindo, faltam 10 s)"));
  EXPECT_TRUE(Contains(Row(screen, 8), "falta medir o ru\xED" "do"));

  MeterReading known = Suggesting(18, 20, 98, 59);
  known.sounds[1] = 101;
  known.soundCount = 2;
  known.microphone = false;
  ComposeMeterScreen(known, screen);
  EXPECT_TRUE(Contains(Row(screen, 6), ": 98  101"));
  EXPECT_TRUE(Contains(Row(screen, 8), "ru\xED" "do, 20, e abaixo do seu som mais fraco, 98"));
  EXPECT_TRUE(Contains(Row(screen, 1), "agora: --"));
  EXPECT_EQ(CellsOfColour(screen, BarEmpty), BarCells) << "a bar with no sound to show";
  EXPECT_TRUE(Contains(Row(screen, 12), "Sem microfone: tentando de novo a cada 3 s"));
}

TEST(TimingPage, OnlyThePanelsTwoNumbersTakeTheDelayAndTheVolumeStays) {
  EXPECT_EQ(ArgumentsWithDelay(" 45   1500 ", 900), "45 900");
  for (const char* other : {"", "45", "45 1500 x", "45 lento", "/tempo 1500"})
    EXPECT_EQ(ArgumentsWithDelay(other, 900), "") << other;
}

}  // namespace
