// A console program that ends on request: "run" draws and waits to be closed (exit code 1 if
// nobody does), "end" draws and returns exit code 3, "quiet" never draws and returns 4.
#include "console/ObCrt.h"
#include <cstring>
#include <iostream>

int main(int argc, char** argv) {
  ConsoleInit();
  const char* how = argc > 1 ? argv[1] : "";
  if (std::strcmp(how, "quiet") == 0) {
    GoToCell(5, 5);
    return CurrentRow() == 1 ? 4 : 5;
  }
  ScreenCols = 80;
  ScreenRows = 12;
  std::cout << "Sonda: " << how << '\n';
  if (std::strcmp(how, "end") == 0) return 3;
  for (int i = 0; i < 100; i++) Delay(100);
  return 1;
}
