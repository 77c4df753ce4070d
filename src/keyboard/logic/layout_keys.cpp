#include "keyboard/logic/layout_keys.h"

int LayoutAfterKey(const std::string& upperToken, int layout, int letters) {
  if (upperToken == "ACT") return layout == 1 ? 3 : 4;
  if (upperToken == "MAI") return 2;
  if (upperToken == "ALF") return letters;
  if (upperToken == "NUM") return 5;
  if (upperToken == "FUN") return 6;
  return 0;
}
