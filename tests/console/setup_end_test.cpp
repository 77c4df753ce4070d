// How a console program ends: closing its window ends it with exit code 0; ending it any other
// way while the window is up leaves the window captioned as ended until the user closes it.
#include <windows.h>
#include <gtest/gtest.h>
#include <string>

#include "support/probe_process.h"

namespace {

std::string ProbePath() { return BesideThisProgram("console_setup_probe.exe"); }

// The probe's console window once its caption satisfies want, or null after ten seconds.
HWND WaitForConsole(ProbeProcess& probe, const std::function<bool(const std::string&)>& want) {
  return probe.WaitForWindow("ObWinCrt", want, 10000);
}

const std::string EndedPrefix = "(Programa terminado - ";

bool IsEnded(const std::string& caption) { return caption.rfind(EndedPrefix, 0) == 0; }

TEST(ConsoleEnd, ClosingTheWindowWhileTheProgramRunsEndsItWithCodeZero) {
  ProbeProcess probe(ProbePath(), "run");
  ASSERT_TRUE(probe.Started());
  HWND window = WaitForConsole(probe, [](const std::string& c) { return !c.empty(); });
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(IsEnded(WindowCaption(window)));
  PostMessageA(window, WM_CHAR, 'a', 0);  // a key still queued is discarded, not waited for
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(probe.ExitCode(10000), 0u);
  EXPECT_FALSE(IsWindow(window));
}

TEST(ConsoleEnd, AnEndByExitCodeKeepsTheWindowCaptionedAsEndedUntilClosed) {
  ProbeProcess probe(ProbePath(), "end");
  ASSERT_TRUE(probe.Started());
  HWND window = WaitForConsole(probe, IsEnded);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(WindowCaption(window), EndedPrefix + ProbePath() + ")");
  Sleep(500);
  EXPECT_TRUE(probe.Running());
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(probe.ExitCode(10000), 3u);  // the close finishes the end already under way
}

TEST(ConsoleEnd, TheCloseItemOfTheEndedWindowFinishesTheEnd) {
  ProbeProcess probe(ProbePath(), "end");
  HWND window = WaitForConsole(probe, IsEnded);
  ASSERT_NE(window, nullptr);
  PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(probe.ExitCode(10000), 3u);
}

TEST(ConsoleEnd, AMessageAbove45000StopsTheEndedWindowsWait) {
  ProbeProcess probe(ProbePath(), "end");
  HWND window = WaitForConsole(probe, IsEnded);
  ASSERT_NE(window, nullptr);
  PostMessageA(window, 45000, 0, 0);
  Sleep(300);
  EXPECT_TRUE(probe.Running());
  PostMessageA(window, 45001, 0, 0);
  EXPECT_EQ(probe.ExitCode(10000), 3u);
}

TEST(ConsoleEnd, AWriteAfterTheEndedWindowWasClosedDoesNotBringItBack) {
  ProbeProcess probe(ProbePath(), "late");
  HWND window = WaitForConsole(probe, IsEnded);
  ASSERT_NE(window, nullptr);
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(probe.ExitCode(10000), 7u);
}

TEST(ConsoleEnd, AProgramThatNeverDrewEndsAtOnceWithoutAWindow) {
  ProbeProcess probe(ProbePath(), "quiet");
  ASSERT_TRUE(probe.Started());
  EXPECT_EQ(probe.ExitCode(10000), 4u);
}

TEST(ConsoleEnd, ALongProgramPathIsCutInTheEndedCaption) {
  std::string folder = BesideThisProgram(std::string(70, 'p'));
  CreateDirectoryA(folder.c_str(), nullptr);
  std::string exe = folder + "\\console_setup_probe.exe";
  ASSERT_TRUE(CopyFileA(ProbePath().c_str(), exe.c_str(), FALSE));
  ASSERT_GT(exe.size(), 79u);
  {
    ProbeProcess probe(exe, "end");
    HWND window = WaitForConsole(probe, IsEnded);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowCaption(window), EndedPrefix + exe.substr(0, 79) + ")");
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(probe.ExitCode(10000), 3u);
  }
  DeleteFileA(exe.c_str());
  RemoveDirectoryA(folder.c_str());
}

}  // namespace
