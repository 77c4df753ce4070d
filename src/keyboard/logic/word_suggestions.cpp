#include "keyboard/logic/word_suggestions.h"

#include <algorithm>
#include <cctype>
#include <utility>

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

std::string Lower(std::string word) {
  for (char& c : word) {
    const auto u = static_cast<unsigned char>(c);
    if ((u >= 'A' && u <= 'Z') || (u >= 192 && u <= 222 && u != 215)) c = static_cast<char>(u + 32);
  }
  return word;
}

bool IsWord(const std::string& word) {
  return word.size() >= 2 && std::all_of(word.begin(), word.end(), [](char c) {
           return IsWordLetter(static_cast<unsigned char>(c));
         });
}

// The word would be offered after typed: it begins with it, and is not it.
bool Offered(const std::string& word, const std::string& typed, const std::string& beginning) {
  if (word.size() < typed.size() || FoldedWord(word.substr(0, typed.size())) != beginning) return false;
  return word.size() != typed.size() ||
         !std::equal(word.begin(), word.end(), typed.begin(), [](char a, char b) {
           return SameLetterAnyCase(static_cast<unsigned char>(a), static_cast<unsigned char>(b));
         });
}

}  // namespace

std::vector<std::string> WordsFromList(std::string_view text) {
  std::vector<std::string> words;
  while (!text.empty()) {
    const size_t end = std::min(text.find('\n'), text.size());
    std::string word(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
    if (!word.empty() && word.back() == '\r') word.pop_back();
    if (!word.empty() && std::all_of(word.begin(), word.end(), [](char c) {
          return IsWordLetter(static_cast<unsigned char>(c));
        }))
      words.push_back(word);
  }
  return words;
}

void Learn(LearnedWords& learned, const std::string& word) {
  if (IsWord(word)) ++learned[Lower(word)];
}

LearnedWords LearnedFromText(std::string_view text) {
  LearnedWords learned;
  while (!text.empty()) {
    const size_t end = std::min(text.find('\n'), text.size());
    std::string line(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t space = line.find(' ');
    if (space == std::string::npos || space + 1 >= line.size() || space + 10 < line.size()) continue;
    const std::string word = line.substr(0, space), digits = line.substr(space + 1);
    if (!IsWord(word) || Lower(word) != word || !std::all_of(digits.begin(), digits.end(), ::isdigit))
      continue;
    // A count repeated without end stays within the nine digits a line is read with.
    int& total = learned[word];
    total = static_cast<int>(std::min<long long>(999999999, static_cast<long long>(total) + std::stoi(digits)));
  }
  return learned;
}

std::string TextOfLearned(const LearnedWords& learned) {
  std::string text;
  for (const auto& [word, count] : learned) text += word + " " + std::to_string(count) + "\r\n";
  return text;
}

bool IsWordLetter(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= 192 && c != 215 && c != 247);
}

std::string FoldedWord(std::string text) {
  for (char& c : text) c = static_cast<char>(Folded(static_cast<unsigned char>(c)));
  return text;
}

std::vector<std::string> SuggestionsFor(const std::vector<std::string>& words,
                                        const std::string& typed, size_t count,
                                        const LearnedWords& learned) {
  std::vector<std::string> found;
  if (typed.empty()) return found;
  const std::string beginning = FoldedWord(typed);
  std::vector<std::pair<int, std::string>> own;
  for (const auto& [word, times] : learned)
    if (Offered(word, typed, beginning)) own.push_back({-times, word});
  std::sort(own.begin(), own.end());
  for (const auto& mine : own)
    if (found.size() < count) found.push_back(mine.second);
  for (const std::string& word : words) {
    if (found.size() >= count) break;
    if (Offered(word, typed, beginning) && std::find(found.begin(), found.end(), word) == found.end())
      found.push_back(word);
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

bool TakesSuggestedSpace(unsigned char c) {
  return c != 0 && std::string_view(".,;:?!").find(static_cast<char>(c)) != std::string_view::npos;
}
