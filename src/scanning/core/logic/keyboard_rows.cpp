// The seven on-screen keyboard layouts as row texts of 4-character key cells (code page 1252).
#include "scanning/core/uopcoes.h"
#include "scanning/core/uvars.h"

namespace {

constexpr int MaxRows = 8;

// Row 8 of the letter layouts: Bsp _ ? ! " and, in a short last cell, the apostrophe.
constexpr const char* LetterRow8 = "Bsp  _   ?   !   \"   '";
// The dead-key accents: acute (180), tilde, circumflex, grave, diaeresis (168).
constexpr const char* AccentRow7 = " \xB4   ~   ^   `   \xA8 ";

constexpr const char* Rows[LayoutCount + 1][MaxRows] = {
    {},
    {"Sel Mai Tab Del Alt Ctl", " a   e   i   o   u  Act", "Spc  b   c   d   f   g ",
     " h   j   k   l   m   n ", " p   q   r   s   t   v ", " w   x   y   z   -   @ ",
     "Ent  .   ,   :   /   \\ ", LetterRow8},
    {"Sel Mai Tab Del Alt Ctl", " A   E   I   O   U  Act", "Spc  B   C   D   F   G ",
     " H   J   K   L   M   N ", " P   Q   R   S   T   V ", " W   X   Y   Z   @   - ",
     "Ent  .   ,   :   /   \\ ", LetterRow8},
    {"Sel Alf  \xE7   \xF1     ", " \xE1   \xE3   \xE2   \xE0   \xE4 ", " \xE9       \xEA   \xE8   \xEB ",
     " \xED       \xEE   \xEC   \xEF ", " \xF3   \xF5   \xF4   \xF2   \xF6 ", " \xFA       \xFB   \xF9   \xFC ", AccentRow7},
    {"Sel Alf  \xC7   \xD1     ", " \xC1   \xC3   \xC2   \xC0   \xC4 ", " \xC9       \xCA   \xC8   \xCB ",
     " \xCD       \xCE   \xCC   \xCF ", " \xD3   \xD5   \xD4   \xD2   \xD6 ", " \xDA       \xDB   \xD9   \xDC ", AccentRow7},
    {"Sel Alf Tab Alt Ctl", " 1   2   3   +   - ", " 4   5   6   /   = ",
     " 7   8   9   |   % ", " *   0   #   (   ) ", " ,   .   _   <   > ",
     "Ent  $   &   {   } ", "Bsp  \xAA   \xBA   \xA7   & "},
    {"Sel Alf Tab Alt Ctl", "Esc Sft Ins Del Spc", "Esq Dir Cim Bai    ",
     "PgU PgD Hom End    ", "Rpt F1  F2  F3  F4 ", "Ent F5  F6  F7  F8 ",
     "Bsp F9  F10 F11 F12"},
    // The space and the letters by how often Portuguese uses them, each on the diagonal of
    // its cost (row + key), with the accents Portuguese needs among them; "Sft" makes one
    // capital, "Num" and "Fun" lead to the digits and the function keys.
    {"Spc  a   o   i   u   v ", " e   s   n   t   g   f ", " r   d   c   h   .   z ",
     " m   l   q   ,   j  Bsp", " p  Sft  \xE3   \xE1  Ent  \xF5 ", " b   \xE7   \xED   x   \xFA   k ",
     " \xE9   \xF3   \xE2   ?   w  Num", " \xEA   \xF4   \xE0   y  Fun Sel"},
};

}  // namespace

std::string KeyboardRowText(int layout, int row) {
  if (layout < 1 || layout > LayoutCount || row < 1 || row > MaxRows) return {};
  const char* text = Rows[layout][row - 1];
  return text ? text : std::string();
}

int KeysPerRow(int layout) {
  if (layout < 1 || layout > LayoutCount) return 0;
  return KeyboardWidth[layout] / 4 + 1;
}

std::string KeyToken(const std::string& rowText, int key) {
  const size_t start = (static_cast<size_t>(key) - 1) * KeyCellWidth;
  if (key < 1 || start >= rowText.size()) return {};
  const std::string cell = rowText.substr(start, KeyCellWidth);
  const size_t first = cell.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return cell.substr(first, cell.find_last_not_of(' ') - first + 1);
}
