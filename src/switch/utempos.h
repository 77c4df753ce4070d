// The person's reaction times as the panel meets them: every choice noted with its item's
// lighting and its press, what came after it, and the panel's own changes of its Delay, kept
// in tempos.csv in the user's folder Acenora. Nothing of what was typed is kept.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "switch/logic/reaction_times.h"

extern bool AdaptDelay;   // [VARREDURA] AJUSTEAUTOMATICO=1: the panel moves its own Delay

void ReadTimingSettings();  // AJUSTEAUTOMATICO, DELAYMINIMO, DELAYMAXIMO, and the file
std::wstring ChoiceRecordsPath();               // tempos.csv in the user's folder
std::vector<ChoiceRecord> ReadChoiceRecords();  // what it holds now
// The switch chose an item lit since litSinceMs; first: the first item of a pass.
void NoteChoice(ChoiceKind kind, int64_t litSinceMs, bool first);
void NoteUndone();          // "Bsp" chosen as a key: the key or word before it was wrong
void NoteMissedKey();       // a key pass ran out: the key wanted was missed
void AdaptDelayBetweenScans();  // with AdaptDelay, DwellMs moved toward the person's pace
