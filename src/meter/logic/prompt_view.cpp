#include "meter/logic/prompt_view.h"

namespace {

std::string State(const PromptPage& page) {
  if (page.recording) return "gravando";
  if (page.recordedMs < 0) return "sem grava\xE7\xE3o";
  return "gravada, " + Seconds(page.recordedMs);
}

std::string Place(const PromptPage& page) {
  return std::to_string(page.index + 1) + " de " + std::to_string(page.count);
}

}  // namespace

std::string Seconds(int64_t ms) {
  const int64_t tenths = (ms + 50) / 100;
  return std::to_string(tenths / 10) + "," + std::to_string(tenths % 10) + " s";
}

void ComposePromptScreen(const PromptPage& page, MeterScreen& screen) {
  BlankScreen(screen);
  PutLine(screen, 1, "Gravar falas: o que o painel diz ao acender cada item, numa voz conhecida.");
  PutLine(screen, 3, "Fala " + Place(page) + ":");
  PutLine(screen, 4, "   " + page.text, 0x0F);
  PutLine(screen, 5, "   (" + State(page) + ")");
  PutLine(screen, 7, page.status, page.recording ? WarningColour : TextColour);
  PutLine(screen, 9, "R: grava (at\xE9 3 s; outra tecla termina)   Espa\xE7o: pr\xF3xima   A: anterior");
  PutLine(screen, 10, "O: ouve de novo   X: apaga a grava\xE7\xE3o   V: volta ao medidor");
  PutLine(screen, 12, "As grava\xE7\xF5" "es ficam s\xF3 neste computador. Sem grava\xE7\xE3o: a voz do Windows.");
}

std::string PromptCaption(const PromptPage& page) {
  return "Gravar falas - " + Place(page) + ": " + page.text + " (" + State(page) + ")";
}
