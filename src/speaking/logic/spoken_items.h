// What the panel says as each item lights, as code page 1252 text: a key by its name, a
// keyboard row by its first three keys, a row or cell of the pointing grid by its place, and
// the file that holds a recorded prompt of a text. Knows nothing of sound, files or windows.
#pragma once
#include <string>
#include <vector>

// A letter or digit is said as itself, each of the keyboard's own keys and signs by its
// Portuguese name ("Spc" is "espa\xE7o", in any case); "" for a blank key.
std::string KeyNameSaid(const std::string& token);
// The names of the first three keys of a row of 4-character key cells, ", " between them.
std::string RowSaid(const std::string& rowText);
std::string WordsSaid(const std::vector<std::string>& words);  // the first three, ", " between
// A row (1..3 from the top) or a cell (1..3 from the left) of the pointing grid.
std::string GridPlaceSaid(bool cell, int item);
std::string MonitorSaid(int monitor);                           // "tela 2"
// The file name of a text's prompt: the text and ".wav", with every character a file name
// cannot hold as '_'.
std::string PromptFileName(const std::string& said);
// Every text the panel says that a caregiver may record, once each, in the order a person
// meets them: the menus' options, the keyboards' rows and keys, the grid's places, the
// start-up questions.
std::vector<std::string> RecordableTexts();
