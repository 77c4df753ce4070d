// Word suggestions for the on-screen keyboard, as plain rules over code page 1252 text: the
// word being typed, the words of a list that begin with it whatever its accents, and what
// choosing one types. Knows nothing of windows, files or the playback library.
#pragma once
#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

bool IsWordLetter(unsigned char c);       // a-z, A-Z and the accented letters
std::string FoldedWord(std::string text);  // lower case, without accents: "Voc\xEA" -> "voce"

// The letters typed since the last word break; a letter extends it, anything else typed
// ends it (the space, punctuation), and so do keys and actions that move away from it.
struct TypedWord {
  std::string letters;
  void Type(unsigned char c) { if (IsWordLetter(c)) letters += static_cast<char>(c); else letters.clear(); }
  void TakeBack() { if (!letters.empty()) letters.pop_back(); }  // "Bsp"
  void Break() { letters.clear(); }        // Ent, Tab, arrows, a mouse action, another window
};

// The shipped list: a word a line, most frequent first; lines that are not a word are passed over.
std::vector<std::string> WordsFromList(std::string_view text);

// The person's own words and how often each was typed to its end.
using LearnedWords = std::map<std::string, int>;
void Learn(LearnedWords& learned, const std::string& word);  // two letters or more, lower case
// The learned words' file: a word and its count a line, "palavra 12". What is not such a
// line, or not a word, is passed over.
LearnedWords LearnedFromText(std::string_view text);
std::string TextOfLearned(const LearnedWords& learned);

// Up to count words that begin with typed, accents and case aside: the person's own words by
// how often, then the list's (most frequent first); never the word already typed whole.
// Nothing before the first letter.
std::vector<std::string> SuggestionsFor(const std::vector<std::string>& words,
                                        const std::string& typed, size_t count,
                                        const LearnedWords& learned = {});

// What choosing word after typed sends: backspaces over what differs from the word (an
// accent typed without it), then the rest of the word and a space; a capital typed first
// stays a capital.
struct Completion {
  int backspaces = 0;
  std::string text;
  bool operator==(const Completion&) const = default;
};
Completion CompletionFor(const std::string& typed, const std::string& word);
// Punctuation that closes a word (. , ; : ? !): typed straight after a chosen word, it takes
// the place of the space the choice added.
bool TakesSuggestedSpace(unsigned char c);
