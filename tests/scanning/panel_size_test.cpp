// The panel's size and dock for what it shows, the dwell in ticks, upper-casing and the
// option lines, as plain rules.
#include "scanning/core/logic/panel_size.h"
#include "scanning/core/logic/topmost_retry.h"
#include "scanning/core/uopcoes.h"
#include "scanning/core/uvars.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

const PanelFrame Desktop{10, 21, 8, 27, 1024, 738};

TEST(PanelPlacement, Menu1AtTheBottomOfA1024By738WorkArea) {
  const PanelBox box = PanelBoxFor(PanelCellsFor(false, true, 1, 0), Desktop, true);
  EXPECT_EQ(box.width, 168);
  EXPECT_EQ(box.height, 258);
  EXPECT_EQ(box.left, 856);
  EXPECT_EQ(box.top, 480);
}

TEST(PanelPlacement, DockedAtTheTopThePanelStartsAtTheWorkAreasTopBelowATaskbarThere) {
  const PanelFrame belowTaskbar{10, 21, 8, 27, 1024, 768, 40};
  for (int menu = 1; menu <= MenuCount; ++menu)
    EXPECT_EQ(PanelBoxFor(PanelCellsFor(false, false, menu, 0), belowTaskbar, false).top, 40) << menu;
}

TEST(PanelPlacement, EveryMenuIsItsWidestLineAndItsOptions) {
  for (int menu = 1; menu <= MenuCount; ++menu) {
    const PanelCells cells = PanelCellsFor(false, false, menu, 0);
    EXPECT_EQ(cells.rows, OptionCount[menu]);
    size_t widest = 0;
    for (int option = 1; option <= OptionCount[menu]; ++option)
      widest = std::max(widest, std::strlen(OptionLabel(menu, option)));
    EXPECT_EQ(cells.columns, static_cast<int>(widest) + 2) << "menu " << menu;
  }
}

TEST(PanelPlacement, KeyboardLayoutsAndTheStartUpScreen) {
  EXPECT_EQ(PanelCellsFor(false, false, 0, 1).columns, 23);
  EXPECT_EQ(PanelCellsFor(false, false, 0, 1).rows, 8);
  EXPECT_EQ(PanelCellsFor(false, false, 0, 3).columns, 19);
  EXPECT_EQ(PanelCellsFor(false, false, 0, 3).rows, 7);
  EXPECT_EQ(PanelCellsFor(false, false, 0, 5).rows, 8);
  // The start-up screen wins over any menu; the prompts need two more rows.
  EXPECT_EQ(PanelCellsFor(true, true, 3, 0).columns, 30);
  EXPECT_EQ(PanelCellsFor(true, true, 3, 0).rows, 9);
  EXPECT_EQ(PanelCellsFor(true, false, 0, 2).rows, 11);
  const PanelBox splash = PanelBoxFor(PanelCellsFor(true, false, 1, 0), Desktop, true);
  EXPECT_EQ(splash.width, 308);
  EXPECT_EQ(splash.height, 258);
}

TEST(PanelPlacement, MenusAndLayoutsOutsideTheTablesAreSizedAsTheMouseMenu) {
  const PanelCells mouse = PanelCellsFor(false, false, 1, 0);
  for (auto [menu, layout] : {std::pair{0, 0}, {0, 8}, {0, -1}, {AllMenuCount + 1, 0}, {-3, 2}, {1000000, 0}}) {
    const PanelCells cells = PanelCellsFor(false, false, menu, layout);
    EXPECT_EQ(cells.columns, mouse.columns) << menu << "," << layout;
    EXPECT_EQ(cells.rows, mouse.rows) << menu << "," << layout;
  }
}

TEST(Dwell, WholeTicksAndAtLeastOne) {
  for (auto [ms, ticks] : {std::pair{1000, 10}, {2000, 20}, {1050, 10}, {199, 1}, {100, 1},
                           {50, 1}, {0, 1}, {-500, 1}}) {
    DwellMs = ms;
    EXPECT_EQ(DwellTicks(), ticks) << ms << " ms";
  }
  DwellMs = 1000;
}

TEST(UpperAccented, LettersAndTheAccentedRangeOnly) {
  EXPECT_EQ(UpperAccented("Sel"), "SEL");
  EXPECT_EQ(UpperAccented("\xE7 \xE3 \xE1"), "\xC7 \xC3 \xC1");
  EXPECT_EQ(UpperAccented("\xF7\xFF"), "\xD7\xDF");   // the whole 224-255 range moves, as the keys compare
  EXPECT_EQ(UpperAccented("F10-@{"), "F10-@{");
  EXPECT_EQ(UpperAccented("\xC7\xC0"), "\xC7\xC0");
}

TEST(OptionLabels, ExactTextsAndNoneOutsideTheMenus) {
  EXPECT_STREQ(OptionLabel(1, 7), "Mouse r\xE1pido");
  EXPECT_STREQ(OptionLabel(3, 9), "Pr\xF3xima janela");
  EXPECT_STREQ(OptionLabel(7, 7), "Act.Mai\xFAsculos");
  EXPECT_STREQ(OptionLabel(5, 1), "Deixa igual");
  EXPECT_STREQ(OptionLabel(6, 10), "Bandeja do sistema");
  EXPECT_EQ(OptionLabel(5, 5), nullptr);
  EXPECT_EQ(OptionLabel(1, 0), nullptr);
  EXPECT_EQ(OptionLabel(0, 1), nullptr);
  EXPECT_EQ(OptionLabel(AllMenuCount + 1, 1), nullptr);
}

}  // namespace

// Polled every 100 ms while a topmost window covers the panel: a band of the system's own
// stays above it whatever it does, so it tries at once, then ever more slowly, at most every
// 30 s; a program that takes the place back within 2 s is the same fight. Once the panel has
// stayed uncovered for 2 s after a try, the next cover is met at once.
TEST(TopmostRetry, BacksOffWhileTakingThePlaceDoesNotHoldAndMeetsALaterCoverAtOnce) {
  TopmostRetry retry;
  int64_t now = 1000;
  auto nextTry = [&](int64_t uncoveredMs) {
    const int64_t coveredAt = now + uncoveredMs;
    for (; now < coveredAt; now += 100) TopmostUncovered(retry, now);
    while (!TopmostRetryDue(retry, now)) now += 100;
    TopmostRetried(retry, now);
    return now - coveredAt;
  };
  std::vector<int64_t> waits;
  for (int tries = 0; tries < 9; ++tries) waits.push_back(nextTry(0));
  EXPECT_EQ(waits, (std::vector<int64_t>{0, 500, 1000, 2000, 4000, 8000, 16000, 30000, 30000}));
  EXPECT_EQ(nextTry(1900), 30000 - 1900) << "taken back within 2 s";
  EXPECT_EQ(nextTry(TopmostHeldMs + 100), 0) << "a fresh cover after a try that held";
  EXPECT_EQ(nextTry(100), TopmostFirstWaitMs - 100);
}
