#include "switch/utempos.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "console/ObCrt.h"
#include "scanning/core/uvars.h"
#include "switch/uctlsom.h"

bool AdaptDelay = false;

namespace {

constexpr int kChoicesPerSave = 10;

std::vector<ChoiceRecord> Records;
DelayBounds Bounds;
int UnsavedChoices = 0;

// Written whole, so a crash leaves the file as it was at the last save. Not at every
// choice: flushing to the disk can take long on a busy one, and the scan would wait.
void SaveRecords() {
  if (Records.size() > KeptRecords) Records.erase(Records.begin(), Records.end() - KeptRecords);
  if (WriteWholeFile(ChoiceRecordsPath(), TextOfRecords(Records))) UnsavedChoices = 0;
}

void SaveUnsavedRecords() {
  if (UnsavedChoices > 0) SaveRecords();
}

int SettingMs(const char* key, int fallback) {
  const int value = std::atoi(ReadSetting("VARREDURA", key, "").c_str());
  return value >= 100 && value <= 10000 ? value : fallback;
}

}  // namespace

void ReadTimingSettings() {
  AdaptDelay = ReadSetting("VARREDURA", "AJUSTEAUTOMATICO", "0") == "1";
  Bounds = {SettingMs("DELAYMINIMO", 500), SettingMs("DELAYMAXIMO", 3000)};
  Records = ReadChoiceRecords();
  SaveAtEnd(SaveUnsavedRecords);
  // Adapting, the panel goes on at the pace it had reached, not the shortcut's.
  if (AdaptDelay && !Records.empty())
    DwellMs = std::clamp(Records.back().delayMs, Bounds.minimum, std::max(Bounds.minimum, Bounds.maximum));
}

void NoteChoice(ChoiceKind kind, int64_t litSinceMs, bool first) {
  ChoiceRecord record;
  record.when = static_cast<int64_t>(std::time(nullptr));
  record.kind = kind;
  record.reactionMs = static_cast<int>(std::clamp<int64_t>(PressBeganMs - litSinceMs, 0, 600000));
  record.delayMs = DwellMs;
  record.firstOfPass = first;
  record.by = PressedByLast();
  Records.push_back(record);
  if (++UnsavedChoices >= kChoicesPerSave) SaveRecords();
}

void NoteUndone() { MarkUndone(Records); }

void NoteMissedKey() { MarkMissed(Records); }

void AdaptDelayBetweenScans() {
  if (!AdaptDelay || Records.empty() || Records.back().adjustment) return;
  const int adapted = AdaptedDelay(Records, DwellMs, Bounds);
  if (adapted == DwellMs) return;
  DwellMs = adapted;
  ChoiceRecord change;
  change.when = static_cast<int64_t>(std::time(nullptr));
  change.adjustment = true;
  change.delayMs = adapted;
  Records.push_back(change);
  SaveRecords();
}
