#include "meter/logic/timing_view.h"

#include <cmath>
#include <sstream>

namespace {

std::string Ms(int value) { return std::to_string(value) + " ms"; }
std::string Percent(double share) { return std::to_string(std::lround(share * 100)) + " %"; }

void Put(MeterScreen& screen, int row, const std::string& text) { PutLine(screen, row, text); }

std::string Direction(const TimingFigures& figures) {
  if (figures.suggestedMs < figures.currentDelayMs) return " (mais curto)";
  if (figures.suggestedMs > figures.currentDelayMs) return " (mais longo)";
  return " (o mesmo)";
}

}  // namespace

void ComposeTimingScreen(const TimingFigures& figures, const std::string& status, MeterScreen& screen) {
  BlankScreen(screen);
  Put(screen, 1, "Tempo de rea\xE7\xE3o: da op\xE7\xE3o acesa ao come\xE7o do toque (" +
                     std::to_string(figures.choices) + " escolhas recentes)");
  if (figures.choices > 0) Put(screen, 6, "Delay atual: " + Ms(figures.currentDelayMs));
  if (figures.suggestedMs == 0) {
    Put(screen, 3, "Faltam " + std::to_string(figures.moreNeeded) +
                       " escolhas medidas para sugerir um Delay: use o painel e volte.");
  } else {
    Put(screen, 3, "Metade dos toques come\xE7" "a em at\xE9 " + Ms(figures.medianMs) + " (mediana).");
    Put(screen, 4, "Quase todos (95 em cada 100) come\xE7" "am em at\xE9 " + Ms(figures.p95Ms) + ".");
    Put(screen, 5, "Escolhas erradas ou perdidas: " + Percent(figures.errorShare) + " (nas \xFAltimas 20: " +
                       Percent(figures.lastErrorShare) + ").");
    Put(screen, 7, "Delay sugerido: " + Ms(figures.suggestedMs) + Direction(figures));
    Put(screen, 9, "A: p\xF5" "e o Delay sugerido nos atalhos do painel; vale quando ele abrir de novo.");
  }
  Put(screen, 10, "V: volta ao medidor. Mude o Delay aos poucos, para a pessoa se acostumar.");
  Put(screen, 12, status);
}

std::string TimingCaption(const TimingFigures& figures) {
  if (figures.suggestedMs == 0) return "Tempo de rea\xE7\xE3o - faltam " + std::to_string(figures.moreNeeded) + " escolhas";
  return "Tempo de rea\xE7\xE3o - Delay sugerido: " + Ms(figures.suggestedMs);
}

std::string ArgumentsWithDelay(const std::string& arguments, int delayMs) {
  std::istringstream words(arguments);
  std::string volume, delay, more;
  if (!(words >> volume >> delay) || (words >> more)) return "";
  for (const std::string& number : {volume, delay})
    if (number.empty() || number.find_first_not_of("-0123456789") != std::string::npos) return "";
  return volume + " " + std::to_string(delayMs);
}

std::string AppliedStatus(int delayMs, int shortcuts, bool written, bool instead) {
  const std::string places = shortcuts == 0 ? "" : std::to_string(shortcuts) + (shortcuts == 1 ? " atalho" : " atalhos");
  if (!written) {
    if (shortcuts == 0) return "Nada gravado: o ORBITA.INI e os atalhos do painel pedem administrador.";
    return "Delay " + Ms(delayMs) + " posto em " + places + "; o ORBITA.INI pede administrador.";
  }
  if (instead) return "Delay " + Ms(delayMs) + " s\xF3 no seu ORBITA.INI: o do programa pede administrador.";
  return "Delay " + Ms(delayMs) + (shortcuts ? " em " + places + " e" : "") +
         " no ORBITA.INI; vale ao abrir o painel de novo.";
}
