// The on-screen keyboard: rows lit in turn, then the keys of the chosen row, and what a
// chosen key does. Row texts and row drawing live with the option labels.
#include "keyboard/uteclado.h"

#include "console/ObCrt.h"
#include "console/logic/code_page.h"
#include "injection/obkbm32.h"
#include "injection/obmacro.h"
#include "keyboard/logic/latched_keys.h"
#include "keyboard/logic/layout_keys.h"
#include "keyboard/usugestoes.h"
#include "scanning/core/uavisos.h"
#include "scanning/core/uopcoes.h"
#include "scanning/core/uvars.h"
#include "scanning/core/uwindow.h"
#include "seam/seam.h"
#include "speaking/logic/spoken_items.h"
#include "speaking/ufalas.h"
#include "switch/logic/lit_items.h"
#include "switch/uctlsom.h"
#include "switch/utempos.h"


namespace {

constexpr int DrawnRows = 9;  // every layout draws nine rows; missing ones draw nothing

// Lights the current item for one dwell, the first of a pass longer if so set; true when
// the switch fired.
bool Dwell(int item) {
  return DwellNextItem(DwellTicks() + (item == 1 ? FirstItemExtraTicks() : 0));
}

// A key that changed the layout leaves rows of the old one: show the new one whole.
void ShowWholeLayout() {
  ClearScreen();
  PlacePanel(PanelAtBottom);
  ShowSuggestionRow(false, 0);
  std::string unused;
  for (int row = 1; row <= DrawnRows; ++row) ShowKeyboardRow(row, false, 0, unused);
}

// The items a row scan lights: with words offered, their line first, then the layout's rows.
struct ScanItems {
  bool suggesting;
  int Count() const { return KeyboardRows[KeyboardLayout] + (suggesting ? 1 : 0); }
  int RowOf(int item) const { return item - (suggesting ? 1 : 0); }  // 0: the words' line
};

std::string ItemSaid(const ScanItems& items, int item) {
  const int row = items.RowOf(item);
  return row == 0 ? WordsSaid(OfferedWords()) : RowSaid(KeyboardRowText(KeyboardLayout, row));
}

void ShowItem(const ScanItems& items, int item, bool highlighted) {
  std::string unused;
  const int row = items.RowOf(item);
  if (row == 0) ShowSuggestionRow(highlighted, 0);
  else ShowKeyboardRow(row, highlighted, 0, unused);
}

// Lights the items in turn until the switch fires; the one lit when the press began.
int ChooseItem(const ScanItems& items) {
  LitItems lit;
  int previous = 0;
  for (int current = 1;; current = current >= items.Count() ? 1 : current + 1) {
    lit.Light(current, SeamMarkNow());  // before it shows, as the options are
    if (previous) ShowItem(items, previous, false);
    ShowItem(items, current, true);
    Say(ItemSaid(items, current));
    previous = current;
    if (!Dwell(current)) continue;
    const int chosen = lit.LitAt(PressBeganMs);
    NoteChoice(ChoiceKind::Row, lit.LitSinceAt(PressBeganMs), chosen == 1);
    if (chosen != current) {
      ShowItem(items, current, false);
      ShowItem(items, chosen, true);
    }
    return chosen;
  }
}

// Lights keys 1 to count in turn, each drawn by show; the one lit when the press began, or 0
// when the pass ran out and the key wanted was missed.
template <typename Show>
int ChooseKey(int count, ChoiceKind kind, Show show) {
  LitItems lit;
  for (int key = 1; key <= count; ++key) {
    lit.Light(key, SeamMarkNow());
    show(key);
    if (Dwell(key)) {
      const int chosen = lit.LitAt(PressBeganMs);
      NoteChoice(kind, lit.LitSinceAt(PressBeganMs), chosen == 1);
      if (chosen != key) show(chosen);
      return chosen;
    }
  }
  NoteMissedKey();
  return 0;
}

// Lights each key of the row in turn; on a hit shows the token, lets the hit die away and
// acts on it: a Ctrl still held would reach the target with the key, and the tail of a
// sound would stop a repeat at once. The token is left empty when no key was chosen. True
// when the switch may still be active afterwards: no key was chosen, or a repeat was ended
// by a hit.
bool KeyPass(int row, std::string& token) {
  const int layout = KeyboardLayout;
  const int key = ChooseKey(KeysPerRow(layout), ChoiceKind::Key,
                            [&](int k) {
                              ShowKeyboardRow(row, true, k, token);
                              Say(KeyNameSaid(token));
                            });
  if (key == 0) {
    token.clear();
    return true;
  }
  if (UpperAccented(token) == "BSP") NoteUndone();
  ShowKeyToken(token);
  WaitQuiet();
  const bool waitDue = RepeatArmed;
  EmitKeyToken(token);
  if (KeyboardLayout != layout && KeyboardLayout != 0) ShowWholeLayout();
  return waitDue;
}

// The offered words in turn; the one chosen is typed. True when none was.
bool SuggestionPass() {
  const int word = ChooseKey(static_cast<int>(OfferedWords().size()), ChoiceKind::Word,
                             [](int w) {
                               ShowSuggestionRow(true, w);
                               Say(OfferedWords()[w - 1]);
                             });
  if (word == 0) return true;
  ShowKeyToken(OfferedWords()[word - 1]);
  WaitQuiet();
  TypeSuggestion(word);
  return false;
}

// The foreground window's layout: the key that types the character and the modifiers it needs.
int16_t LayoutKeyFor(char c) {
  const HKL layout = GetKeyboardLayout(GetWindowThreadProcessId(GetForegroundWindow(), nullptr));
  return VkKeyScanExW(Cp1252ToUnicode(static_cast<uint8_t>(c)), layout);
}

void AppendLatchedCharacter(char c) {
  const LatchedKey key = LatchedKeyFor(static_cast<uint8_t>(c), LayoutKeyFor(c), ShiftLatch);
  if (key.send) PlayVirtKey(key.virtualKey, CtrlLatch, key.shift, AltLatch, 100);
}

struct NamedKey { const char* token; int virtualKey; };
constexpr NamedKey NamedKeys[] = {
    {"ENT", 13}, {"TAB", 9},   {"ESC", 27},  {"INS", 45},  {"DEL", 46},  {"SPC", 32},
    {"BSP", 8},  {"ESQ", 37},  {"DIR", 39},  {"CIM", 38},  {"BAI", 40},  {"PGU", 33},
    {"PGD", 34}, {"HOM", 36},  {"END", 35},  {"F1", 112},  {"F2", 113},  {"F3", 114},
    {"F4", 115}, {"F5", 116},  {"F6", 117},  {"F7", 118},  {"F8", 119},  {"F9", 120},
    {"F10", 121}, {"F11", 122}, {"F12", 123},
};

// A shortcut is no part of a word; punctuation straight after a chosen word goes in place of
// the space the choice added.
void TypeCharacter(char c) {
  const auto character = static_cast<unsigned char>(c);
  PlayInit(30);
  if (AltLatch || CtrlLatch) {
    AppendLatchedCharacter(c);
    BreakTypedWord();
  } else {
    if (ReplacesSuggestedSpace(character)) PlayVirtKey(VK_BACK, false, false, false, 100);
    PlayKey(character, 100);
    NoteTypedCharacter(character);
  }
  CtrlLatch = AltLatch = ShiftLatch = false;
  StartWhenCtrlUp();
  RepeatArmed = false;
}

// Latches, layout changes, "Sel" and "Rpt"; false when the token is none of them.
bool ActOnControlToken(const std::string& key) {
  if (key == "CTL") CtrlLatch = !CtrlLatch;
  else if (key == "ALT") AltLatch = !AltLatch;
  else if (key == "SFT") ShiftLatch = !ShiftLatch;
  else if (key == "SEL") { KeyboardLayout = 0; CurrentMenu = 7; }
  else if (key == "RPT") RepeatArmed = true;
  else if (const int layout = LayoutAfterKey(key, KeyboardLayout, LettersLayout)) KeyboardLayout = layout;
  else return false;
  return true;
}

}  // namespace

void RepeatVirtKey(int key) {
  do {
    PlayInit(30);
    PlayVirtKey(key, CtrlLatch, ShiftLatch, AltLatch, 100);
    StartWhenCtrlUp();
    if (!RepeatArmed) return;
    // At least one tick, so a repeat can always be stopped by the switch.
    if (!QuietThrough(DwellTicks() * 100)) RepeatArmed = false;
  } while (RepeatArmed);
}

void EmitKeyToken(std::string token) {
  if (token.empty()) token.assign(1, ' ');
  if (token.size() == 1) { TypeCharacter(token[0]); return; }
  const std::string key = UpperAccented(token);
  for (const NamedKey& named : NamedKeys) {
    if (key == named.token) {
      if (CtrlLatch || AltLatch || RepeatArmed) BreakTypedWord();  // a shortcut, or keys repeated
      else NoteNamedKey(key);
      RepeatVirtKey(named.virtualKey);
      return;
    }
  }
  ActOnControlToken(key);
}

void ScanKeyboard() {
  ShiftLatch = CtrlLatch = AltLatch = false;
  WaitQuiet();
  BreakTypedWord();  // the person may have clicked or changed windows meanwhile
  SuggestionColumns = 0;
  ShowWholeLayout();
  std::string token;
  for (;;) {
    AdaptDelayBetweenScans();
    const ScanItems items{!OfferedWords().empty()};
    const int item = ChooseItem(items);
    WaitQuiet();
    const int row = items.RowOf(item);
    if (row == 0 ? SuggestionPass() : KeyPass(row, token)) WaitQuiet();
    if (row != 0 && UpperAccented(token) == "SEL") break;
    ShowItem(items, item, false);
    ShowSuggestionRow(false, 0);
  }
  KeyboardLayout = 0;
  CurrentMenu = 7;
}
