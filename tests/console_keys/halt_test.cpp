// Ctrl+Break and a quit message end a console program with exit code 255 and leave its
// window up with the ended caption until the user closes it.
#include <windows.h>
#include <gtest/gtest.h>
#include <string>

namespace {

struct ProbeWindow {
  DWORD processId;
  HWND found = nullptr;
};

BOOL CALLBACK FindProbeWindow(HWND window, LPARAM param) {
  auto* probe = reinterpret_cast<ProbeWindow*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char cls[32] = {};
  GetClassNameA(window, cls, sizeof(cls));
  if (owner == probe->processId && std::string(cls) == "ObWinCrt") {
    probe->found = window;
    return FALSE;
  }
  return TRUE;
}

std::string ProbePath() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string p(path);
  return p.substr(0, p.find_last_of("\\/") + 1) + "console_keys_halt_probe.exe";
}

// Runs the probe; returns its caption once it shows the ended caption, then closes it.
DWORD RunProbe(const char* how, std::string& caption) {
  std::string command = "\"" + ProbePath() + "\" " + how;
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return 0xFFFFFFFF;
  ProbeWindow probe{process.dwProcessId};
  for (int i = 0; i < 200 && WaitForSingleObject(process.hProcess, 50) == WAIT_TIMEOUT; i++) {
    probe.found = nullptr;
    EnumWindows(FindProbeWindow, reinterpret_cast<LPARAM>(&probe));
    char text[256] = {};
    if (probe.found) GetWindowTextA(probe.found, text, sizeof(text));
    caption = text;
    if (caption.rfind("(Programa terminado - ", 0) == 0) break;
  }
  if (probe.found) PostMessageA(probe.found, WM_CLOSE, 0, 0);
  WaitForSingleObject(process.hProcess, 10000);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  if (code == STILL_ACTIVE) TerminateProcess(process.hProcess, 99);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
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

}  // namespace
