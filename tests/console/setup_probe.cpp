// A console program that ends on request: "run" draws and waits to be closed (exit code 1 if
// nobody does), "end" draws and returns exit code 3, "quiet" never draws and returns 4, and
// "late" ends like "end" but writes once more after the ended window was closed, ending with
// 7 when that write left the window shut and 6 when it brought it back.
#include "console/ObCrt.h"
#include <cstdlib>
#include <cstring>
#include <iostream>

// Installed before the console's end handler, so it runs after that handler has returned.
void WriteLate() {
  std::cout << "tarde";
  ExitProcess(WindowOpen ? 6 : 7);
}

int main(int argc, char** argv) {
  const char* how = argc > 1 ? argv[1] : "";
  if (std::strcmp(how, "late") == 0) std::atexit(WriteLate);
  ConsoleInit();
  if (std::strcmp(how, "quiet") == 0) {
    GoToCell(5, 5);
    return CurrentRow() == 1 ? 4 : 5;
  }
  ScreenCols = 80;
  ScreenRows = 12;
  std::cout << "Sonda: " << how << '\n';
  if (std::strcmp(how, "end") == 0 || std::strcmp(how, "late") == 0) return 3;
  for (int i = 0; i < 100; i++) Delay(100);
  return 1;
}
