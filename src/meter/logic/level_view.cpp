#include "meter/logic/level_view.h"

#include <algorithm>
#include <cstring>

namespace {

std::string Number(int value) { return std::to_string(value); }

// Writes text from a 1-based column of a 1-based row, cut at the screen's edge.
void Put(MeterScreen& screen, int row, int column, const std::string& text,
         unsigned char attr = TextColour) {
  for (size_t i = 0; i < text.size(); ++i) {
    int col = column - 1 + static_cast<int>(i);
    if (col < 0 || col >= MeterCols) continue;
    screen.chars[row - 1][col] = static_cast<unsigned char>(text[i]);
    screen.attrs[row - 1][col] = attr;
  }
}

unsigned char BarColour(const MeterReading& reading) {
  if (!HasMark(reading)) return BarUnmarked;
  return WouldFire(reading) ? BarFiring : BarQuiet;
}

void PutBar(MeterScreen& screen, const MeterReading& reading) {
  int filled = reading.microphone ? FilledCells(reading.peak) : 0;
  unsigned char colour = BarColour(reading);
  for (int cell = 0; cell < BarCells; ++cell) {
    bool full = cell < filled;
    Put(screen, BarRow, BarColumn + cell, full ? "=" : " ", full ? colour : BarEmpty);
  }
  if (!HasMark(reading)) return;
  int col = BarColumn - 1 + MarkCell(MarkedThreshold(reading));
  screen.chars[BarRow - 1][col] = MarkChar;
  screen.attrs[BarRow - 1][col] = static_cast<unsigned char>((screen.attrs[BarRow - 1][col] & 0xF0) | 0x0F);
}

std::string MarkLabel(const MeterReading& reading) {
  int threshold = MarkedThreshold(reading);
  std::string label = "Volume " + Number(threshold);
  label += reading.typedGiven ? " (digitado)" : " (sugest\xE3o)";
  if (threshold >= PeakCeiling) label += ": nenhum som passa";
  return label;
}

// A caret under the mark, its label beside it on whichever side has room.
void PutMarkLine(MeterScreen& screen, const MeterReading& reading) {
  if (!HasMark(reading)) {
    Put(screen, MarkRow, BarColumn, "Sem marca: ainda n\xE3o h\xE1 sugest\xE3o");
    return;
  }
  int col = BarColumn + MarkCell(MarkedThreshold(reading));
  std::string label = MarkLabel(reading);
  Put(screen, MarkRow, col, "^");
  int labelLength = static_cast<int>(label.size());
  if (col + 2 + labelLength <= MeterCols) Put(screen, MarkRow, col + 2, label);
  else Put(screen, MarkRow, col - 1 - labelLength, label);
}

std::string PeakLine(const MeterReading& reading) {
  std::string peak = reading.microphone ? Number(reading.peak) : "--";
  return "N\xEDvel do som agora: " + peak + "   (de 0 a 128)";
}

std::string NoiseLine(const MeterReading& reading) {
  std::string line = "Ru\xED" "do da sala (maior pico em 10 s sem som forte): ";
  if (reading.noise < 0) return line + "medindo";
  line += Number(reading.noise);
  if (!reading.noiseKnown) line += " (medindo, faltam " + Number(reading.secondsLeft) + " s)";
  return line;
}

std::string SoundsLine(const MeterReading& reading) {
  std::string line = "Seus sons fortes (os 3 \xFAltimos): ";
  if (reading.soundCount == 0) return line + "nenhum ainda";
  for (int i = 0; i < reading.soundCount; ++i) line += (i ? "  " : "") + Number(reading.sounds[i]);
  return line;
}

std::string SuggestionLine(const MeterReading& reading) {
  std::string line = "Sugest\xE3o de Volume: ";
  if (reading.suggestion >= 0) return line + Number(reading.suggestion);
  return line + "nenhuma ainda";
}

// Why the suggestion is what it is, in the caregiver's terms.
std::string ReasonLine(const MeterReading& reading) {
  if (reading.suggestion >= 0) {
    int softest = *std::min_element(reading.sounds, reading.sounds + reading.soundCount);
    return "(acima do ru\xED" "do, " + Number(reading.noise) +
           ", e abaixo do seu som mais fraco, " + Number(softest) + ")";
  }
  if (!reading.noiseKnown) return "(falta medir o ru\xED" "do: fique em sil\xEAncio)";
  if (reading.soundCount == 0) return "(falta ouvir seus sons: fa\xE7" "a o som 3 vezes)";
  return "(seus sons n\xE3o passam do ru\xED" "do: fa\xE7" "a um som mais forte)";
}

}  // namespace

MeterReading ReadMeter(const LevelStats& stats, int32_t now, bool microphone,
                       bool typedGiven, int typed) {
  MeterReading reading;
  reading.microphone = microphone;
  reading.peak = stats.lastPeak;
  reading.noise = RoomNoise(stats, now);
  reading.noiseKnown = NoiseKnown(stats, now);
  reading.secondsLeft = NoiseSecondsLeft(stats, now);
  std::copy(stats.sounds, stats.sounds + RememberedSounds, reading.sounds);
  reading.soundCount = stats.soundCount;
  reading.suggestion = SuggestedThreshold(stats, now);
  reading.typedGiven = typedGiven;
  reading.typed = typed;
  return reading;
}

bool HasMark(const MeterReading& reading) { return reading.typedGiven || reading.suggestion >= 0; }

int MarkedThreshold(const MeterReading& reading) {
  if (reading.typedGiven) return reading.typed;
  return reading.suggestion;
}

int MarkCell(int threshold) { return std::clamp(threshold, 0, 2 * BarCells - 1) / 2; }

int FilledCells(int peak) { return std::clamp((peak + 1) / 2, 0, BarCells); }

bool WouldFire(const MeterReading& reading) {
  return HasMark(reading) && reading.peak > MarkedThreshold(reading);
}

std::string MeterCaption(const MeterReading& reading) {
  std::string caption = reading.microphone ? "N\xEDvel " + Number(reading.peak) : "Sem microfone";
  caption += reading.suggestion < 0 ? " - sem sugest\xE3o" : " - sugest\xE3o " + Number(reading.suggestion);
  if (reading.switchPresses == 0) return caption;
  return caption + " - toques do acionador: " + Number(reading.switchPresses) + " (" + reading.lastSwitch + ")";
}

void ComposeMeterScreen(const MeterReading& reading, MeterScreen& screen) {
  BlankScreen(screen);
  Put(screen, 1, 2, PeakLine(reading));
  PutBar(screen, reading);
  PutMarkLine(screen, reading);
  Put(screen, 5, 2, NoiseLine(reading));
  Put(screen, 6, 2, SoundsLine(reading));
  Put(screen, 7, 2, SuggestionLine(reading));
  Put(screen, 8, 4, ReasonLine(reading));
  Put(screen, 10, 2, "Barra vermelha: o painel escolheria com este som; verde: n\xE3o escolheria.");
  Put(screen, 9, 2, "T: tempo de rea\xE7\xE3o e Delay sugerido. G: gravar as falas. C: configura\xE7\xF5" "es.");
  Put(screen, 11, 2, "Fique em sil\xEAncio 10 s; depois fa\xE7" "a 3 vezes o som que vai usar.");
  if (reading.microphone) Put(screen, 12, 2, "Microfone: ouvindo");
  else Put(screen, 12, 2, "Sem microfone: tentando de novo a cada 3 s", WarningColour);
}

void BlankScreen(MeterScreen& screen) {
  std::memset(screen.chars, ' ', sizeof screen.chars);
  std::memset(screen.attrs, TextColour, sizeof screen.attrs);
}

void PutLine(MeterScreen& screen, int row, const std::string& text, unsigned char attr) {
  Put(screen, row, 2, text, attr);
}
