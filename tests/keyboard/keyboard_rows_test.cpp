// The layouts' row texts: whole cells of the width their panel is sized for, and the
// accented capitals matching the accented lower-case letters key for key.
#include "scanning/core/uopcoes.h"
#include "scanning/core/uvars.h"

#include <gtest/gtest.h>

namespace {

TEST(KeyboardRows, EveryRowIsItsLayoutsWidthButTheShortLastRowOfTheLetters) {
  for (int layout = 1; layout <= LayoutCount; ++layout) {
    for (int row = 1; row <= KeyboardRows[layout]; ++row) {
      const bool shortRow = layout <= 2 && row == 8;
      EXPECT_EQ(KeyboardRowText(layout, row).size(), size_t(KeyboardWidth[layout] - shortRow))
          << "layout " << layout << " row " << row;
    }
    EXPECT_EQ(KeyboardRowText(layout, KeyboardRows[layout] + 1), "") << layout;
  }
}

TEST(KeyboardRows, EveryAccentedCapitalIsTheCapitalOfTheLowerCaseKeyInItsPlace) {
  EXPECT_EQ(KeyboardRowText(4, 1).substr(8), UpperAccented(KeyboardRowText(3, 1).substr(8)));
  for (int row = 2; row <= KeyboardRows[4]; ++row)
    EXPECT_EQ(KeyboardRowText(4, row), UpperAccented(KeyboardRowText(3, row))) << "row " << row;
  EXPECT_EQ(KeyboardRowText(4, 4), " \xCD       \xCE   \xCC   \xCF ");
}

}  // namespace
