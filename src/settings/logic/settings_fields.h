// Every setting the programs read, as the settings window shows it: on which tab, under which
// words, what may be typed, what is written and the default. A value typed wrong is refused
// in words. Knows nothing of windows.
#pragma once
#include <string>
#include <vector>

enum class FieldKind { Number, YesNo, Choice, Text };

struct SettingField {
  const char* tab;
  const char* section;
  const char* key;
  const char* label;     // what a caregiver reads beside it, and a screen reader says
  FieldKind kind;
  int lowest, highest;   // of a number
  const char* fallback;  // the default, as the file holds it
  const char* values;    // a choice's values, '|' between; a yes-or-no's "yes|no"
};

extern const char* const SettingTabs[];  // in the order they show
extern const int SettingTabCount;
const std::vector<SettingField>& SettingFields();
const SettingField* FindField(const char* section, const char* key);

std::vector<std::string> FieldChoices(const SettingField& field);  // a choice's or yes-or-no's values
std::string FieldHint(const SettingField& field);  // "de 100 a 10000; padr\xE3o 1500"
// Why a typed value cannot be written, in words; "" when it can. A number is decimal digits
// with an optional minus sign, within its range.
std::string FieldProblem(const SettingField& field, const std::string& typed);
// The Volume and Delay a panel shortcut starts the panel with: its first two numbers; false
// when it has not two.
bool PanelValuesIn(const std::string& arguments, std::string& volume, std::string& delay);
// A panel shortcut's arguments with the Volume and Delay given: its first two numbers
// replaced, or put first when it has none, and whatever follows them kept.
std::string PanelArguments(const std::string& given, const std::string& volume, const std::string& delay);
