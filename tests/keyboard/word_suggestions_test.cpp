// Word suggestions as plain rules: the word being typed ends at every kind of break, a
// beginning finds its words whatever its accents, and choosing one types the rest with the
// accent mended by one backspace and a capital kept; the step count falls with them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "keyboard/logic/typing_steps.h"
#include "keyboard/logic/word_suggestions.h"
#include "scanning/core/uopcoes.h"
#include "scanning/core/uvars.h"

namespace {

using Words = std::vector<std::string>;
const Words List{"n\xE3o", "voc\xEA", "voltar", "\xE9", "e", "vou", "voce"};  // most frequent first

TEST(WordSuggestions, TheWordBeingTypedEndsAtEveryBreakAndBackspaceTakesALetterBack) {
  TypedWord word;
  for (unsigned char c : std::string("Ol\xE1")) word.Type(c);
  EXPECT_EQ(word.letters, "Ol\xE1");
  word.TakeBack();
  EXPECT_EQ(word.letters, "Ol");
  for (unsigned char brk : std::string(" .,?!-\"'0")) {
    word.Type('a');
    word.Type(brk);
    EXPECT_EQ(word.letters, "") << "after '" << brk << "'";
  }
  word.Type('v');
  word.Break();  // Ent, Tab, an arrow, a mouse action, another window in front
  EXPECT_EQ(word.letters, "");
}

TEST(WordSuggestions, ABeginningFindsItsWordsWhateverItsAccentsButNeverTheWordTypedWhole) {
  EXPECT_EQ(SuggestionsFor(List, "", 5), Words{}) << "nothing before the first letter";
  EXPECT_EQ(SuggestionsFor(List, "vo", 2), (Words{"voc\xEA", "voltar"}));
  EXPECT_EQ(SuggestionsFor(List, "Voc", 5), (Words{"voc\xEA", "voce"}));
  EXPECT_EQ(SuggestionsFor(List, "voc\xEA", 5), (Words{"voce"}));
  EXPECT_EQ(SuggestionsFor(List, "e", 5), (Words{"\xE9"}));
}

TEST(WordSuggestions, ThePersonsOwnWordsComeFirstByHowOftenAndTheirFileLoadsWhatItCan) {
  LearnedWords learned;
  for (const char* word : {"Vov\xF3", "vov\xF3", "voa", "v", "a1"}) Learn(learned, word);
  EXPECT_EQ(learned, (LearnedWords{{"vov\xF3", 2}, {"voa", 1}})) << "two letters or more, lower case";
  EXPECT_EQ(SuggestionsFor(List, "vo", 4, learned), (Words{"vov\xF3", "voa", "voc\xEA", "voltar"}));
  const std::string text = TextOfLearned(learned) + "lixo\r\n\xFF\x01 3\r\nVoa 2\r\nvoa 99999999999\r\nvoa 4";
  for (size_t cut = 0; cut <= text.size(); ++cut) LearnedFromText(text.substr(0, cut));
  EXPECT_EQ(LearnedFromText(text), (LearnedWords{{"vov\xF3", 2}, {"voa", 5}}));
}

TEST(WordSuggestions, ChoosingTypesTheRestMendsAnAccentWithOneBackspaceAndKeepsACapital) {
  EXPECT_EQ(CompletionFor("vo", "voc\xEA"), (Completion{0, "c\xEA "}));
  EXPECT_EQ(CompletionFor("e", "\xE9"), (Completion{1, "\xE9 "}));
  EXPECT_EQ(CompletionFor("Vo", "voc\xEA"), (Completion{0, "c\xEA "}));
  EXPECT_EQ(CompletionFor("N", "n\xE3o"), (Completion{0, "\xE3o "}));
}

TEST(TypingSteps, SuggestionsCutTheHighlightsOfAnOrdinarySentence) {
  const std::string text = "Eu n\xE3o vou voltar agora.";
  const TypingSteps plain = CountTypingSteps(text, KeyboardRowText, LayoutCount, 1, List, 0);
  const TypingSteps suggested = CountTypingSteps(text, KeyboardRowText, LayoutCount, 1, List, 5);
  EXPECT_EQ(plain.characters, text.size());
  EXPECT_EQ(plain.presses, 2 * text.size() + 2 * 3 + 2 * 2) << "two for each key, Mai-Act-Alf and Act-Alf";
  EXPECT_LT(suggested.highlights, plain.highlights * 3 / 4);
  // In frequency order an accent lies among the letters (row 5, key 4), and a capital is "Sft"
  // (row 5, key 2) and its lower-case key.
  EXPECT_EQ(CountTypingSteps("\xE1", KeyboardRowText, LayoutCount, FrequencyLayout, {}, 0).highlights, 9u);
  EXPECT_EQ(CountTypingSteps("\xC1", KeyboardRowText, LayoutCount, FrequencyLayout, {}, 0).highlights, 16u);
}

}  // namespace
