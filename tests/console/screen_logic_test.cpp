// The console's cells as a program writes them: text, control bytes, the wrap at the right
// edge, the scroll at the bottom, positioning and colours, and what gets repainted.
#include "console/logic/screen_grid.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct Stretch {
  int first, end, row;
  bool operator==(const Stretch&) const = default;
};

// Records what the window side would be asked to do.
class Recorder final : public GridEvents {
 public:
  void Beep() override { ++beeps; }
  void PaintStretch(int first, int end, int row) override {
    if (end > first) painted.push_back({first, end, row});
  }
  void Scrolled() override { ++scrolls; }
  int beeps = 0;
  int scrolls = 0;
  std::vector<Stretch> painted;
};

// A small screen with a guard byte after each grid, so a write past the end shows.
class SmallScreen : public ::testing::Test {
 protected:
  static constexpr int Cols = 8, Rows = 3;
  static constexpr unsigned char Guard = 0xA5;
  SmallScreen() : chars(Cols * Rows + 1, Guard), attrs(Cols * Rows + 1, Guard) {
    grid = {chars.data(), attrs.data(), Cols, Rows};
    FillGrid(grid, 0x07);
  }
  void TearDown() override {
    EXPECT_EQ(chars.back(), Guard) << "a write went past the character grid";
    EXPECT_EQ(attrs.back(), Guard) << "a write went past the attribute grid";
  }
  void Write(const std::string& text, unsigned char attr = 0x07) {
    WriteBytes(grid, pos, attr, reinterpret_cast<const unsigned char*>(text.data()),
               static_cast<uint16_t>(text.size()), events);
  }
  std::string Row(int row) const {
    return std::string(reinterpret_cast<const char*>(chars.data()) + row * Cols, Cols);
  }
  unsigned char Attr(int col, int row) const { return attrs[row * Cols + col]; }

  std::vector<unsigned char> chars, attrs;
  CellGrid grid;
  CellPosition pos;
  Recorder events;
};

TEST_F(SmallScreen, TextIsStoredWithTheAttributeAndOnlyItsStretchIsPainted) {
  pos = {2, 1};
  Write("Ola", 0x4E);
  EXPECT_EQ(Row(1), "  Ola   ");
  EXPECT_EQ(Attr(2, 1), 0x4E);
  EXPECT_EQ(Attr(4, 1), 0x4E);
  EXPECT_EQ(Attr(5, 1), 0x07);
  EXPECT_EQ(pos.col, 5);
  EXPECT_EQ(pos.row, 1);
  EXPECT_EQ(events.painted, (std::vector<Stretch>{{2, 5, 1}}));
}

TEST_F(SmallScreen, CarriageReturnAndLineFeedMoveTheWritePosition) {
  Write("abc\rX");
  EXPECT_EQ(Row(0), "Xbc     ");
  EXPECT_EQ(pos.row, 0);
  Write("\nd");
  EXPECT_EQ(Row(1), "d       ");
  EXPECT_EQ(pos.col, 1);
  EXPECT_EQ(pos.row, 1);
}

TEST_F(SmallScreen, TextAfterACarriageReturnLeftOfWhereTheWriteBeganIsRepaintedToo) {
  pos = {5, 0};
  Write("xy\rab");
  EXPECT_EQ(Row(0), "ab   xy ");
  ASSERT_EQ(events.painted.size(), 1u);
  EXPECT_LE(events.painted[0].first, 0);
  EXPECT_GE(events.painted[0].end, 7);
}

TEST_F(SmallScreen, BellBeepsAndTabAndOtherControlBytesLeaveNoTrace) {
  Write(std::string("a\x07\x09\x01\x0b\x0c\x1b\x00\x1f", 9) + "b");
  EXPECT_EQ(Row(0), "ab      ");
  EXPECT_EQ(events.beeps, 1);
  EXPECT_EQ(pos.col, 2);
}

TEST_F(SmallScreen, ByteDelAndTheUpperHalfAreCharacters) {
  Write("\x7f\x80\xe1\xff");
  EXPECT_EQ(Row(0), "\x7f\x80\xe1\xff    ");
  EXPECT_EQ(pos.col, 4);
}

TEST_F(SmallScreen, BackspaceBlanksTheCellBeforeButNeverLeavesTheRow) {
  Write("abc");
  events.painted.clear();
  Write("\b", 0x1F);
  EXPECT_EQ(Row(0), "ab      ");
  EXPECT_EQ(Attr(2, 0), 0x1F);
  EXPECT_EQ(pos.col, 2);
  EXPECT_EQ(events.painted, (std::vector<Stretch>{{2, 3, 0}})) << "the blanked cell is repainted";

  pos = {0, 1};
  Write("\b\b");
  EXPECT_EQ(pos.col, 0);
  EXPECT_EQ(pos.row, 1);
  EXPECT_EQ(Row(0), "ab      ");
  EXPECT_EQ(Row(1), "        ");
}

TEST_F(SmallScreen, WritingTheLastColumnWrapsBeforeTheNextByte) {
  Write("12345678");
  EXPECT_EQ(Row(0), "12345678");
  EXPECT_EQ(pos.col, 0);
  EXPECT_EQ(pos.row, 1);
  Write("\r\n");
  EXPECT_EQ(Row(1), "        ") << "a full row then CR LF leaves an empty row below";
  EXPECT_EQ(pos.row, 2);
  EXPECT_EQ(events.painted, (std::vector<Stretch>{{0, 8, 0}}));
}

TEST_F(SmallScreen, ALineFeedOnTheLastRowScrollsTheGridUp) {
  Write("top\nmid\nlow", 0x2A);
  EXPECT_EQ(events.scrolls, 0);
  Write("\nnew", 0x4E);
  EXPECT_EQ(events.scrolls, 1);
  EXPECT_EQ(Row(0), "mid     ");
  EXPECT_EQ(Row(1), "low     ");
  EXPECT_EQ(Row(2), "new     ");
  EXPECT_EQ(Attr(0, 1), 0x2A);
  EXPECT_EQ(Attr(7, 2), 0x4E) << "the new last row is blanked with the current attribute";
  EXPECT_EQ(pos.row, 2);
  EXPECT_EQ(pos.col, 3);
}

TEST_F(SmallScreen, WrappingOnTheLastRowScrollsToo) {
  pos = {6, 2};
  Write("xyz");
  EXPECT_EQ(events.scrolls, 1);
  EXPECT_EQ(Row(1), "      xy");
  EXPECT_EQ(Row(2), "z       ");
  EXPECT_EQ(pos.row, 2);
  EXPECT_EQ(pos.col, 1);
}

TEST_F(SmallScreen, APositionOutsideTheGridIsBroughtBackBeforeWriting) {
  pos = {500, -4};
  Write("q");
  EXPECT_EQ(Row(0), "       q");
  EXPECT_EQ(pos.row, 1);
  EXPECT_EQ(pos.col, 0);
}

TEST_F(SmallScreen, ClearingToTheLineEndStopsAtTheGridEdge) {
  Write("abcdefgh12345678");
  BlankStretch(grid, 3, 1000, 1, 0x30);
  EXPECT_EQ(Row(0), "abcdefgh");
  EXPECT_EQ(Row(1), "123     ");
  EXPECT_EQ(Attr(3, 1), 0x30);
  EXPECT_EQ(Attr(2, 1), 0x07);
  BlankStretch(grid, -5, 2, 0, 0x07);
  BlankStretch(grid, 0, 8, 3, 0x07);  // below the grid: nothing
  EXPECT_EQ(Row(0), "  cdefgh");
}

TEST(NoGrid, WritingBeforeTheGridsExistChangesNothingAndPaintsNothing) {
  CellGrid none;
  CellPosition pos{3, 2};
  Recorder events;
  const unsigned char text[] = "abc\n\x07";
  WriteBytes(none, pos, 0x07, text, 5, events);
  FillGrid(none, 0x07);
  ScrollGridUp(none, 0x07);
  BlankStretch(none, 0, 80, 0, 0x07);
  EXPECT_EQ(pos.col, 3);
  EXPECT_EQ(pos.row, 2);
  EXPECT_TRUE(events.painted.empty());
  EXPECT_EQ(events.scrolls, 0);
  EXPECT_EQ(RunEnd(none, 0, 80, 0), 0);
}

TEST(Positioning, GoingToACellIsOneBasedAndClampedToTheGrid) {
  EXPECT_EQ(ClampedCell(1, 1, 80, 12).col, 0);
  EXPECT_EQ(ClampedCell(0, 0, 80, 12).row, 0);
  EXPECT_EQ(ClampedCell(5, 3, 80, 12).col, 4);
  EXPECT_EQ(ClampedCell(5, 3, 80, 12).row, 2);
  EXPECT_EQ(ClampedCell(81, 13, 80, 12).col, 79);
  EXPECT_EQ(ClampedCell(1000, 1000, 80, 12).row, 11);
  EXPECT_EQ(ClampedCell(INT32_MIN, INT32_MIN, 80, 12).col, 0);
  EXPECT_EQ(ClampedCell(INT32_MAX, INT32_MAX, 80, 12).row, 11);
  CellPosition beforeAnyGrid = ClampedCell(5, 5, 0, 0);
  EXPECT_EQ(beforeAnyGrid.col, 0);
  EXPECT_EQ(beforeAnyGrid.row, 0);
}

TEST(Colours, ForegroundAndBackgroundKeepToTheirOwnNibble) {
  EXPECT_EQ(WithForeground(0x07, 14), 0x0E);
  EXPECT_EQ(WithForeground(0x40, 0x1E), 0x4E) << "only the low four bits of a text colour count";
  EXPECT_EQ(WithBackground(0x0E, 4), 0x4E);
  EXPECT_EQ(WithBackground(0x4E, 0), 0x0E);
  EXPECT_EQ(WithBackground(0x0E, 16), 0x0E) << "background 16 is background 0";
  EXPECT_EQ(WithBackground(0x0E, 0x2F), 0xFE);
  for (int colour = 0; colour < 256; ++colour) {
    unsigned char attr = WithBackground(0x07, static_cast<unsigned char>(colour));
    EXPECT_LT(BackgroundOf(attr), 16);
    EXPECT_EQ(ForegroundOf(attr), 7);
  }
  EXPECT_EQ(BackgroundOf(0xFF), 15);
  EXPECT_EQ(ForegroundOf(0xFF), 15);
}

TEST(Colours, ALitLineWithFixedColoursDiffersInBothTextAndBackground) {
  EXPECT_EQ(LitAttribute(0x1F), 0xF1) << "white on blue lights as blue on white";
  EXPECT_EQ(LitAttribute(0x07), 0x70);
  EXPECT_EQ(LitAttribute(0x77), 0x88) << "one colour for both: its opposite, still readable as lit";
  for (int attr = 0; attr < 256; ++attr) {
    const unsigned char lit = LitAttribute(static_cast<unsigned char>(attr));
    EXPECT_NE(BackgroundOf(lit), BackgroundOf(static_cast<unsigned char>(attr))) << attr;
  }
}

TEST_F(SmallScreen, RunsSplitWhereTheAttributeChanges) {
  Write("aa", 0x0E);
  Write("bbb", 0x4E);
  Write("c", 0x0E);
  EXPECT_EQ(RunEnd(grid, 0, 8, 0), 2);
  EXPECT_EQ(RunEnd(grid, 2, 8, 0), 5);
  EXPECT_EQ(RunEnd(grid, 2, 4, 0), 4) << "a run stops at the end column";
  EXPECT_EQ(RunEnd(grid, 5, 8, 0), 6);
  EXPECT_EQ(RunEnd(grid, 6, 100, 0), 8) << "and never passes the grid's edge";
  EXPECT_EQ(RunEnd(grid, 3, 3, 0), 3);
}

TEST(PaintArea, ARectangleCoversEveryCellItTouchesWithinTheGrid) {
  CellArea all = CellsUnder(0, 0, 800, 252, 10, 21, 80, 12);
  EXPECT_EQ(all.first, 0);
  EXPECT_EQ(all.end, 80);
  EXPECT_EQ(all.firstRow, 0);
  EXPECT_EQ(all.endRow, 12);
  CellArea part = CellsUnder(15, 22, 31, 43, 10, 21, 80, 12);
  EXPECT_EQ(part.first, 1);
  EXPECT_EQ(part.end, 4);
  EXPECT_EQ(part.firstRow, 1);
  EXPECT_EQ(part.endRow, 3);
  CellArea beyond = CellsUnder(-50, -50, INT32_MAX, INT32_MAX, 10, 21, 80, 12);
  EXPECT_EQ(beyond.first, 0);
  EXPECT_EQ(beyond.end, 80);
  EXPECT_EQ(beyond.endRow, 12);
  CellArea unmeasured = CellsUnder(0, 0, 800, 252, 0, 0, 80, 12);
  EXPECT_EQ(unmeasured.end, 0);
  EXPECT_EQ(unmeasured.endRow, 0);
}

}  // namespace
