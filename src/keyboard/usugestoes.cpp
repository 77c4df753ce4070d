// Word suggestions on the keyboard's top line. The list ships beside the program, most
// frequent first; the person's own words are counted in their folder, in palavras.txt.
#include "keyboard/usugestoes.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>

#include "console/ObCrt.h"
#include "injection/obkbm32.h"
#include "injection/obmacro.h"
#include "keyboard/logic/word_suggestions.h"
#include "keyboard/usenha.h"
#include "scanning/core/uopcoes.h"
#include "scanning/core/uvars.h"
#include "scanning/core/uwindow.h"

int SuggestionCount = 0;
bool LearnOwnWords = true;

namespace {

constexpr size_t kLargestList = 4 << 20;
constexpr int kMostSuggestions = 7;

std::vector<std::string> ListedWords;
LearnedWords OwnWords;
TypedWord Typing;
HWND TypingWindow = nullptr;   // where the word being typed goes
bool SpaceSuggested = false;   // the last thing typed was a chosen word and its space
bool OfferDue = true;          // the word being typed changed since the words were offered
int UnsavedWords = 0;          // learned since the file was last written
constexpr int kWordsPerSave = 5;  // a flush to a busy disk must not hold the scan at every word
std::vector<std::string> Offered;

std::wstring OwnWordsPath() { return UserFilePath(L"palavras.txt"); }

void LoadWordLists() {
  std::string text;
  if (ReadWholeFile(ProgramFilePath(L"lista-palavras.txt"), kLargestList, text)) ListedWords = WordsFromList(text);
  if (ReadWholeFile(OwnWordsPath(), kLargestList, text)) OwnWords = LearnedFromText(text);
}

void SaveOwnWords() {
  if (UnsavedWords > 0 && WriteWholeFile(OwnWordsPath(), TextOfLearned(OwnWords))) UnsavedWords = 0;
}

void Remember(const std::string& word) {
  if (!LearnOwnWords || SuggestionCount == 0 || word.size() < 2 || PasswordInFront()) return;
  Learn(OwnWords, word);
  if (++UnsavedWords >= kWordsPerSave) SaveOwnWords();
}

void StartOver() {
  Typing.Break();
  SpaceSuggested = false;
  OfferDue = true;
}

// A word carried on from another window is not this window's word.
void FollowForegroundWindow() {
  const HWND front = GetForegroundWindow();
  if (front != TypingWindow) StartOver();
  TypingWindow = front;
}

// Cells " word" side by side; columns past the last are blank, over longer words of before.
int ColumnsOf(const std::vector<std::string>& words) {
  int columns = 1;
  for (const std::string& word : words) columns += 1 + static_cast<int>(word.size());
  return columns;
}

int ColumnsAvailable() {
  if (CellWidth <= 0) return ScreenCols;
  return std::min(ScreenCols, (WorkRight - WorkLeft - FrameWidth) / CellWidth);
}

}  // namespace

void ReadKeyboardSettings() {
  SuggestionCount = std::clamp(std::atoi(ReadSetting("TECLADO", "SUGESTOES", "0").c_str()), 0, kMostSuggestions);
  LearnOwnWords = ReadSetting("TECLADO", "APRENDER", "1") != "0";
  LettersLayout = UpperAccented(ReadSetting("TECLADO", "DISPOSICAO", "ORIGINAL")) == "FREQUENCIA" ? FrequencyLayout : 1;
  KeyboardTopLines = SuggestionCount > 0 ? 1 : 0;
  if (SuggestionCount == 0) return;
  LoadWordLists();
  SaveAtEnd(SaveOwnWords);
}

void NoteTypedCharacter(unsigned char c) {
  FollowForegroundWindow();
  if (!IsWordLetter(c)) Remember(Typing.letters);
  Typing.Type(c);
  SpaceSuggested = false;
  OfferDue = true;
}

void NoteNamedKey(const std::string& upperToken) {
  FollowForegroundWindow();
  if (upperToken == "BSP") {
    Typing.TakeBack();
  } else {
    if (upperToken == "SPC" || upperToken == "ENT" || upperToken == "TAB") Remember(Typing.letters);
    Typing.Break();
  }
  SpaceSuggested = false;
  OfferDue = true;
}

void BreakTypedWord() { StartOver(); }

bool ReplacesSuggestedSpace(unsigned char c) {
  return SpaceSuggested && GetForegroundWindow() == TypingWindow && TakesSuggestedSpace(c);
}

const std::vector<std::string>& OfferedWords() {
  if (!OfferDue) return Offered;
  OfferDue = false;
  // A password field gets no words: they would show what was typed there before.
  Offered = SuggestionCount > 0 && !Typing.letters.empty() && !PasswordInFront()
                ? SuggestionsFor(ListedWords, Typing.letters, SuggestionCount, OwnWords)
                : std::vector<std::string>{};
  while (!Offered.empty() && ColumnsOf(Offered) > ColumnsAvailable()) Offered.pop_back();
  // The panel widens for longer words, never narrows while the keyboard runs: it would
  // jump at every letter.
  if (ColumnsOf(Offered) > std::max(SuggestionColumns, KeyboardWidth[KeyboardLayout])) {
    SuggestionColumns = ColumnsOf(Offered);
    PlacePanel(PanelAtBottom);
  }
  return Offered;
}

void ShowSuggestionRow(bool highlighted, int word) {
  if (KeyboardTopLines == 0) return;
  OfferedWords();
  std::string text;
  size_t cellStart = 0, cellLength = 0;
  for (int at = 0; at < static_cast<int>(Offered.size()); ++at) {
    if (at + 1 == word) cellStart = text.size(), cellLength = 1 + Offered[at].size();
    text += " " + Offered[at];
  }
  const size_t columns = static_cast<size_t>(std::max(SuggestionColumns, KeyboardWidth[KeyboardLayout]));
  if (text.size() < columns) text.append(columns - text.size(), ' ');
  ShowCellRow(1, text, cellStart, cellLength, highlighted && !Offered.empty(), word > 0);
}

void TypeSuggestion(int word) {
  if (word < 1 || word > static_cast<int>(Offered.size())) return;
  FollowForegroundWindow();
  const std::string chosen = Offered[word - 1];
  const Completion completion = CompletionFor(Typing.letters, chosen);
  PlayInit(30);
  for (int back = 0; back < completion.backspaces; ++back) PlayVirtKey(VK_BACK, false, false, false, 100);
  for (char c : completion.text) PlayKey(static_cast<unsigned char>(c), 100);
  StartWhenCtrlUp();
  CtrlLatch = AltLatch = ShiftLatch = false;
  Remember(chosen);
  StartOver();
  SpaceSuggested = true;
}
