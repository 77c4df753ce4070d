// The keyboard's word suggestions: the word being typed, the words offered for it on the line
// above the keyboard's rows, typing the one chosen, and the person's own words learned.
#pragma once
#include <string>
#include <vector>

extern int SuggestionCount;   // [TECLADO] SUGESTOES, 0 to 7; 0: no suggestion line
extern bool LearnOwnWords;    // [TECLADO] APRENDER, on unless 0

// [TECLADO] SUGESTOES, APRENDER and DISPOSICAO; the word lists when suggestions are on.
void ReadKeyboardSettings();

// What the keyboard typed or did, for the word being typed.
void NoteTypedCharacter(unsigned char c);  // a character typed as text
void NoteNamedKey(const std::string& upperToken);  // "BSP" takes back a letter, "SPC" ends the word
void BreakTypedWord();                     // a shortcut, a mouse action, another window
// True when c is punctuation typed straight after a chosen word: the space the choice added
// goes first.
bool ReplacesSuggestedSpace(unsigned char c);

const std::vector<std::string>& OfferedWords();  // for the word being typed; fits the panel
void ShowSuggestionRow(bool highlighted, int word);  // the words offered now; word 0: none lit
void TypeSuggestion(int word);                       // 1..offered: its rest and a space
