// The on-screen keyboard as the user meets it: rows lit in turn on the panel, the keys of a
// chosen row lit one by one, and the switch (Ctrl on virtual time) choosing what is lit.
// What is lit is read back from the panel's cells after every tick.
#include "console/ObCrt.h"
#include "keyboard/uteclado.h"
#include "scanning/core/uvars.h"
#include "scanning/core/uwindow.h"
#include "support/playback_recorder.h"
#include "support/virtual_seam.h"
#include "support/wide_caption.h"
#include "switch/uaudio.h"
#include "switch/uctlsom.h"
#include "seam/seam.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int Red = 4, Green = 2;

int Background(int column, int row) { return CellAttrs[row * ScreenCols + column] >> 4; }

std::string RowText(int row, int length) {
  return std::string(reinterpret_cast<const char*>(CellChars) + row * ScreenCols, length);
}

// What the panel shows lit: a whole row on red, or one key of a row on green.
struct Lit {
  int row = 0;  // 1-based, 0: none
  int key = 0;  // 1-based, 0: the row itself
  bool operator==(const Lit&) const = default;
};

Lit LitNow() {
  for (int row = 0; row < 9; ++row) {
    for (int column = 0; column < 24; ++column)
      if (Background(column, row) == Green) return {row + 1, column / 4 + 1};
    if (Background(0, row) == Red) return {row + 1, 0};
  }
  return {};
}

// The choice that stops a running repeat: a press about a second after the last one.
constexpr std::pair<int, int> StopRepeat{0, 0};

// A user with the switch: waits for each wanted row, then for the wanted key of it, and
// presses Ctrl at the poll that finds it lit, for holdMs. Records what was lit each tick;
// an observer, when given, looks at the panel first.
class SwitchUser {
 public:
  explicit SwitchUser(std::vector<std::pair<int, int>> choices,
                      std::function<void()> observer = nullptr, int holdMs = 50)
      : choices_(std::move(choices)), observer_(std::move(observer)), holdMs_(holdMs) {
    vt::OnSleep([this](int64_t now) { Tick(now); });
  }
  std::vector<Lit> seen;              // what was lit at each tick
  std::vector<std::string> captions;  // the caption after each choice of a key

 private:
  void Tick(int64_t now) {
    if (observer_) observer_();
    const Lit lit = LitNow();
    seen.push_back(lit);
    if (wantCaption_) {
      captions.push_back(CaptionOf(ConsoleWindow));
      wantCaption_ = false;
    }
    // Give up with "Sel" when a wanted item never shows.
    if (now > 600000 && next_ < choices_.size()) choices_.resize(next_), choices_.push_back({1, 1});
    if (next_ >= choices_.size() || now < releasedAt_ + 300) return;
    const auto [row, key] = choices_[next_];
    if (choices_[next_] == StopRepeat) {
      if (now < releasedAt_ + 1300) return;
      ++next_;
    } else {
      if (!(lit == (onKey_ ? Lit{row, key} : Lit{row, 0}))) return;
      if (onKey_) { ++next_; wantCaption_ = true; }
      onKey_ = !onKey_;
    }
    vt::HoldCtrl(now, now + holdMs_);
    releasedAt_ = now + holdMs_;
  }
  std::vector<std::pair<int, int>> choices_;
  std::function<void()> observer_;
  int holdMs_;
  size_t next_ = 0;
  bool onKey_ = false;
  bool wantCaption_ = false;
  int64_t releasedAt_ = -1000;
};

class OnScreenKeyboard : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ConsoleInit();
    ClearScreen();
    MeasureWorkArea();
  }
  // Taken down so the end of the program does not wait for the user to close it.
  static void TearDownTestSuite() {
    if (WindowOpen) DestroyWindow(ConsoleWindow);
  }
  void SetUp() override {
    ClearScreen();  // nothing lit from the last scan
    vt::Reset();
    ForgetPresses();
    ClearPlayCalls();
    ShiftLatch = CtrlLatch = AltLatch = RepeatArmed = false;
    KeyboardLayout = 1;
    CurrentMenu = 0;
    DwellMs = 500;
  }
  void TearDown() override { vt::OnSleep(nullptr); }

  // Scans until "Sel" and returns the typed characters in order.
  std::string TypedKeys() {
    std::string typed;
    for (const PlayCall& call : PlayCalls)
      if (call.name == "PlayKey") typed += static_cast<char>(call.args[0]);
    return typed;
  }
};

constexpr std::pair<int, int> Sel{1, 1};

TEST_F(OnScreenKeyboard, TypesTheChosenKeysAndLeavesThroughSelForTheKeyboardMenu) {
  SwitchUser user({{3, 3}, {2, 1}, Sel});  // "c", "a"
  ScanKeyboard();
  EXPECT_EQ(TypedKeys(), "ca") << DescribePlayCalls();
  EXPECT_EQ(KeyboardLayout, 0);
  EXPECT_EQ(CurrentMenu, 7);
  EXPECT_EQ(user.captions, (std::vector<std::string>{"c", "a", "Sel"}));
}

TEST_F(OnScreenKeyboard, EachRowIsLitForOneDwellAndTheScanWrapsAfterTheLastRow) {
  std::vector<Lit> seen;
  // After two rounds of the eight rows, leave through "Sel".
  int64_t releasedAt = -1000;
  vt::OnSleep([&](int64_t now) {
    seen.push_back(LitNow());
    const bool leave = (seen.size() >= 85 && LitNow() == Lit{1, 0}) || LitNow() == Lit{1, 1};
    if (leave && now >= releasedAt + 400) vt::HoldCtrl(now, releasedAt = now + 50);
  });
  ScanKeyboard();
  // After the quiet wait, each row stays lit for five ticks, rows 1 to 8, then row 1.
  std::vector<Lit> rows;
  for (const Lit& lit : seen)
    if (lit.key == 0 && lit.row != 0) rows.push_back(lit);
  ASSERT_GE(rows.size(), 45u);
  for (int row = 1; row <= 8; ++row)
    for (int tick = 0; tick < 5; ++tick)
      EXPECT_EQ(rows[(row - 1) * 5 + tick].row, row) << "tick " << tick << " of row " << row;
  EXPECT_EQ(rows[40].row, 1);
}

// A row or a key is lit from the poll before the one that first sees it lit, for one dwell.
// A press in its last moments chooses it, though a sound is seen only after the highlight
// has moved on.
TEST_F(OnScreenKeyboard, APressInTheLastMomentsOfARowOrAKeyChoosesIt) {
  {
    SwitchUser reference({{3, 2}, Sel});
    ScanKeyboard();
  }
  const std::string wanted = TypedKeys();
  ASSERT_EQ(wanted.size(), 1u);
  for (bool sound : {false, true}) {
    SetUp();
    Threshold = 30;
    ASSERT_EQ(CaptureOpen(CaptureRate, 8, 1, CaptureBufferBytes), 0);
    auto press = [sound](int64_t at) {
      if (sound) vt::Sound(at, 60, 255);
      else vt::HoldCtrl(at, at + 30);
    };
    // Late in row 3, late in its key 2, then "Sel" at once.
    const std::vector<std::pair<Lit, int>> wants{{{3, 0}, 385}, {{3, 2}, 385}, {{1, 0}, 10}, {{1, 1}, 10}};
    size_t next = 0;
    Lit before;
    vt::OnSleep([&](int64_t now) {
      const Lit lit = LitNow();
      if (next < wants.size() && lit == wants[next].first && !(before == lit)) press(now + wants[next++].second);
      before = lit;
    });
    ScanKeyboard();
    EXPECT_EQ(TypedKeys(), wanted) << (sound ? "sound" : "Ctrl") << DescribePlayCalls();
    CaptureClose();
  }
}

TEST_F(OnScreenKeyboard, AKeyPassWithoutAHitTypesNothingAndStartsAgainAtRow1) {
  std::vector<Lit> seen;
  bool passed = false;
  int64_t releasedAt = -1000;
  vt::OnSleep([&](int64_t now) {
    const Lit lit = LitNow();
    seen.push_back(lit);
    if (now < releasedAt + 400) return;  // the quiet wait after a press
    const bool press = (!passed && lit == Lit{4, 0}) ||
                       (passed && (lit == Lit{1, 1} || (lit == Lit{1, 0} && seen.size() > 60)));
    if (!press) return;
    passed = true;
    vt::HoldCtrl(now, releasedAt = now + 50);
  });
  ScanKeyboard();
  EXPECT_EQ(TypedKeys(), "");
  // The six keys of row 4 were lit in turn, then row 1 came back before row 5.
  std::vector<Lit> keys;
  for (const Lit& lit : seen)
    if (lit.row == 4 && lit.key != 0 && (keys.empty() || !(keys.back() == lit))) keys.push_back(lit);
  ASSERT_EQ(keys.size(), 6u);
  for (int key = 1; key <= 6; ++key) EXPECT_EQ(keys[key - 1].key, key);
  auto after = std::find(seen.begin(), seen.end(), Lit{4, 6});
  auto nextRow = std::find_if(after, seen.end(), [](const Lit& l) { return l.key == 0 && l.row; });
  ASSERT_NE(nextRow, seen.end());
  EXPECT_EQ(nextRow->row, 1);
}

TEST_F(OnScreenKeyboard, TheTwoCharacterCellTypesTheApostropheAndABlankCellABlank) {
  SwitchUser user({{8, 6}, {2, 6}, {1, 5}, Sel});  // apostrophe, "Act", blank of layout 3
  ScanKeyboard();
  EXPECT_EQ(TypedKeys(), "' ") << DescribePlayCalls();
  ASSERT_EQ(user.captions.size(), 4u);
  EXPECT_EQ(user.captions[0], "'");
  EXPECT_EQ(user.captions[2], "");
}

TEST_F(OnScreenKeyboard, ALayoutChangeShowsTheWholeNewLayoutOnAPanelSizedForIt) {
  std::string row1, row8;
  RECT frame{};
  SwitchUser user({{2, 6}, {1, 3}, Sel}, [&] {  // "Act", then the cedilla and "Sel" of layout 3
    if (KeyboardLayout != 3 || !row1.empty()) return;
    row1 = RowText(0, 19);
    row8 = RowText(7, 23);
    GetWindowRect(ConsoleWindow, &frame);
  });
  ScanKeyboard();
  EXPECT_EQ(row1, "Sel Alf  \xE7   \xF1     ");
  EXPECT_EQ(row8, std::string(23, ' ')) << "a row of the old layout stayed";
  EXPECT_EQ(TypedKeys(), "\xE7") << DescribePlayCalls();
  ASSERT_EQ(user.captions.size(), 3u);
  EXPECT_EQ(user.captions[1], "\xE7") << "the caption shows the key typed";
  CurrentMenu = 0;
  KeyboardLayout = 3;
  const PanelBox expected = PanelPlacement(PanelAtBottom);
  EXPECT_EQ(frame.right - frame.left, expected.width);
  EXPECT_EQ(frame.bottom - frame.top, expected.height);
}

TEST_F(OnScreenKeyboard, ShiftDrawsTheLettersInCapitalsAndTheCapitalIsTyped) {
  KeyboardLayout = 6;
  std::string row2;
  // "Sft", "Alf", then the "A" of layout 1 and "Sel".
  SwitchUser user({{2, 2}, {1, 2}, {2, 1}, Sel}, [&] {
    if (KeyboardLayout == 1 && ShiftLatch && row2.empty()) row2 = RowText(1, 23);
  });
  ScanKeyboard();
  EXPECT_EQ(row2, " A   E   I   O   U  ACT");
  EXPECT_EQ(TypedKeys(), "A") << DescribePlayCalls();
  EXPECT_FALSE(ShiftLatch);
  ASSERT_EQ(user.captions.size(), 4u);
  EXPECT_EQ(user.captions[2], "A");
}

// Ctrl is the switch and is held 400 ms at every choice: each key still goes out with the
// modifiers asked for and no other, and a repeat is not stopped by the hit that chose it.
TEST_F(OnScreenKeyboard, KeysChosenWithCtrlHeldGoOutOnceItIsLetGo) {
  KeyboardLayout = 6;
  int starts = 0;
  OnPlayStart = [&] {
    ++starts;
    EXPECT_FALSE(SeamCtrlHeld()) << "a key list started with the switch's Ctrl down\n"
                                 << DescribePlayCalls();
  };
  // Bsp, Del, Esq, Rpt and Esq repeated until a press, "Alf", Ctl, then "c" of layout 1.
  SwitchUser user({{7, 1}, {2, 4}, {3, 1}, {5, 1}, {3, 1}, StopRepeat, {1, 2}, {1, 6}, {3, 3}, Sel},
                  nullptr, 400);
  ScanKeyboard();
  std::vector<std::vector<unsigned>> sent;  // key, ctrl, shift, alt
  for (const PlayCall& call : PlayCalls)
    if (call.name == "PlayVirtKey") sent.push_back({call.args.begin(), call.args.end() - 1});
  ASSERT_GE(sent.size(), 6u) << DescribePlayCalls();
  EXPECT_EQ(starts, static_cast<int>(sent.size())) << DescribePlayCalls();
  using Key = std::vector<unsigned>;
  EXPECT_EQ(sent[0], (Key{8, 0, 0, 0}));
  EXPECT_EQ(sent[1], (Key{46, 0, 0, 0}));
  for (size_t i = 2; i + 1 < sent.size(); ++i) EXPECT_EQ(sent[i], (Key{37, 0, 0, 0})) << i;
  EXPECT_GE(sent.size() - 4, 2u) << "the left arrow was not repeated\n" << DescribePlayCalls();
  EXPECT_EQ(sent.back(), (Key{67, 1, 0, 0}));
  EXPECT_FALSE(CtrlLatch);
}

}  // namespace
