// Ctrl+Break and a quit message end a console program with exit code 255 and leave its
// window up with the ended caption until the user closes it.
#include <windows.h>
#include <gtest/gtest.h>
#include <string>

#include "support/probe_process.h"

namespace {

bool IsEnded(const std::string& caption) {
  return caption.rfind("(Programa terminado - ", 0) == 0;
}

// Runs the probe; returns its caption once it shows the ended caption, then closes it.
DWORD RunProbe(const char* how, std::string& caption) {
  ProbeProcess probe(BesideThisProgram("console_keys_halt_probe.exe"), how);
  if (!probe.Started()) return 0xFFFFFFFF;
  HWND window = probe.WaitForWindow("ObWinCrt", IsEnded, 10000);
  if (window) {
    caption = WindowCaption(window);
    PostMessageA(window, WM_CLOSE, 0, 0);
  }
  return probe.ExitCode(10000);
}

TEST(ConsoleHaltProcess, CtrlBreakEndsWith255AndTheEndedCaption) {
  std::string caption;
  EXPECT_EQ(RunProbe("break", caption), 255u);
  EXPECT_EQ(caption.rfind("(Programa terminado - ", 0), 0u) << caption;
}

TEST(ConsoleHaltProcess, QuitMessageEndsWith255AndTheEndedCaption) {
  std::string caption;
  EXPECT_EQ(RunProbe("quit", caption), 255u);
  EXPECT_EQ(caption.rfind("(Programa terminado - ", 0), 0u) << caption;
}

TEST(ConsoleHaltProcess, EndingDuringAnAnnouncementStopsItsToneBeforeTheEndedWait) {
  for (const char* how : {"break tone", "quit tone"}) {
    std::string caption;
    EXPECT_EQ(RunProbe(how, caption), 255u) << how;
    EXPECT_TRUE(IsEnded(caption)) << how << ": " << caption;
  }
}

}  // namespace
