// The on-screen keyboard: rows lit in turn, then the keys of the chosen row, and what a
// chosen key does. Row texts and row drawing live with the option labels.
#include "keyboard/uteclado.h"

#include "console/ObCrt.h"
#include "console/logic/code_page.h"
#include "injection/obkbm32.h"
#include "injection/obmacro.h"
#include "keyboard/logic/latched_keys.h"
#include "scanning/core/uavisos.h"
#include "scanning/core/uopcoes.h"
#include "scanning/core/uvars.h"
#include "scanning/core/uwindow.h"
#include "seam/seam.h"
#include "switch/logic/lit_items.h"
#include "switch/uctlsom.h"


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
  std::string unused;
  for (int row = 1; row <= DrawnRows; ++row) ShowKeyboardRow(row, false, 0, unused);
}

// Lights each key of the row in turn; on a hit shows the token, lets the hit die away and
// acts on it: a Ctrl still held would reach the target with the key, and the tail of a
// sound would stop a repeat at once. True when the switch may still be active afterwards:
// no key was chosen, or a repeat was ended by a hit.
bool KeyPass(int row, std::string& token) {
  const int layout = KeyboardLayout;
  bool waitDue = true;
  LitItems lit;
  for (int key = 1; key <= KeysPerRow(KeyboardLayout); ++key) {
    lit.Light(key, SeamMarkNow());  // before it shows, as the options are
    ShowKeyboardRow(row, true, key, token);
    if (Dwell(key)) {
      const int chosen = lit.LitAt(PressBeganMs);
      if (chosen != key) ShowKeyboardRow(row, true, chosen, token);
      ShowKeyToken(token);
      WaitQuiet();
      waitDue = RepeatArmed;
      EmitKeyToken(token);
      break;
    }
  }
  if (KeyboardLayout != layout && KeyboardLayout != 0) ShowWholeLayout();
  return waitDue;
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

void TypeCharacter(char c) {
  PlayInit(30);
  if (AltLatch || CtrlLatch)
    AppendLatchedCharacter(c);
  else
    PlayKey(static_cast<unsigned char>(c), 100);
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
  else if (key == "ACT") KeyboardLayout = (KeyboardLayout == 1) ? 3 : 4;
  else if (key == "MAI") KeyboardLayout = 2;
  else if (key == "ALF") KeyboardLayout = 1;
  else if (key == "RPT") RepeatArmed = true;
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
  if (token.empty()) token = " ";
  if (token.size() == 1) { TypeCharacter(token[0]); return; }
  const std::string key = UpperAccented(token);
  for (const NamedKey& named : NamedKeys) {
    if (key == named.token) {
      RepeatVirtKey(named.virtualKey);
      return;
    }
  }
  ActOnControlToken(key);
}

void ScanKeyboard() {
  ShiftLatch = CtrlLatch = AltLatch = false;
  WaitQuiet();
  ShowWholeLayout();
  std::string token;
  int previous = KeyboardRows[KeyboardLayout];
  int current = 1;
  LitItems lit;
  for (;;) {
    std::string unused;
    lit.Light(current, SeamMarkNow());
    ShowKeyboardRow(previous, false, 0, unused);
    previous = current;
    ShowKeyboardRow(current, true, 0, unused);
    const bool hit = Dwell(current);
    current = (current >= KeyboardRows[KeyboardLayout]) ? 1 : current + 1;
    if (!hit) continue;
    const int chosen = lit.LitAt(PressBeganMs);
    if (chosen != previous) {
      ShowKeyboardRow(previous, false, 0, unused);
      ShowKeyboardRow(chosen, true, 0, unused);
    }
    lit = LitItems{};
    WaitQuiet();
    previous = chosen;
    if (KeyPass(chosen, token)) WaitQuiet();
    if (UpperAccented(token) == "SEL") break;
    current = 1;
  }
  KeyboardLayout = 0;
  CurrentMenu = 7;
}
