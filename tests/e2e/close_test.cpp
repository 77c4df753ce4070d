// The panel closed as a user's click on its close box would, at random moments, with the
// microphone recording: while it scans, during its Braille announcement, right after a
// mouse click, while "Visualiza" leaves the screen free, and just after an on-screen key.
// Every close must end the program with exit code 0.
#include "desktop.h"
#include "panel_settings_environment.h"
#include "support/probe_process.h"
#include "target_window.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <vector>

using namespace e2e;

namespace {

const char* const Title = "Acenora - v2.0";
constexpr int Dwell = 500;
const std::string Values = "250\r500\r";  // typed at the prompts: no sound reaches 250

std::mt19937 Random{std::random_device{}()};
std::map<std::string, std::map<DWORD, int>> Closes;  // state -> exit code -> count
DWORD StartTick = GetTickCount();

DWORD RandomDelay(DWORD maxMs) { return std::uniform_int_distribution<DWORD>(0, maxMs)(Random); }

void Record(const std::string& state, DWORD code) {
  ++Closes[state][code];
  EXPECT_EQ(code, 0u) << "closed " << state;
}

void Type(HWND panel, const std::string& text) {
  for (char c : text) PostMessageA(panel, WM_CHAR, static_cast<unsigned char>(c), 1);
}

// The first scan of the mouse menu: 16 columns, far narrower than the start-up screen's 30.
bool ShowsMouseMenu(HWND panel) {
  RECT r{};
  return panel && IsWindowVisible(panel) && GetWindowRect(panel, &r) &&
         r.right - r.left < 30 * PanelFontWidth && Caption(panel) == Title;
}

// One of a run of programs, each closed a random moment after it is seen in its state. One
// runs at a time: a second start in the session hands its numbers to the running panel.
struct Program {
  std::unique_ptr<ProbeProcess> process;
  HWND panel = nullptr;
  DWORD seenAt = 0, delay = 0;
  std::string state;  // as it was when the close went
};

struct Batch {
  DWORD spreadMs;
  std::function<void(HWND)> prepare;            // once the window is there
  std::function<bool(HWND)> reached;
  std::function<std::string(HWND)> stateNow;

  bool Step(Program& p) const {  // true once the close has gone and the program has ended
    if (!p.state.empty()) return !p.process->Running();
    if (!p.panel) {
      if ((p.panel = FindProcessWindow(p.process->Id(), "ObWinCrt", nullptr))) prepare(p.panel);
    } else if (!p.seenAt) {
      if (reached(p.panel)) p.seenAt = GetTickCount(), p.delay = RandomDelay(spreadMs);
    } else if (GetTickCount() - p.seenAt >= p.delay) {
      p.state = stateNow(p.panel);
      PostMessageA(p.panel, WM_CLOSE, 0, 0);
    }
    return false;
  }

  static std::string Unfinished(const std::vector<Program>& programs) {
    std::string text;
    for (const Program& p : programs) {
      if (!p.state.empty()) continue;
      RECT r{};
      if (p.panel) GetWindowRect(p.panel, &r);
      text += " [" + (p.panel ? "'" + Caption(p.panel) + "' " + std::to_string(r.right - r.left) +
                                    " px wide" + (IsWindowVisible(p.panel) ? "" : " hidden")
                              : std::string("no window")) +
              (p.seenAt ? ", seen in its state" : "") + "]";
    }
    return text;
  }

  // `total` programs, one after another: the next starts once the one before has ended.
  void Run(int total) const {
    constexpr int together = 1;
    std::vector<Program> programs;
    programs.reserve(total);
    EXPECT_TRUE(WaitUntil([&] {
      int open = 0;
      for (Program& p : programs) open += !Step(p);
      for (; open < together && programs.size() < static_cast<size_t>(total); ++open) {
        programs.emplace_back();
        programs.back().process =
            std::make_unique<ProbeProcess>(BesideThisProgram("acenora.exe"), "");
      }
      return open == 0;
    }, 90000)) << "a program never reached its state:" << Unfinished(programs);
    for (Program& p : programs)
      if (!p.state.empty()) Record(p.state, p.process->ExitCode(10000));
  }
};

// Started without values and answered at once, so the scan begins without the 2 s pause.
bool StartScanning() {
  if (!StartPanel("")) return false;
  Type(PanelWindow(), Values);
  return WaitUntil([] { return ShowsMouseMenu(PanelWindow()); }, 15000);
}

// Brings a new panel to the state with the switch and closes it up to spreadMs later; one
// that misses the state is closed at once and the miss reported.
void CloseInState(const std::string& state, const std::function<bool()>& reach, DWORD spreadMs) {
  bool reached = StartScanning() && reach();
  EXPECT_TRUE(reached) << state << " not reached: " << Situation();
  PumpFor(reached ? RandomDelay(spreadMs) : 0);
  Record(reached ? state : "missed " + state, ClosePanel());
}

class ClosingAtAnyMoment : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { SetDwell(Dwell); }
  static void TearDownTestSuite() {
    std::printf("closes after %lu ms:", GetTickCount() - StartTick);
    for (const auto& [state, codes] : Closes)
      for (const auto& [code, count] : codes) std::printf(" %s %d x code %lu;", state.c_str(), count, code);
    std::printf("\n");
  }
};

}  // namespace

TEST_F(ClosingAtAnyMoment, WhileScanningAndWhileTheBrailleModeIsAnnounced) {
  Batch scanning{1500, [](HWND panel) { Type(panel, Values); }, ShowsMouseMenu,
                 [](HWND) { return std::string("scanning"); }};
  scanning.Run(30);

  ASSERT_TRUE(AddToPanelSettings("[BRAILLE]\r\nMODO=1\r\n"));
  Batch announcing{400, [](HWND) {}, [](HWND) { return true; }, [](HWND panel) {
    return std::string(Caption(panel) == Title ? "start-up prompt" : "Braille announcement");
  }};
  announcing.Run(10);
  ASSERT_TRUE(AddToPanelSettings(""));
}

TEST_F(ClosingAtAnyMoment, RightAfterAMouseClickAndWhileVisualizaLeavesTheScreenFree) {
  TargetWindow target;
  ASSERT_TRUE(OpenTargetWindow(target, "Alvo", 60, 80, 400, 300));
  for (int run = 0; run < 5; ++run) {
    POINT centre = CentreOf(target);
    SetCursorPos(centre.x, centre.y);
    size_t clicks = target.clicks.size();
    CloseInState("mouse click", [] { return ChooseOption(1); }, 300);  // the click follows the hide
    EXPECT_EQ(target.clicks.size(), clicks + 1);
  }
  for (int run = 0; run < 2; ++run)
    CloseInState("Visualiza", [] { return ChooseOption(10) && !PanelVisible(); }, 1500);
  DestroyTargetWindow(target);
}

// The key's replay is still running in the playback library's thread at the close.
TEST_F(ClosingAtAnyMoment, JustAfterAKeyOfTheOnScreenKeyboard) {
  TargetWindow target;
  ASSERT_TRUE(OpenTargetWindow(target, "Alvo", 60, 80, 400, 300));
  for (int run = 0; run < 3; ++run)
    CloseInState("on-screen key", [&] {
      return ChooseOption(9) && Focus(target.window) && ChooseKey(2, 1, "a");  // "Digita"
    }, 300);
  DestroyTargetWindow(target);
}
