// Counts what typing a text costs on the on-screen keyboard, for each layout and without and
// with 5 word suggestions, as an ideal typist who presses the instant the wanted row or key
// lights. Counting rule: a row r and then its key k cost r + k highlights and two presses;
// the suggestion row, when shown, is row 1 and moves the others down one; layouts are
// changed by their own keys ("Mai", "Act", "Alf", "Num", "Fun") the cheapest way, and a
// capital is its own key or "Sft" and the lower-case key, whichever costs less. The original
// layout starts in the lower-case letters, the frequency one in its own. The text is read as
// UTF-8; characters the keyboard lacks are counted but cost nothing.
//   steps FILE [WORDS]     WORDS: the word list, code page 1252 (dist/lista-palavras.txt)
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "keyboard/logic/typing_steps.h"
#include "keyboard/logic/word_suggestions.h"
#include "pointing/logic/grid.h"
#include "scanning/core/uopcoes.h"
#include "scanning/core/uvars.h"

namespace {

std::string ReadAll(const char* path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// UTF-8 to code page 1252 for the characters Portuguese uses; others become '?'.
std::string Cp1252(const std::string& utf8) {
  std::string out;
  for (size_t at = 0; at < utf8.size(); ++at) {
    const auto c = static_cast<unsigned char>(utf8[at]);
    if (c == '\r') continue;
    if (c < 0x80) { out += static_cast<char>(c); continue; }
    if ((c >> 5) == 6 && at + 1 < utf8.size()) {
      const unsigned code = ((c & 0x1F) << 6) | (static_cast<unsigned char>(utf8[++at]) & 0x3F);
      out += code >= 0xA0 && code <= 0xFF ? static_cast<char>(code) : '?';
      continue;
    }
    while (at + 1 < utf8.size() && (static_cast<unsigned char>(utf8[at + 1]) & 0xC0) == 0x80) ++at;
    out += '?';
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || std::string(argv[1]) == "--help") {
    std::fprintf(stderr,
                 "usage: steps FILE [WORDS]\n"
                 "Types FILE (UTF-8) on the on-screen keyboard as an ideal typist, who presses the\n"
                 "instant the wanted row or key lights, for the original and the frequency layout,\n"
                 "without and with 5 suggestions from WORDS (code page 1252, most frequent first).\n"
                 "A row r and then its key k cost r + k highlights and two presses; the suggestion\n"
                 "row, when shown, is row 1 and moves the others down one; layouts change by their\n"
                 "own keys the cheapest way; a capital is its key or \"Sft\" and the lower-case key.\n"
                 "Then what a click costs through the pointing grid, down to 24 pixels, over points\n"
                 "spread evenly on four work areas: a row r and a cell c cost r + c highlights, and\n"
                 "\"Aponta\" and \"Clica\" one each.\n");
    return argc < 2 ? 2 : 0;
  }
  const std::string text = Cp1252(ReadAll(argv[1]));
  const std::vector<std::string> words = argc > 2 ? WordsFromList(ReadAll(argv[2])) : std::vector<std::string>{};
  struct Layout { const char* name; int letters; };
  for (const Layout layout : {Layout{"original", 1}, Layout{"frequency", FrequencyLayout}})
    for (size_t suggestions : {size_t{0}, size_t{5}}) {
      if (suggestions > 0 && words.empty()) break;
      const TypingSteps steps =
          CountTypingSteps(text, KeyboardRowText, LayoutCount, layout.letters, words, suggestions);
      std::printf("layout=%s suggestions=%zu chars=%zu highlights=%zu per_char=%.2f presses_per_char=%.2f\n",
                  layout.name, suggestions, steps.characters, steps.highlights,
                  steps.characters ? double(steps.highlights) / steps.characters : 0.0,
                  steps.characters ? double(steps.presses) / steps.characters : 0.0);
    }
  struct Area { int width, height; };
  for (const Area area : {Area{1024, 768}, Area{1366, 768}, Area{1920, 1080}, Area{3840, 2160}}) {
    const PointingCost cost = MeanPointingCost({0, 0, area.width, area.height}, 24);
    std::printf("pointing area=%dx%d highlights=%.1f levels=%.1f\n", area.width, area.height,
                cost.highlights, cost.levels);
  }
  return 0;
}
