#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "scanning/core/uopcoes.h"
#include "scanning/core/uvars.h"
#include "speaking/logic/prompt_sound.h"
#include "speaking/logic/spoken_items.h"

namespace {

bool Cp1252Letter(unsigned char c) { return std::isalpha(c) || (c >= 0xC0 && c != 0xD7 && c != 0xF7); }

// A name in words: lower-case letters, accented ones among them, and blanks.
bool Words(const std::string& name) {
  return !name.empty() && std::all_of(name.begin(), name.end(), [](unsigned char c) {
           return c == ' ' || (Cp1252Letter(c) && !std::isupper(c));
         });
}

void ExpectSaidSensibly(const std::string& token) {
  const std::string said = KeyNameSaid(token);
  const bool itself = token.size() == 1 && (Cp1252Letter(token[0]) || (token[0] >= '0' && token[0] <= '9'));
  const bool functionKey = token.size() >= 2 && (token[0] == 'F' || token[0] == 'f') && token[1] >= '1' && token[1] <= '9';
  if (itself || functionKey) EXPECT_EQ(said, token);
  else EXPECT_TRUE(Words(said)) << "key \"" << token << "\" is said \"" << said << "\"";
}

TEST(KeysSaid, EveryKeyOfEveryLayoutInAnyCaseIsItselfOrAPortugueseName) {
  int keys = 0;
  for (int layout = 1; layout <= LayoutCount; ++layout)
    for (int row = 1; !KeyboardRowText(layout, row).empty(); ++row)
      for (int key = 1; key <= KeysPerRow(layout); ++key) {
        const std::string token = KeyToken(KeyboardRowText(layout, row), key);
        if (token.empty()) continue;
        ExpectSaidSensibly(token);
        ExpectSaidSensibly(UpperAccented(token));
        ++keys;
      }
  EXPECT_GT(keys, 200);
  EXPECT_EQ(KeyNameSaid("Spc") + KeyNameSaid("SPC") + KeyNameSaid("Bsp") + KeyNameSaid("Ent") + KeyNameSaid(""),
            "espa\xE7oespa\xE7o" "apagaenter");
}

TEST(RowsAndPlacesSaid, ARowByItsFirstThreeKeysAndTheGridByPlace) {
  EXPECT_EQ(RowSaid(KeyboardRowText(1, 1)), "troca teclado, mai\xFAsculas, tab");
  EXPECT_EQ(RowSaid(KeyboardRowText(3, 3)), "\xE9, \xEA, \xE8");  // a blank key is passed over
  EXPECT_EQ(WordsSaid({"casa", "carro", "cama", "caf\xE9"}), "casa, carro, cama");
  EXPECT_EQ(GridPlaceSaid(false, 1) + ", " + GridPlaceSaid(false, 3) + ", " + GridPlaceSaid(true, 1) + ", " + GridPlaceSaid(true, 2),
            "em cima, embaixo, \xE0 esquerda, no centro");
}

TEST(PromptFiles, NamedByTheTextWithWhatANameCannotHoldAsUnderscores) {
  EXPECT_EQ(PromptFileName("Mouse r\xE1pido"), "Mouse r\xE1pido.wav");
  EXPECT_EQ(PromptFileName("Tab tab tab..."), "Tab tab tab....wav");
  EXPECT_EQ(PromptFileName("Delay (1000-2000):"), "Delay (1000-2000)_.wav");
  EXPECT_EQ(PromptFileName("a<b>c\"d/e\\f|g?h*i\tj"), "a_b_c_d_e_f_g_h_i_j.wav");
  EXPECT_EQ(PromptFileName("con"), "_con.wav");
  const std::vector<std::string> texts = RecordableTexts();
  for (const char* text : {"Clica", "Aponta", "Rola abaixo", "espa\xE7o", "arroba", "em cima", "no centro",
                           "troca teclado, mai\xFAsculas, tab", "Delay (1000-2000):"})
    EXPECT_EQ(std::count(texts.begin(), texts.end(), text), 1) << text;
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "A") + std::count(texts.begin(), texts.end(), "\xC1"), 0)
      << "\"a\" and \"A\" share a file";
}

// A file as WavFileOf writes it, changed: bytes replaced at an offset.
std::string Changed(std::string file, size_t at, const std::string& bytes) { return file.replace(at, bytes.size(), bytes); }
int64_t LengthOf(const std::string& file) { return ParseWav(file) ? ParseWav(file)->DurationMs() : -1; }

TEST(PromptSound, APcmFileIsReadWhateverItsChunksAndAnythingElseIsRefused) {
  const std::string written = WavFileOf(std::vector<int16_t>(11025, 1000), 11025);
  std::optional<WavParts> parts = ParseWav(written);
  ASSERT_TRUE(parts);
  EXPECT_EQ(parts->DurationMs(), 1000);
  EXPECT_EQ(parts->bitsPerSample, 16);
  EXPECT_EQ(written.substr(parts->dataAt, 2), std::string("\xE8\x03", 2));

  EXPECT_EQ(LengthOf(written.substr(0, 12) + std::string("LIST\3\0\0\0odd\0", 12) + written.substr(12)), 1000)
      << "an odd chunk before the format";
  EXPECT_EQ(LengthOf(written.substr(0, written.size() - 11025)), 500) << "cut short: what it holds";
  EXPECT_TRUE(ParseWav(Changed(written, 20, std::string("\xFE\xFF", 2))));  // extensible

  EXPECT_FALSE(ParseWav(Changed(written, 20, std::string("\3\0", 2))));  // floating point
  EXPECT_FALSE(ParseWav(Changed(written, 12, "data")));                  // samples before any format
  EXPECT_FALSE(ParseWav(written.substr(0, 30)));
  EXPECT_FALSE(ParseWav(Changed(written, 8, "WAVX")));
  EXPECT_FALSE(ParseWav(""));
}

TEST(PromptSound, ARecordingLosesItsSilenceAtBothEndsButAMargin) {
  const std::string quiet(100, '\x82'), loud = "\xC0\x40\xC0";
  const std::string recording = quiet + loud + quiet;
  EXPECT_EQ(TrimmedSound(recording, 8, 10), recording.substr(90, 23));
  EXPECT_EQ(TrimmedSound(recording, 8, 500), recording);
  EXPECT_TRUE(TrimmedSound(quiet, 8, 10).empty());
  EXPECT_EQ(Widened(std::string_view("\x80\xFF\x00", 3)), (std::vector<int16_t>{0, 127 * 256, -128 * 256}));
}

}  // namespace
