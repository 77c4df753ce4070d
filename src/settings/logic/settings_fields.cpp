#include "settings/logic/settings_fields.h"

#include <algorithm>
#include <cstring>
#include <sstream>

namespace {

using K = FieldKind;
constexpr const char* YesNo10 = "1|0";
constexpr const char* YesNoSN = "S|N";

std::vector<SettingField> MakeFields() {
  return {
      {"Acionador", "ACIONADOR", "VOLUME", "Volume (mais baixo: mais sens\xEDvel)", K::Number, 0, 250, "60", ""},
      {"Acionador", "ACIONADOR", "TECLA", "Tecla que aciona", K::Choice, 0, 0, "CTRL",
       "CTRL|ESPACO|ENTER|F1|F2|F3|F4|F5|F6|F7|F8|F9|F10|F11|F12|NENHUMA"},
      {"Acionador", "ACIONADOR", "MOUSE", "Bot\xE3o do mouse que aciona", K::Choice, 0, 0, "NENHUM",
       "NENHUM|ESQUERDO|DIREITO|MEIO|X1|X2"},
      {"Acionador", "ACIONADOR", "CONTROLE", "Bot\xE3o de controle de jogo que aciona", K::Choice, 0, 0, "NENHUM",
       "NENHUM|QUALQUER|1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16"},
      {"Tempo", "VARREDURA", "DELAY", "Delay: quanto cada op\xE7\xE3o fica acesa (ms)", K::Number, 100, 10000, "1500", ""},
      {"Tempo", "VARREDURA", "AJUSTEAUTOMATICO", "Ajustar o Delay sozinho ao tempo de rea\xE7\xE3o", K::YesNo, 0, 0, "0", YesNo10},
      {"Tempo", "VARREDURA", "DELAYMINIMO", "Delay mais curto do ajuste (ms)", K::Number, 100, 10000, "500", ""},
      {"Tempo", "VARREDURA", "DELAYMAXIMO", "Delay mais longo do ajuste (ms)", K::Number, 100, 10000, "3000", ""},
      {"Tempo", "VARREDURA", "TEMPOACIONAMENTO", "Um toque s\xF3 conta depois de durar (ms)", K::Number, 0, 10000, "0", ""},
      {"Tempo", "VARREDURA", "IGNORAREPETICAO", "Ignorar toques logo depois de uma escolha (ms)", K::Number, 0, 10000, "0", ""},
      {"Tempo", "VARREDURA", "PAUSAPRIMEIRO", "A primeira op\xE7\xE3o fica acesa a mais (ms)", K::Number, 0, 10000, "0", ""},
      {"Teclado", "TECLADO", "SUGESTOES", "Palavras sugeridas (0 desliga)", K::Number, 0, 7, "0", ""},
      {"Teclado", "TECLADO", "APRENDER", "Aprender as palavras que a pessoa digita", K::YesNo, 0, 0, "1", YesNo10},
      {"Teclado", "TECLADO", "DISPOSICAO", "Disposi\xE7\xE3o das letras", K::Choice, 0, 0, "ORIGINAL", "ORIGINAL|FREQUENCIA"},
      {"Mouse", "MOUSE", "APONTAR", "\"Aponta\" abre a grade de apontar", K::YesNo, 0, 0, "0", YesNo10},
      {"Mouse", "MOUSE", "PRECISAO", "Tamanho final da casa da grade (pontos)", K::Number, 1, 200, "24", ""},
      {"Fala", "VARREDURA", "FALAR", "Falar cada op\xE7\xE3o ao acender", K::YesNo, 0, 0, "0", YesNo10},
      {"Fala", "VARREDURA", "PAUSAFALA", "A op\xE7\xE3o fica acesa depois da fala (ms)", K::Number, 0, 10000, "500", ""},
      {"Fala", "FALA", "VOZ", "Voz (parte do nome; vazio: portugu\xEAs do Brasil)", K::Text, 0, 0, "", ""},
      {"Fala", "FALA", "VELOCIDADE", "Velocidade da voz", K::Number, -10, 10, "0", ""},
      {"Apar\xEAncia", "VIDEO", "CORESFIXAS", "Usar as cores abaixo o tempo todo", K::YesNo, 0, 0, "N", YesNoSN},
      {"Apar\xEAncia", "VIDEO", "CORLETRA", "Cor das letras (0 a 15)", K::Number, 0, 15, "7", ""},
      {"Apar\xEAncia", "VIDEO", "CORFUNDO", "Cor do fundo (0 a 15)", K::Number, 0, 15, "0", ""},
      {"Apar\xEAncia", "VIDEO", "FONTE", "Letra (vazio: a do sistema)", K::Text, 0, 0, "", ""},
      {"Apar\xEAncia", "VIDEO", "LARGURALETRA", "Largura da letra (pontos)", K::Number, 0, 200, "12", ""},
      {"Apar\xEAncia", "VIDEO", "ALTURALETRA", "Altura da letra (pontos)", K::Number, 1, 200, "18", ""},
      {"Apar\xEAncia", "VIDEO", "PESOLETRA", "Espessura (400 normal, 700 negrito)", K::Number, 0, 1000, "700", ""},
      {"Apar\xEAncia", "VIDEO", "CANTOTELA", "Abrir no tamanho normal, no canto", K::YesNo, 0, 0, "S", YesNoSN},
      {"Apar\xEAncia", "VIDEO", "LENTO", "Rolagem para computador muito lento", K::YesNo, 0, 0, "N", YesNoSN},
      {"Apar\xEAncia", "BRAILLE", "MODO", "Digita\xE7\xE3o Braille (0 desligada, 1, 2)", K::Number, 0, 2, "0", ""},
      {"Locutor", "LOCUTOR", "VOZ", "Voz do Locutor (vazio: portugu\xEAs do Brasil)", K::Text, 0, 0, "", ""},
      {"Locutor", "LOCUTOR", "VELOCIDADE", "Velocidade da voz", K::Number, -10, 10, "0", ""},
      {"Locutor", "LOCUTOR", "VOLUME", "Volume da voz", K::Number, 0, 100, "100", ""},
      {"Locutor", "LOCUTOR", "TAMANHOLETRA", "Tamanho da letra da linha (pontos)", K::Number, 8, 200, "32", ""},
  };
}

bool Decimal(const std::string& text) {
  const size_t digits = !text.empty() && text[0] == '-' ? 1 : 0;
  return text.size() > digits && text.size() <= digits + 6 &&
         text.find_first_not_of("0123456789", digits) == std::string::npos;
}

}  // namespace

const char* const SettingTabs[] = {"Acionador", "Tempo", "Teclado", "Mouse", "Fala", "Apar\xEAncia", "Locutor"};
const int SettingTabCount = 7;

const std::vector<SettingField>& SettingFields() {
  static const std::vector<SettingField> fields = MakeFields();
  return fields;
}

const SettingField* FindField(const char* section, const char* key) {
  for (const SettingField& field : SettingFields())
    if (std::strcmp(field.section, section) == 0 && std::strcmp(field.key, key) == 0) return &field;
  return nullptr;
}

std::vector<std::string> FieldChoices(const SettingField& field) {
  std::vector<std::string> choices;
  for (const char* at = field.values; *at;) {
    const char* bar = std::strchr(at, '|');
    choices.emplace_back(at, bar ? bar - at : std::strlen(at));
    at = bar ? bar + 1 : at + std::strlen(at);
  }
  return choices;
}

std::string FieldHint(const SettingField& field) {
  const std::string fallback = field.fallback[0] ? field.fallback : "vazio";
  if (field.kind == FieldKind::YesNo)
    return FieldChoices(field)[0] == field.fallback ? "padr\xE3o: marcado" : "padr\xE3o: desmarcado";
  if (field.kind != FieldKind::Number) return "padr\xE3o " + fallback;
  return "de " + std::to_string(field.lowest) + " a " + std::to_string(field.highest) + "; padr\xE3o " + fallback;
}

std::string FieldProblem(const SettingField& field, const std::string& typed) {
  if (field.kind == FieldKind::Text) {
    return typed.find_first_of("\r\n") == std::string::npos ? "" : "Uma linha s\xF3.";
  }
  if (field.kind != FieldKind::Number) {
    for (const std::string& choice : FieldChoices(field))
      if (choice == typed) return "";
    return "Escolha um dos valores da lista.";
  }
  const std::string range = "de " + std::to_string(field.lowest) + " a " + std::to_string(field.highest);
  if (!Decimal(typed)) return "Escreva um n\xFAmero inteiro, sem v\xEDrgula nem ponto, " + range + ".";
  const int value = std::stoi(typed);
  if (value < field.lowest || value > field.highest) return "Fora da faixa: " + range + ".";
  return "";
}

bool PanelValuesIn(const std::string& arguments, std::string& volume, std::string& delay) {
  std::istringstream words(arguments);
  std::string first, second;
  if (!(words >> first >> second) || !Decimal(first) || !Decimal(second)) return false;
  volume = first;
  delay = second;
  return true;
}

std::string PanelArguments(const std::string& given, const std::string& volume, const std::string& delay) {
  size_t at = 0;
  for (int numbers = 0; numbers < 2; ++numbers) {
    const size_t start = given.find_first_not_of(' ', at);
    if (start == std::string::npos) break;
    const size_t end = std::min(given.find(' ', start), given.size());
    if (!Decimal(given.substr(start, end - start))) break;
    at = end;
  }
  std::string arguments = volume + " " + delay;
  const size_t rest = given.find_first_not_of(' ', at);
  if (rest != std::string::npos) arguments.append(" ").append(given, rest, std::string::npos);
  return arguments;
}
