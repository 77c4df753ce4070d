#include "switch/logic/switch_choice.h"

#include <cctype>

namespace {

constexpr int kUnknown = -1;

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Trimmed and upper case (\xE7 is the c with cedilla).
std::string NameOf(const std::string& text) {
  std::string name = Trimmed(text);
  for (char& c : name) c = c == '\xE7' ? '\xC7' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return name;
}

// A number from 1 to last written whole after prefix, or 0.
int Numbered(const std::string& name, const std::string& prefix, int last) {
  if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return 0;
  int value = 0;
  for (size_t at = prefix.size(); at < name.size(); ++at) {
    if (!std::isdigit(static_cast<unsigned char>(name[at])) || value > last) return 0;
    value = value * 10 + (name[at] - '0');
  }
  return value <= last ? value : 0;
}

int KeyNamed(const std::string& name) {
  if (name.empty() || name == "CTRL") return CtrlKey;
  if (name == "NENHUMA") return NoKey;
  if (name == "ESPACO" || name == "ESPA\xC7O") return 0x20;
  if (name == "ENTER") return 0x0D;
  if (const int f = Numbered(name, "F", 12)) return 0x6F + f;
  if (name.size() == 4 && name.compare(0, 3, "NUM") == 0 && std::isdigit(static_cast<unsigned char>(name[3])))
    return 0x60 + (name[3] - '0');
  if (name.size() == 1 && (std::isdigit(static_cast<unsigned char>(name[0])) || (name[0] >= 'A' && name[0] <= 'Z')))
    return name[0];
  return kUnknown;
}

bool MouseNamed(const std::string& name, MouseSwitch& button) {
  static const struct { const char* name; MouseSwitch button; } kButtons[] = {
      {"", MouseSwitch::None},       {"NENHUM", MouseSwitch::None}, {"ESQUERDO", MouseSwitch::Left},
      {"DIREITO", MouseSwitch::Right}, {"MEIO", MouseSwitch::Middle}, {"X1", MouseSwitch::X1},
      {"X2", MouseSwitch::X2}};
  for (const auto& known : kButtons)
    if (name == known.name) {
      button = known.button;
      return true;
    }
  return false;
}

bool PadNamed(const std::string& name, int& button) {
  if (name.empty() || name == "NENHUM") button = NoPadButton;
  else if (name == "QUALQUER") button = AnyPadButton;
  else if (!(button = Numbered("#" + name, "#", 32))) return false;
  return true;
}

void NoteUnknown(SwitchChoice& choice, const std::string& value) {
  if (choice.unknown.empty()) choice.unknown = value;
}

}  // namespace

SwitchChoice SwitchChoiceFrom(const std::string& key, const std::string& mouse,
                              const std::string& pad, int threshold) {
  SwitchChoice choice;
  const int named = KeyNamed(NameOf(key));
  if (named == kUnknown) NoteUnknown(choice, Trimmed(key));
  else choice.inputs.key = named;
  if (!MouseNamed(NameOf(mouse), choice.inputs.mouse)) NoteUnknown(choice, Trimmed(mouse));
  if (!PadNamed(NameOf(pad), choice.inputs.padButton)) {
    choice.inputs.padButton = NoPadButton;
    NoteUnknown(choice, Trimmed(pad));
  }
  const bool soundCanFire = threshold < 128;
  if (choice.inputs == SwitchInputs{NoKey, MouseSwitch::None, NoPadButton} && !soundCanFire)
    choice.inputs.key = CtrlKey;
  return choice;
}
