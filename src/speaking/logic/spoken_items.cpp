#include "speaking/logic/spoken_items.h"

#include <algorithm>
#include <cstring>

#include "scanning/core/uopcoes.h"
#include "scanning/core/uvars.h"

namespace {

struct Name {
  const char* token;  // upper case, as the keyboard compares tokens
  const char* said;
};

constexpr Name KeyNames[] = {
    {"SEL", "troca teclado"}, {"MAI", "mai\xFAsculas"}, {"TAB", "tab"}, {"DEL", "delete"},
    {"ALT", "alt"}, {"CTL", "control"}, {"ACT", "acentos"}, {"SPC", "espa\xE7o"},
    {"ENT", "enter"}, {"BSP", "apaga"}, {"ALF", "letras"}, {"ESC", "esc"}, {"SFT", "shift"},
    {"INS", "insert"}, {"ESQ", "seta esquerda"}, {"DIR", "seta direita"}, {"CIM", "seta acima"},
    {"BAI", "seta abaixo"}, {"PGU", "p\xE1gina acima"}, {"PGD", "p\xE1gina abaixo"},
    {"HOM", "in\xED" "cio"}, {"END", "fim"}, {"RPT", "repete"}, {"NUM", "n\xFAmeros"},
    {"FUN", "fun\xE7\xF5" "es"}};

constexpr Name SignNames[] = {
    {"-", "h\xED" "fen"}, {"@", "arroba"}, {".", "ponto"}, {",", "v\xEDrgula"},
    {":", "dois pontos"}, {"/", "barra"}, {"\\", "barra invertida"}, {"_", "sublinhado"},
    {"?", "interroga\xE7\xE3o"}, {"!", "exclama\xE7\xE3o"}, {"\"", "aspas"}, {"'", "ap\xF3strofo"},
    {"\xB4", "acento agudo"}, {"~", "til"}, {"^", "circunflexo"}, {"`", "crase"},
    {"\xA8", "trema"}, {"+", "mais"}, {"=", "igual"}, {"|", "barra vertical"},
    {"%", "por cento"}, {"*", "asterisco"}, {"#", "cerquilha"}, {"(", "abre par\xEAnteses"},
    {")", "fecha par\xEAnteses"}, {"<", "menor que"}, {">", "maior que"}, {"$", "cifr\xE3o"},
    {"&", "e comercial"}, {"{", "abre chaves"}, {"}", "fecha chaves"},
    {"\xAA", "ordinal feminino"}, {"\xBA", "ordinal masculino"}, {"\xA7", "par\xE1grafo"}};

// The keys of a row of key cells, in order, blank ones as "".
std::vector<std::string> KeysOf(const std::string& rowText) {
  std::vector<std::string> keys;
  for (int key = 1; (static_cast<size_t>(key) - 1) * KeyCellWidth < rowText.size(); ++key)
    keys.push_back(KeyToken(rowText, key));
  return keys;
}

template <size_t N>
const char* Find(const Name (&names)[N], const std::string& token) {
  for (const Name& name : names)
    if (token == name.token) return name.said;
  return nullptr;
}

std::string FirstThree(const std::vector<std::string>& parts) {
  std::string said;
  int taken = 0;
  for (const std::string& part : parts) {
    if (part.empty() || taken == 3) continue;
    said += (taken++ ? ", " : "") + part;
  }
  return said;
}

bool ReservedDeviceName(const std::string& name) {
  static const char* const Reserved[] = {"CON", "PRN", "AUX", "NUL"};
  const std::string upper = UpperAccented(name);
  for (const char* reserved : Reserved)
    if (upper == reserved) return true;
  return upper.size() == 4 && (upper.rfind("COM", 0) == 0 || upper.rfind("LPT", 0) == 0) &&
         upper[3] >= '1' && upper[3] <= '9';
}

// File names ignore case: "a" and "A" are one prompt.
std::string Lowered(std::string text) {
  for (char& c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7)) c = static_cast<char>(u + 32);
  }
  return text;
}

void AddOnce(std::vector<std::string>& texts, const std::string& text) {
  const auto same = [&](const std::string& t) { return Lowered(t) == Lowered(text); };
  if (!text.empty() && std::none_of(texts.begin(), texts.end(), same)) texts.push_back(text);
}

}  // namespace

std::string KeyNameSaid(const std::string& token) {
  if (const char* said = Find(KeyNames, UpperAccented(token))) return said;
  if (const char* said = Find(SignNames, token)) return said;
  return token;
}

std::string RowSaid(const std::string& rowText) {
  std::vector<std::string> names;
  for (const std::string& key : KeysOf(rowText)) names.push_back(KeyNameSaid(key));
  return FirstThree(names);
}

std::string WordsSaid(const std::vector<std::string>& words) { return FirstThree(words); }

std::string GridPlaceSaid(bool cell, int item) {
  static const char* const Rows[] = {"em cima", "no meio", "embaixo"};
  static const char* const Cells[] = {"\xE0 esquerda", "no centro", "\xE0 direita"};
  if (item < 1 || item > 3) return {};
  return cell ? Cells[item - 1] : Rows[item - 1];
}

std::string MonitorSaid(int monitor) { return "tela " + std::to_string(monitor); }

std::string PromptFileName(const std::string& said) {
  std::string name = said;
  for (char& c : name)
    if (static_cast<unsigned char>(c) < 32 || std::strchr("<>:\"/\\|?*", c)) c = '_';
  if (ReservedDeviceName(name)) name = "_" + name;
  return name + ".wav";
}

std::vector<std::string> RecordableTexts() {
  std::vector<std::string> texts;
  for (int menu = 1; menu <= AllMenuCount; ++menu)
    for (int option = 1; OptionLabel(menu, option); ++option) AddOnce(texts, OptionLabel(menu, option));
  for (int layout = 1; layout <= LayoutCount; ++layout)
    for (int row = 1; !KeyboardRowText(layout, row).empty(); ++row) {
      const std::string text = KeyboardRowText(layout, row);
      AddOnce(texts, RowSaid(text));
      for (const std::string& key : KeysOf(text)) AddOnce(texts, KeyNameSaid(key));
    }
  for (bool cell : {false, true})
    for (int item = 1; item <= 3; ++item) AddOnce(texts, GridPlaceSaid(cell, item));
  AddOnce(texts, VolumeQuestion);
  AddOnce(texts, DelayQuestion);
  return texts;
}
