// Where the keyboard's layout keys lead. Plain data: the tokens come upper-cased.
#pragma once
#include <string>

// The layout the key leads to from layout, 0 when it is no layout key. "Alf" leads back to
// the letters layout (letters: 1, or the one in frequency order).
int LayoutAfterKey(const std::string& upperToken, int layout, int letters);
