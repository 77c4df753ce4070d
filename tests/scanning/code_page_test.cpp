// The accented texts reach the screen as single code page 1252 bytes, whichever compiler
// built them: numbers here, not literals, so the test does not share the build's charset.
#include <gtest/gtest.h>

#include <string>

#include "scanning/core/uopcoes.h"
#include "scanning/core/uvars.h"

namespace {

unsigned Byte(const std::string& text, size_t at) {
  return at < text.size() ? static_cast<unsigned char>(text[at]) : 0;
}

TEST(CodePage1252, AccentedLettersAreSingleBytesOfTheCodePage) {
  EXPECT_EQ(Byte(OptionLabel(1, 7), 7), 0xE1u);   // Mouse rápido
  EXPECT_EQ(Byte(OptionLabel(3, 9), 2), 0xF3u);   // Próxima janela
  EXPECT_EQ(Byte(OptionLabel(7, 5), 3), 0xE9u);   // Numéricos
  EXPECT_EQ(Byte(KeyboardRowText(3, 1), 9), 0xE7u);   // ç
  EXPECT_EQ(Byte(KeyboardRowText(4, 1), 13), 0xD1u);  // Ñ
  EXPECT_EQ(Byte(KeyboardRowText(3, 7), 1), 0xB4u);   // the acute accent key
  EXPECT_EQ(Byte(KeyboardRowText(5, 8), 5), 0xAAu);   // ª
}

// A UTF-8 sequence would put two bytes above 127 side by side and lengthen the text.
TEST(CodePage1252, NoLabelOrKeyRowHoldsAMultiByteSequence) {
  auto single = [](const std::string& text) {
    for (size_t i = 1; i < text.size(); ++i)
      if (Byte(text, i - 1) > 127 && Byte(text, i) > 127) return false;
    return true;
  };
  for (int menu = 1; menu <= MenuCount; ++menu)
    for (int option = 1; option <= OptionCount[menu]; ++option)
      EXPECT_TRUE(single(OptionLabel(menu, option))) << menu << "/" << option;
  for (int layout = 1; layout <= LayoutCount; ++layout)
    for (int row = 1; row <= KeyboardRows[layout]; ++row) {
      const std::string text = KeyboardRowText(layout, row);
      EXPECT_TRUE(single(text)) << layout << "/" << row;
      EXPECT_LE(text.size(), static_cast<size_t>(KeyboardWidth[layout])) << layout << "/" << row;
    }
}

}  // namespace
