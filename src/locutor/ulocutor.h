// The Locutor: one large line to type into with the panel's keyboard, spoken aloud on "Ent",
// and below it the phrases already spoken, newest first, kept in the user's Acenora folder.
#pragma once
#include <string>
#include <vector>

std::wstring PhraseFilePath();                  // %APPDATA%\Acenora\frases.txt
// The kept phrases; the everyday ones when there is no file yet.
std::vector<std::string> LoadPhrases(const std::wstring& path);
// Whole or not at all: written beside, then put in the old one's place in one step.
bool SavePhrases(const std::wstring& path, const std::vector<std::string>& phrases);
int LocutorMain();                              // the window, until it is closed
