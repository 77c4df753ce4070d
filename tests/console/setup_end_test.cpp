// How a console program ends: closing its window ends it with exit code 0; ending it any other
// way while the window is up leaves the window captioned as ended until the user closes it.
#include <windows.h>
#include <gtest/gtest.h>
#include <string>

namespace {

std::string OwnFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string p(path);
  return p.substr(0, p.find_last_of("\\/") + 1);
}

std::string ProbePath() { return OwnFolder() + "console_setup_probe.exe"; }

struct Search {
  DWORD processId;
  HWND found = nullptr;
};

BOOL CALLBACK FindConsoleWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char cls[32] = {};
  GetClassNameA(window, cls, sizeof(cls));
  if (owner != search->processId || std::string(cls) != "ObWinCrt") return TRUE;
  search->found = window;
  return FALSE;
}

std::string Caption(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof(text));
  return text;
}

// One run of the probe: started, watched through its window, then closed or left to end.
class ProbeRun {
 public:
  ProbeRun(const std::string& exe, const char* how) {
    std::string command = "\"" + exe + "\" " + how;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    started_ = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              nullptr, &startup, &process_);
  }
  ~ProbeRun() {
    if (!started_) return;
    if (Running()) TerminateProcess(process_.hProcess, 99);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  bool Started() const { return started_; }
  bool Running() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }

  // The probe's console window once its caption satisfies want, or null after ten seconds.
  template <class Want>
  HWND WaitForWindow(Want want) {
    for (int i = 0; i < 200 && Running(); i++) {
      Search search{process_.dwProcessId};
      EnumWindows(FindConsoleWindow, reinterpret_cast<LPARAM>(&search));
      if (search.found && want(Caption(search.found))) return search.found;
      Sleep(50);
    }
    return nullptr;
  }
  DWORD ExitCode() {
    WaitForSingleObject(process_.hProcess, 10000);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
  }

 private:
  bool started_ = false;
  PROCESS_INFORMATION process_{};
};

const std::string EndedPrefix = "(Programa terminado - ";

bool IsEnded(const std::string& caption) { return caption.rfind(EndedPrefix, 0) == 0; }

TEST(ConsoleEnd, ClosingTheWindowWhileTheProgramRunsEndsItWithCodeZero) {
  ProbeRun probe(ProbePath(), "run");
  ASSERT_TRUE(probe.Started());
  HWND window = probe.WaitForWindow([](const std::string& c) { return !c.empty(); });
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(IsEnded(Caption(window)));
  PostMessageA(window, WM_CHAR, 'a', 0);  // a key still queued is discarded, not waited for
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(probe.ExitCode(), 0u);
  EXPECT_FALSE(IsWindow(window));
}

TEST(ConsoleEnd, AnEndByExitCodeKeepsTheWindowCaptionedAsEndedUntilClosed) {
  ProbeRun probe(ProbePath(), "end");
  ASSERT_TRUE(probe.Started());
  HWND window = probe.WaitForWindow(IsEnded);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(Caption(window), EndedPrefix + ProbePath() + ")");
  Sleep(500);
  EXPECT_TRUE(probe.Running());
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(probe.ExitCode(), 3u);  // the close finishes the end already under way
}

TEST(ConsoleEnd, TheCloseItemOfTheEndedWindowFinishesTheEnd) {
  ProbeRun probe(ProbePath(), "end");
  HWND window = probe.WaitForWindow(IsEnded);
  ASSERT_NE(window, nullptr);
  PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(probe.ExitCode(), 3u);
}

TEST(ConsoleEnd, AMessageAbove45000StopsTheEndedWindowsWait) {
  ProbeRun probe(ProbePath(), "end");
  HWND window = probe.WaitForWindow(IsEnded);
  ASSERT_NE(window, nullptr);
  PostMessageA(window, 45000, 0, 0);
  Sleep(300);
  EXPECT_TRUE(probe.Running());
  PostMessageA(window, 45001, 0, 0);
  EXPECT_EQ(probe.ExitCode(), 3u);
}

TEST(ConsoleEnd, AWriteAfterTheEndedWindowWasClosedDoesNotBringItBack) {
  ProbeRun probe(ProbePath(), "late");
  HWND window = probe.WaitForWindow(IsEnded);
  ASSERT_NE(window, nullptr);
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(probe.ExitCode(), 7u);
}

TEST(ConsoleEnd, AProgramThatNeverDrewEndsAtOnceWithoutAWindow) {
  ProbeRun probe(ProbePath(), "quiet");
  ASSERT_TRUE(probe.Started());
  EXPECT_EQ(probe.ExitCode(), 4u);
}

TEST(ConsoleEnd, ALongProgramPathIsCutInTheEndedCaption) {
  std::string folder = OwnFolder() + std::string(70, 'p');
  CreateDirectoryA(folder.c_str(), nullptr);
  std::string exe = folder + "\\console_setup_probe.exe";
  ASSERT_TRUE(CopyFileA(ProbePath().c_str(), exe.c_str(), FALSE));
  ASSERT_GT(exe.size(), 79u);
  {
    ProbeRun probe(exe, "end");
    HWND window = probe.WaitForWindow(IsEnded);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Caption(window), EndedPrefix + exe.substr(0, 79) + ")");
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(probe.ExitCode(), 3u);
  }
  DeleteFileA(exe.c_str());
  RemoveDirectoryA(folder.c_str());
}

}  // namespace
