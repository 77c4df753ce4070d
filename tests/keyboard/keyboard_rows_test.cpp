// The layouts' row texts: whole cells of the width their panel is sized for, and the
// accented capitals matching the accented lower-case letters key for key.
#include "scanning/core/uopcoes.h"
#include "scanning/core/uvars.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

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

TEST(KeyboardRows, TheFrequencyLayoutHasEveryLetterAndPortugueseAccentOnceWithItsOwnKeys) {
  std::multiset<std::string> keys;
  for (int row = 1; row <= KeyboardRows[FrequencyLayout]; ++row)
    for (int key = 1; key <= KeysPerRow(FrequencyLayout); ++key) {
      std::string cell = KeyboardRowText(FrequencyLayout, row).substr(4 * key - 4, 4);
      cell.erase(cell.find_last_not_of(' ') + 1);
      keys.insert(cell.substr(cell.find_first_not_of(' ')));
    }
  for (char c : std::string("abcdefghijklmnopqrstuvwxyz\xE1\xE2\xE3\xE0\xE9\xEA\xED\xF3\xF4\xF5\xFA\xE7.,?"))
    EXPECT_EQ(keys.count(std::string(1, c)), 1u) << c;
  for (const char* token : {"Spc", "Sft", "Bsp", "Ent", "Sel", "Num", "Fun"}) EXPECT_EQ(keys.count(token), 1u) << token;
  EXPECT_EQ(keys.size(), 48u) << "no blank key";
}

}  // namespace
