// The settings window's entry; "/gravar FILE SECTION KEY VALUE..." writes without a window,
// as the setup does.
#include <windows.h>
#include <shellapi.h>

#include "settings/uconfig.h"
#include "settings/ujanela.h"

int main() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments && count >= 2 && lstrcmpiW(arguments[1], L"/gravar") == 0) return WriteFromCommandLine(count, arguments);
  return ConfigMain();
}
