// Start-up seen from inside the program, on virtual time: the start-up screen on its
// 30-column panel during the two-second pause that follows command-line values, and the
// state the program is in when the menus begin.
#include "scanning/acenora.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "panel_user.h"
#include "scanning_fixture.h"

namespace {

// The command line as the program reads it, for the length of one test.
class CommandLine {
 public:
  explicit CommandLine(std::vector<std::string> arguments) : texts_(std::move(arguments)) {
    savedCount_ = __argc;
    savedValues_ = __argv;
    pointers_.push_back(const_cast<char*>("acenora.exe"));
    for (std::string& text : texts_) pointers_.push_back(text.data());
    pointers_.push_back(nullptr);
    __argc = static_cast<int>(texts_.size()) + 1;
    __argv = pointers_.data();
  }
  ~CommandLine() {
    __argc = savedCount_;
    __argv = savedValues_;
  }

 private:
  std::vector<std::string> texts_;
  std::vector<char*> pointers_;
  int savedCount_;
  char** savedValues_;
};

struct SplashSeen {
  std::vector<std::string> rows;  // rows 1 to 9
  int titleColour = 0, creditColour = 0;
  std::string caption;
  RECT frame{};
  PanelBox expected{};
  bool splash = false;
};

class StartUpScreen : public ScanningPanel {
 protected:
  // Runs StartUp, looking at the panel at the first tick of its pause.
  SplashSeen StartUpWatched() {
    SplashSeen seen;
    bool looked = false;
    vt::OnSleep([&](int64_t) {
      if (looked) return;
      looked = true;
      for (int row = 1; row <= 9; ++row) seen.rows.push_back(PanelRow(row));
      seen.titleColour = CellAttrs[3 * ScreenCols + 9] & 0x0F;
      seen.creditColour = CellAttrs[6 * ScreenCols + 8] & 0x0F;
      char caption[64] = {};
      GetWindowTextA(ConsoleWindow, caption, sizeof caption);
      seen.caption = caption;
      GetWindowRect(ConsoleWindow, &seen.frame);
      seen.splash = SplashMode;
      seen.expected = PanelPlacement(true);
    });
    StartUp();
    return seen;
  }
};

TEST_F(StartUpScreen, TheStartUpScreenShowsCentredOnAThirtyColumnPanelDuringThePause) {
  CommandLine line({"250", "2000"});
  PanelAtBottom = false;
  SplashSeen seen = StartUpWatched();
  EXPECT_EQ(seen.rows, (std::vector<std::string>{"", "       Projeto Acenora", "      Orvalhos - 2004/5",
                                                 "         ACENORA v2.0", "", "          Criado por",
                                                 "        Quelmar Tavoni", "", ""}));
  EXPECT_EQ(seen.titleColour, 15) << "the title in white";
  EXPECT_EQ(seen.creditColour, 14) << "the rest in yellow";
  EXPECT_EQ(seen.caption, "Acenora - v2.0");
  EXPECT_TRUE(seen.splash);
  // Nine rows with values on the command line, docked at the bottom right.
  SplashMode = true;
  EXPECT_EQ(seen.expected.height, 9 * CellHeight + FrameHeight);
  EXPECT_EQ(seen.frame.right - seen.frame.left, seen.expected.width);
  EXPECT_EQ(seen.frame.right, WorkRight);
  EXPECT_EQ(seen.frame.bottom, seen.frame.top + seen.expected.height);
  SplashMode = false;
}

TEST_F(StartUpScreen, ValuesOnTheCommandLinePauseTwoSecondsAndTheMenusBeginSettled) {
  CommandLine line({"250", "2000", "ignored"});
  CurrentMenu = 4;
  KeyboardLayout = 3;
  RepeatArmed = true;
  ShowWindow(ConsoleWindow, SW_SHOWMINNOACTIVE);  // as a shortcut set to "Minimised" shows it
  StartUp();
  EXPECT_EQ(vt::NowMs(), 2000) << "one pause of two seconds and nothing else on the ticks";
  EXPECT_EQ(Threshold, 250);
  EXPECT_EQ(DwellMs, 2000);
  EXPECT_EQ(CurrentMenu, 1);
  EXPECT_EQ(KeyboardLayout, 0);
  EXPECT_FALSE(RepeatArmed);
  EXPECT_FALSE(SplashMode);
  EXPECT_TRUE(PanelAtBottom);
  EXPECT_EQ(ScreenCols, 80);
  EXPECT_EQ(ScreenRows, 12);
  for (int row = 1; row <= 12; ++row) EXPECT_EQ(PanelRow(row), "") << "row " << row;
  EXPECT_EQ(vt::QueuedBuffers(), RingSlots) << "sound capture runs with its whole ring";
  // The display and the system are kept on, asked for until the process ends.
  const EXECUTION_STATE awake = ES_CONTINUOUS | ES_SYSTEM_REQUIRED | ES_DISPLAY_REQUIRED;
  EXPECT_EQ(SetThreadExecutionState(ES_CONTINUOUS) & awake, awake);
  SetThreadExecutionState(awake);
  // A tool window: no taskbar button or place in Alt+Tab, never activated, above the others.
  const LONG_PTR styles = GetWindowLongPtrA(ConsoleWindow, GWL_EXSTYLE);
  EXPECT_EQ(styles & (WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST),
            WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST);
  EXPECT_TRUE(IsWindowVisible(ConsoleWindow) && !IsIconic(ConsoleWindow)) << "shown restored";
}

TEST_F(StartUpScreen, ValuesTypedAtThePromptsAreTakenWithoutAPause) {
  CommandLine line({});
  DwellMs = 1000;
  const std::string typed = "\r  45 more\r1100\r";
  for (char c : typed) KeyQueue[KeyCount++] = static_cast<unsigned char>(c);
  ShowWindow(ConsoleWindow, SW_SHOWMAXIMIZED);  // as a shortcut set to "Maximised" shows it
  StartUp();
  EXPECT_FALSE(IsZoomed(ConsoleWindow)) << "the panel is not left maximised";
  EXPECT_EQ(vt::NowMs(), 0);
  EXPECT_EQ(Threshold, 45);
  EXPECT_EQ(DwellMs, 1100);
  EXPECT_EQ(CurrentMenu, 1);
}

// Below 0 every poll would fire, even in silence, and the first quiet wait would never end.
TEST_F(StartUpScreen, ANegativeThresholdIsTakenAsZeroAndEveryOtherValueAsGiven) {
  for (auto [argument, threshold] : {std::pair{"-5", 0}, {"-2147483648", 0}, {"0", 0},
                                     {"128", 128}}) {
    CommandLine line({argument});
    vt::Reset();
    ForgetPresses();
    StartUp();
    EXPECT_EQ(Threshold, threshold) << argument;
  }
  CommandLine none({});
  const std::string typed = "-7\r1000\r";
  for (char c : typed) KeyQueue[KeyCount++] = static_cast<unsigned char>(c);
  vt::Reset();
  ForgetPresses();
  StartUp();
  EXPECT_EQ(Threshold, 0) << "typed -7";
}

}  // namespace
