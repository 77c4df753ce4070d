// How many highlights and presses a text costs on the on-screen keyboard, typed by an ideal
// typist who presses the instant the wanted row or key lights: a row r and then its key k
// cost r + k highlights and two presses; the suggestion row, when shown, is row 1 and moves
// the others down one. Layouts are changed with the keyboard's own keys, by the cheapest way.
// Knows nothing of windows.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

struct TypingSteps {
  size_t characters = 0, highlights = 0, presses = 0;
};

// The text of a layout's row (1-based), "" where the layout has none.
using RowsOf = std::function<std::string(int layout, int row)>;

// text in code page 1252; "\n" is "Ent". letters: the layout typing starts in, where "Alf"
// leads. suggestions: how many are shown (0: none), drawn from words, most frequent first.
// A capital costs its own key or "Sft" and its lower-case key, whichever is cheaper.
TypingSteps CountTypingSteps(const std::string& text, const RowsOf& rows, int layoutCount,
                             int letters, const std::vector<std::string>& words,
                             size_t suggestions);
