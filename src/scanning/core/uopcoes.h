// Option labels of the menus, the centred line writer, and the keyboard rows.
#pragma once
#include <cstddef>
#include <string>

const char* OptionLabel(int menu, int option);     // null when the menu has no such option
void WriteCentred(const std::string& text);        // centred line on the write row, then a line end
void ShowOptionLabel(int menu, int option, bool highlighted);
// The background for what follows; with fixed colours, their highlight when lit.
void SetLitBackground(unsigned char colour, bool lit);
std::string KeyboardRowText(int layout, int row);  // empty for a row the layout lacks
int KeysPerRow(int layout);                        // KeyboardWidth / 4 + 1
constexpr size_t KeyCellWidth = 4;
// The token of key 1.. of a row of key cells, without blanks; "" for a blank cell or past the row.
std::string KeyToken(const std::string& rowText, int key);
void ShowKeyboardRow(int row, bool highlighted, int key, std::string& token);
// A row of key cells on a text line: lit on red, or with one cell lit green, the cells
// before it red and those after it black.
void ShowCellRow(int line, const std::string& text, size_t cellStart, size_t cellLength,
                 bool highlighted, bool keyLit);
