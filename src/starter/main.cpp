// acenora-iniciar.exe PROGRAM [ARGUMENTS...]: the setup's way to start the panel as the
// person's own program, and to know that it started. Exit code 0: a new window of the
// panel's class from PROGRAM appeared within 15 s; 1: the program is missing or could not
// be started; 2: it started but showed no panel (the system refused a panel that asks for
// UI access).
#include "starter/ustarter.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

int main() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!arguments || count < 2) return 1;
  std::wstring rest;
  for (int i = 2; i < count; ++i) rest += (i > 2 ? L" " : L"") + std::wstring(arguments[i]);
  const int code = StartPanelAsUser(arguments[1], rest);
  LocalFree(arguments);
  return code;
}
