#include "keyboard/logic/typing_steps.h"

#include <climits>

#include "keyboard/logic/layout_keys.h"
#include "keyboard/logic/word_suggestions.h"

namespace {

constexpr int kMaxRows = 9;

struct Place { int row = 0, key = 0; };

std::string Trimmed(std::string cell) {
  const size_t first = cell.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return cell.substr(first, cell.find_last_not_of(' ') - first + 1);
}

// Where the key of that token lies in the layout; row 0: it has none.
Place Find(const RowsOf& rows, int layout, const std::string& token) {
  for (int row = 1; row <= kMaxRows; ++row) {
    const std::string text = rows(layout, row);
    for (size_t at = 0; at < text.size(); at += 4)
      if (Trimmed(text.substr(at, 4)) == token) return {row, static_cast<int>(at / 4) + 1};
  }
  return {};
}

constexpr const char* kLayoutKeys[] = {"Mai", "Alf", "Act", "Num", "Fun"};

std::string AsciiUpper(std::string token) {
  for (char& c : token)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return token;
}

// The lower-case letter of a capital, or c itself.
unsigned char LowerLetter(unsigned char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 192 && c <= 222 && c != 215)) return static_cast<unsigned char>(c + 32);
  return c;
}

std::string TokenOf(unsigned char c) {
  if (c == ' ') return "Spc";
  if (c == '\n') return "Ent";
  return std::string(1, static_cast<char>(c));
}

struct Typist {
  const RowsOf& rows;
  int layoutCount;
  int letters;
  int layout = letters;
  int rowOffset = 0;  // 1 while the suggestion row shows
  TypingSteps steps;

  int Cost(Place place) const { return place.row + rowOffset + place.key; }

  // The cheapest way from the current layout to one holding token: the layout-change keys
  // on the way and the layout reached; cost INT_MAX when there is none.
  int Route(const std::string& token, std::vector<Place>& keys, int& reached) const {
    struct Best { int cost = INT_MAX; std::vector<Place> keys; };
    std::vector<Best> best(layoutCount + 1);
    best[layout].cost = 0;
    for (int round = 0; round < layoutCount; ++round)
      for (int from = 1; from <= layoutCount; ++from) {
        if (best[from].cost == INT_MAX) continue;
        for (const char* change : kLayoutKeys) {
          const Place place = Find(rows, from, change);
          const int to = LayoutAfterKey(AsciiUpper(change), from, letters);
          if (place.row == 0 || to == 0 || best[from].cost + Cost(place) >= best[to].cost) continue;
          best[to] = {best[from].cost + Cost(place), best[from].keys};
          best[to].keys.push_back(place);
        }
      }
    int cheapest = INT_MAX;
    for (int to = 1; to <= layoutCount; ++to) {
      const Place key = Find(rows, to, token);
      if (key.row == 0 || best[to].cost == INT_MAX || best[to].cost + Cost(key) >= cheapest) continue;
      cheapest = best[to].cost + Cost(key);
      keys = best[to].keys;
      keys.push_back(key);
      reached = to;
    }
    return cheapest;
  }

  // A capital as "Sft" and then its lower-case key, in a layout that has both (the shifted
  // layout draws it as the capital); cost INT_MAX when there is none.
  int ShiftedRoute(unsigned char c, std::vector<Place>& keys, int& reached) const {
    const unsigned char lower = LowerLetter(c);
    if (lower == c) return INT_MAX;
    const int cost = Route("Sft", keys, reached);
    const Place key = cost == INT_MAX ? Place{} : Find(rows, reached, TokenOf(lower));
    if (key.row == 0) return INT_MAX;
    keys.push_back(key);
    return cost + Cost(key);
  }

  // Types c the cheaper way, its own key or "Sft" and the lower-case one; false when no
  // layout has it.
  bool Type(unsigned char c) {
    std::vector<Place> keys, shifted;
    int reached = layout, shiftedAt = layout;
    const int own = Route(TokenOf(c), keys, reached);
    const int viaShift = ShiftedRoute(c, shifted, shiftedAt);
    if (own == INT_MAX && viaShift == INT_MAX) return false;
    if (viaShift < own) { keys = shifted; reached = shiftedAt; }
    for (const Place& key : keys) Press(Cost(key));
    layout = reached;
    return true;
  }

  void Press(int highlights) {
    steps.highlights += static_cast<size_t>(highlights);
    steps.presses += 2;
  }
};

// The end of the word whose letters run from at.
size_t WordEnd(const std::string& text, size_t at) {
  while (at < text.size() && IsWordLetter(static_cast<unsigned char>(text[at]))) ++at;
  return at;
}

// The place among the offered words of the one that, chosen now, types the text's word;
// offered.size() when none does, or when the word is followed by neither a space (choosing
// adds one) nor punctuation that takes that space's place.
size_t ChoiceFor(const std::vector<std::string>& offered, const std::string& typed,
                 const std::string& text, size_t at, size_t& end) {
  end = WordEnd(text, at);
  if (end < text.size() && text[end] != ' ' && !TakesSuggestedSpace(static_cast<unsigned char>(text[end])))
    return offered.size();
  const std::string word = typed + text.substr(at, end - at);
  for (size_t place = 0; place < offered.size(); ++place) {
    const Completion completion = CompletionFor(typed, offered[place]);
    const std::string result = typed.substr(0, typed.size() - completion.backspaces) + completion.text;
    if (result == word + " ") return place;
  }
  return offered.size();
}

}  // namespace

TypingSteps CountTypingSteps(const std::string& text, const RowsOf& rows, int layoutCount,
                             int letters, const std::vector<std::string>& words, size_t suggestions) {
  Typist typist{rows, layoutCount, letters, letters, 0, {}};
  TypedWord typed;
  size_t at = 0;
  while (at < text.size()) {
    const std::vector<std::string> offered =
        suggestions > 0 ? SuggestionsFor(words, typed.letters, suggestions) : std::vector<std::string>{};
    typist.rowOffset = offered.empty() ? 0 : 1;
    size_t end = at;
    const size_t place = ChoiceFor(offered, typed.letters, text, at, end);
    if (place < offered.size()) {  // the suggestion row, then the word: the rest and a space
      typist.Press(1 + static_cast<int>(place) + 1);
      at = end < text.size() && text[end] == ' ' ? end + 1 : end;
      typed.Break();
      continue;
    }
    const auto c = static_cast<unsigned char>(text[at++]);
    typist.Type(c);
    if (c == '\n') typed.Break();
    else typed.Type(c);
  }
  typist.steps.characters = text.size();
  return typist.steps;
}
