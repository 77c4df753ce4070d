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

std::string Trimmed(const std::string& cell) {
  const auto first = cell.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return cell.substr(first, cell.find_last_not_of(' ') - first + 1);
}

std::string Part(const std::string& text, size_t from, size_t length) {
  return from < text.size() ? text.substr(from, length) : std::string();
}

}  // namespace

void ShowKeyboardRow(int row, bool highlighted, int key, std::string& token) {
  std::string text = KeyboardRowText(KeyboardLayout, row);
  GoToCell(1, row);
  SetLitBackground(highlighted ? 4 : 0, highlighted && key == 0);
  if (ShiftLatch) text = AsciiUpper(text);
  if (key == 0) {
    std::cout << text;
    return;
  }
  const size_t cellStart = 4 * size_t(key) - 4;
  const std::string cell = Part(text, cellStart, 4);
  std::cout << Part(text, 0, cellStart);
  SetLitBackground(2, true);
  std::cout << cell;
  token = Trimmed(cell);
  SetLitBackground(highlighted ? 0 : 4, false);
  std::cout << Part(text, cellStart + 4, std::string::npos);
}
