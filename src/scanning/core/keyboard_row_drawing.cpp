// Drawing one keyboard row: the lit row on red, the keys already passed red, the lit key
// green, the keys still to come black. Fixed colours have one highlight only: it marks the
// lit row while rows are scanned and the lit key alone while keys are.
#include "console/ObCrt.h"
#include "scanning/core/uopcoes.h"
#include "scanning/core/uvars.h"

#include <iostream>

namespace {

std::string AsciiUpper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = char(c - 32);
  return text;
}

std::string Part(const std::string& text, size_t from, size_t length) {
  return from < text.size() ? text.substr(from, length) : std::string();
}

}  // namespace

void ShowCellRow(int line, const std::string& text, size_t cellStart, size_t cellLength,
                 bool highlighted, bool keyLit) {
  GoToCell(1, line);
  SetLitBackground(highlighted ? 4 : 0, highlighted && !keyLit);
  if (!keyLit) {
    std::cout << text;
    return;
  }
  std::cout << Part(text, 0, cellStart);
  SetLitBackground(2, true);
  std::cout << Part(text, cellStart, cellLength);
  SetLitBackground(highlighted ? 0 : 4, false);
  std::cout << Part(text, cellStart + cellLength, std::string::npos);
}

// The frequency layout's capitals include the accented ones: it has no layout of capitals.
void ShowKeyboardRow(int row, bool highlighted, int key, std::string& token) {
  std::string text = KeyboardRowText(KeyboardLayout, row);
  if (ShiftLatch) text = KeyboardLayout == FrequencyLayout ? UpperAccented(text) : AsciiUpper(text);
  const size_t cellStart = key > 0 ? KeyCellWidth * (size_t(key) - 1) : 0;
  if (key > 0) token = KeyToken(text, key);
  ShowCellRow(row + KeyboardTopLines, text, cellStart, KeyCellWidth, highlighted, key > 0);
}
