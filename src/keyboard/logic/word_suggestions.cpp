#include "keyboard/logic/word_suggestions.h"

#include <algorithm>

namespace {

// The letters 192-255 of code page 1252 without their accents, lower case; 215 and 247 are
// the multiplication and division signs, 223 the sharp s.
constexpr const char* kPlainLetters =
    "aaaaaaaceeeeiiiidnooooo\xD7ouuuuyt\xDF" "aaaaaaaceeeeiiiidnooooo\xF7ouuuuyty";

unsigned char Folded(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
  if (c >= 192) return static_cast<unsigned char>(kPlainLetters[c - 192]);
  return c;
}

unsigned char Upper(unsigned char c) {
  if ((c >= 'a' && c <= 'z') || (c >= 224 && c != 247 && c != 255)) return static_cast<unsigned char>(c - 32);
  return c;
}

bool SameLetterAnyCase(unsigned char a, unsigned char b) { return a == b || Upper(a) == Upper(b); }

}  // namespace

bool IsWordLetter(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= 192 && c != 215 && c != 247);
}

std::string FoldedWord(std::string text) {
  for (char& c : text) c = static_cast<char>(Folded(static_cast<unsigned char>(c)));
  return text;
}

std::vector<std::string> SuggestionsFor(const std::vector<std::string>& words,
                                        const std::string& typed, size_t count) {
  std::vector<std::string> found;
  if (typed.empty()) return found;
  const std::string beginning = FoldedWord(typed);
  for (const std::string& word : words) {
    if (found.size() >= count) break;
    if (word.size() < typed.size() || FoldedWord(word.substr(0, typed.size())) != beginning) continue;
    const bool typedWhole = word.size() == typed.size() &&
                            std::equal(word.begin(), word.end(), typed.begin(), [](char a, char b) {
                              return SameLetterAnyCase(static_cast<unsigned char>(a), static_cast<unsigned char>(b));
                            });
    if (!typedWhole) found.push_back(word);
  }
  return found;
}

Completion CompletionFor(const std::string& typed, const std::string& word) {
  std::string wanted = word;
  const auto first = static_cast<unsigned char>(typed.empty() ? 0 : typed[0]);
  if (!wanted.empty() && IsWordLetter(first) && Upper(first) == first)
    wanted[0] = static_cast<char>(Upper(static_cast<unsigned char>(wanted[0])));
  size_t kept = 0;
  while (kept < typed.size() && kept < wanted.size() && typed[kept] == wanted[kept]) ++kept;
  return {static_cast<int>(typed.size() - kept), wanted.substr(kept) + " "};
}
