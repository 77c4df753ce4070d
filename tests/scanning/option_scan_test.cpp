// The option scanner as the user meets it: each option of a menu lit in turn for its dwell,
// the one lit when the switch is first seen being the one chosen, and the scan going round
// until the switch fires. Time is virtual: one tick is one 100 ms sleep.
#include "scanning/acenora.h"
#include "scanning/core/uopcoes.h"

#include <functional>
#include <utility>
#include <vector>

#include "switch/uaudio.h"
#include "switch/uctlsom.h"

#include "panel_user.h"
#include "scanning_fixture.h"

namespace {

constexpr int WindowSizeMenuNumber = 5;  // four options, short enough to go round

using Runs = std::vector<std::pair<int, int>>;  // lit option, ticks in a row

Runs LitRuns(const std::vector<SeenTick>& ticks, size_t count) {
  Runs runs;
  for (size_t i = 0; i < count && i < ticks.size(); ++i) {
    if (runs.empty() || runs.back().first != ticks[i].lit) runs.push_back({ticks[i].lit, 0});
    ++runs.back().second;
  }
  return runs;
}

class OptionScan : public ScanningPanel {
 protected:
  int Scan(int menu) {
    CurrentMenu = menu;
    ResumeOption = 1;
    return ScanOptions(menu);
  }
};

TEST_F(OptionScan, EachOptionStaysLitForItsDwellInTurnAndTheScanWrapsAfterTheLast) {
  for (int dwell : {1000, 1050, 1099}) {  // cut down to whole ticks
    SetUp();
    DwellMs = dwell;
    PanelUser user({PressAfter(55)});  // in the second round, while option 2 is lit
    EXPECT_EQ(Scan(WindowSizeMenuNumber), 2) << "dwell " << dwell;
    // Three quiet ticks before anything is drawn, then ten ticks for each option.
    EXPECT_EQ(LitRuns(user.ticks, 55),
              (Runs{{0, 3}, {1, 10}, {2, 10}, {3, 10}, {4, 10}, {1, 10}, {2, 2}}))
        << "dwell " << dwell;
    EXPECT_FALSE(PanelShown()) << "the panel is hidden once an option is chosen";
  }
}

TEST_F(OptionScan, TheScanStartsAtTheResumeOption) {
  ResumeOption = 3;
  CurrentMenu = WindowSizeMenuNumber;
  DwellMs = 200;
  PanelUser user({PressAfter(8)});  // options 3 and 4 for two ticks each, then 1
  EXPECT_EQ(ScanOptions(WindowSizeMenuNumber), 1);
  EXPECT_EQ(LitRuns(user.ticks, 8), (Runs{{0, 3}, {3, 2}, {4, 2}, {1, 1}}));
}

// The option lit when a press began is chosen, and shown lit while the hit dies away, even
// when the press is first seen after the highlight moved on, as a sound is once its buffer
// is full. Option 1 is lit from 300 to 1300 ms, option 2 from then.
TEST_F(OptionScan, APressChoosesTheOptionLitWhenItBeganEvenInItsLastMoments) {
  struct Press { const char* what; std::function<void()> give; int chosen; };
  const std::vector<Press> presses{
      {"Ctrl tap of 40 ms ending as option 2 lights", [] { vt::HoldCtrl(1260, 1300); }, 1},
      {"Ctrl tap of 1 ms just before option 2", [] { vt::HoldCtrl(1299, 1300); }, 1},
      {"Ctrl held over the change", [] { vt::HoldCtrl(1290, 1500); }, 1},
      {"Ctrl tap just after option 2 lit", [] { vt::HoldCtrl(1301, 1330); }, 2},
      {"sound of 60 ms 30 ms before option 2", [] { vt::Sound(1270, 60, 255); }, 1},
      {"sound of 20 ms 5 ms before option 2", [] { vt::Sound(1295, 20, 0); }, 1},
      {"sound just after option 2 lit", [] { vt::Sound(1305, 60, 255); }, 2},
  };
  for (const Press& press : presses) {
    SetUp();
    DwellMs = 1000;
    Threshold = 30;
    ASSERT_EQ(CaptureOpen(CaptureRate, 8, 1, CaptureBufferBytes), 0);
    press.give();
    PanelUser watcher({}, 30000);
    EXPECT_EQ(Scan(WindowSizeMenuNumber), press.chosen) << press.what;
    std::vector<int> litWhileShown;
    for (const SeenTick& tick : watcher.ticks)
      if (tick.shown && tick.ms > 1300) litWhileShown.push_back(tick.lit);
    EXPECT_EQ(litWhileShown.back(), press.chosen) << press.what << ": not the one shown lit";
    CaptureClose();
  }
}

// On Windows' own timer every sleep ends on a tick of 15.625 ms: the options still keep the
// dwell set, and a press just after or just before an option lit chooses what was shown.
TEST_F(OptionScan, OnACoarseTimerOptionsKeepTheirDwellAndPressesChooseWhatWasShown) {
  for (int dwell : {1000, 300}) {
    std::vector<int64_t> starts;  // when each option lit, seen by a user who never presses
    for (int64_t pressFrom : {int64_t{0}, int64_t{5}, int64_t{-5}}) {
      SetUp();
      vt::SetTimerPeriodUs(15625);
      DwellMs = dwell;
      int64_t last = 0;
      int lit = 0;
      PanelUser watcher({}, 100000);
      watcher.onTick = [&](int64_t now) {
        if (LitOption() != lit && (lit = LitOption()) != 0 && pressFrom == 0) {
          starts.push_back(last);
          if (starts.size() == 10) PressCtrlNow(now);
        }
        last = now;
      };
      if (pressFrom != 0) vt::HoldCtrl(starts[8] + pressFrom, starts[8] + pressFrom + 40);
      const int chosen = Scan(WindowSizeMenuNumber);
      if (pressFrom == 0) {
        ASSERT_EQ(starts.size(), 10u);
        const double ratio = double(starts[8] - starts[0]) / (8.0 * dwell);
        EXPECT_GE(ratio, 1.0) << "dwell " << dwell;
        EXPECT_LE(ratio, 1.02) << "dwell " << dwell;
      } else {
        EXPECT_EQ(chosen, pressFrom > 0 ? 1 : 4) << "dwell " << dwell << ", " << pressFrom
                                                 << " ms from option 1's lighting";
      }
    }
  }
}

TEST_F(OptionScan, TheFirstOptionStaysLitLongerByTheFirstItemPause) {
  DwellMs = 1000;
  Filters.firstItemExtraMs = 550;  // five more ticks
  PanelUser user({PressAfter(60)});
  EXPECT_EQ(Scan(WindowSizeMenuNumber), 1);
  EXPECT_EQ(LitRuns(user.ticks, 60), (Runs{{0, 3}, {1, 15}, {2, 10}, {3, 10}, {4, 10}, {1, 12}}));
  Filters.firstItemExtraMs = 0;
}

TEST_F(OptionScan, AStillHeldSwitchDelaysTheDrawingUntilItHasBeenQuiet) {
  GoToCell(1, 8);
  WriteText(reinterpret_cast<const unsigned char*>("left over"), 9);
  vt::HoldCtrl(0, 1000);
  DwellMs = 1000;
  std::vector<std::pair<int64_t, std::string>> rows;  // time, rows 1 and 8 of the panel
  vt::OnSleep([&](int64_t now) {
    rows.push_back({now, PanelRow(1) + "|" + PanelRow(8)});
    if (now > 30000) throw GaveUp{};
  });
  vt::HoldCtrl(2000, 2050);  // while option 1 is lit
  EXPECT_EQ(Scan(WindowSizeMenuNumber), 1);
  ASSERT_GE(rows.size(), 13u);
  for (const auto& [ms, text] : rows) {
    if (ms <= 1200) {
      EXPECT_EQ(text, "|left over") << "drawn at " << ms << " ms while still held";
    }
  }
  EXPECT_EQ(rows[12].first, 1300);
  EXPECT_EQ(rows[12].second, " Deixa igual|") << "the menu replaces what was on the panel";
}

TEST_F(OptionScan, ADwellBelowOneTickStillPollsEveryLitOptionOnce) {
  for (int dwell : {99, 50, 0, -100}) {
    SetUp();
    DwellMs = dwell;
    vt::HoldCtrl(650, 651);  // options light at 300, 400, 500 and 600 ms
    PanelUser watcher({}, 30000);
    EXPECT_EQ(Scan(WindowSizeMenuNumber), 4) << "dwell " << dwell;
    EXPECT_EQ(LitRuns(watcher.ticks, 7), (Runs{{0, 3}, {1, 1}, {2, 1}, {3, 1}, {4, 1}}))
        << "dwell " << dwell;
  }
}

TEST_F(OptionScan, TheLitLineIsRedAcrossThePanelAndTheOthersStayBlack) {
  DwellMs = 1000;
  std::vector<int> row1, row2;
  std::string text;
  vt::OnSleep([&](int64_t now) {
    if (now != 400) return;
    for (int column = 0; column < MenuWidth[WindowSizeMenuNumber]; ++column) {
      row1.push_back(CellAttrs[column] >> 4);
      row2.push_back(CellAttrs[ScreenCols + column] >> 4);
    }
    text = PanelRow(1);
    PressCtrlNow(now);
  });
  vt::HoldCtrl(30000, 30100);  // a way out should the press above never come
  EXPECT_EQ(Scan(WindowSizeMenuNumber), 1);
  EXPECT_EQ(row1, std::vector<int>(13, 4));
  EXPECT_EQ(row2, std::vector<int>(13, 0));
  EXPECT_EQ(text, " Deixa igual") << "eleven characters centred in thirteen columns";
  EXPECT_EQ(CellAttrs[1] & 0x0F, 14) << "the text stays yellow";
}

TEST_F(OptionScan, EveryMenuIsDrawnWholeAndItsLastOptionCanBeChosen) {
  for (int menu = 1; menu <= MenuCount; ++menu) {
    SetUp();
    DwellMs = 100;
    const int count = OptionCount[menu];
    // The last option lights at 300 + (count - 1) * 100 ms.
    const int64_t last = 300 + (count - 1) * 100;
    vt::HoldCtrl(last + 50, last + 51);
    std::vector<std::string> drawn;
    vt::OnSleep([&](int64_t now) {
      if (now != 400) return;
      for (int row = 1; row <= ScreenRows; ++row) drawn.push_back(PanelRow(row));
    });
    vt::HoldCtrl(30000, 30100);  // a way out should the last option never light
    EXPECT_EQ(Scan(menu), count) << "menu " << menu;
    ASSERT_EQ(drawn.size(), 12u);
    for (int row = 1; row <= 12; ++row) {
      const char* label = OptionLabel(menu, row);
      if (row > count) {
        EXPECT_EQ(drawn[row - 1], "") << "menu " << menu << " row " << row;
      } else {
        EXPECT_NE(drawn[row - 1].find(label), std::string::npos) << "menu " << menu << " row " << row;
      }
    }
  }
}

}  // namespace
