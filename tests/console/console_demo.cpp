// A look at the console: coloured lines through standard output, a scroll, and a window that
// stays until it is closed.
#include "console/ObCrt.h"
#include <iomanip>
#include <iostream>

namespace {

void Line(unsigned char text, unsigned char background, const char* words) {
  SetForeground(text);
  SetBackground(background);
  std::cout << words;
  ClearToLineEnd();
  std::cout << '\n';
}

}  // namespace

int main() {
  ConsoleInit();
  ScreenCols = 80;
  ScreenRows = 12;
  ClearScreen();
  SetWindowTextA(ConsoleWindow, "Acenora - v2.0");
  Line(15, 0, "Esta linha sobe e sai da tela com a rolagem.");
  Line(15, 0, "           Acenora - console de texto");
  Line(14, 0, " Clique duplo");
  Line(14, 4, " Clique direito");
  Line(14, 0, " Shift + clique");
  Line(0, 2, " Tecla verde  ");
  for (unsigned char c = 1; c < 16; c++) {
    SetForeground(c);
    SetBackground(0);
    std::cout << ' ' << std::setw(2) << int(c);
  }
  std::cout << '\n';
  Line(7, 1, " Cinza claro sobre azul: acentua\xE7\xE3o \xE1\xE9\xED\xF3\xFA \xE7 \xE3 \xF5");
  Line(11, 0, " Linha nove");
  Line(10, 0, " Linha dez");
  Line(12, 0, " Linha onze");
  Line(13, 0, " Linha doze: a primeira linha rolou para fora");
  SetForeground(7);
  std::cout << " Feche a janela para terminar.";
  for (;;) Delay(100);
}
