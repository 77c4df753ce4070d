// The person's own timing, from the choices the panel records: each choice's reaction time
// (from the chosen item lighting to the press beginning), what came after it, and the Delay
// those times suggest. Plain data; the panel keeps the records in tempos.csv.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class ChoiceKind : char { Option = 'o', Row = 'l', Key = 't', Word = 'p' };
enum class AfterChoice : char { Kept = 'c', Undone = 'a', Missed = 'p' };
// The switch that made a press: Ctrl, the sound, another key, a mouse button, a controller.
enum class PressedBy : char { Ctrl = 'c', Sound = 's', Key = 't', Mouse = 'm', Pad = 'j' };

struct ChoiceRecord {
  int64_t when = 0;          // seconds since 1970, UTC
  bool adjustment = false;   // the panel changed its own Delay to delayMs; nothing else counts
  ChoiceKind kind = ChoiceKind::Option;
  int reactionMs = 0;
  int delayMs = 0;
  bool firstOfPass = false;
  PressedBy by = PressedBy::Ctrl;
  AfterChoice next = AfterChoice::Kept;  // Undone: "Bsp" next; Missed: a key pass ran out
  bool operator==(const ChoiceRecord&) const = default;
};

constexpr size_t KeptRecords = 2000;  // the file holds the last ones
constexpr int EarlyPressMs = 100;     // a press this soon was meant for the item before
constexpr size_t MinimumClean = 30;   // reaction times a suggestion needs

// What "Bsp" chosen as a key says: the key or word chosen before that "Bsp" was wrong.
void MarkUndone(std::vector<ChoiceRecord>& records);
// A key pass that ran out: the key wanted in the row chosen last was missed.
void MarkMissed(std::vector<ChoiceRecord>& records);

// The file: a header, then a record a line; lines that are not records are passed over.
std::vector<ChoiceRecord> RecordsFromText(std::string_view text);
std::string TextOfRecords(const std::vector<ChoiceRecord>& records);  // the last KeptRecords

struct TimingFigures {
  size_t choices = 0;          // the recent choices the figures are drawn from
  size_t clean = 0;            // reaction times among them: not first of a pass, not early
  int medianMs = 0, p95Ms = 0;
  double errorShare = 0;       // timing errors and misses among the recent choices
  double lastErrorShare = 0;   // the same over the last 20 choices
  int currentDelayMs = 0;      // the Delay of the last choice
  int suggestedMs = 0;         // 0 until there are MinimumClean reaction times
  size_t moreNeeded = 0;
};
// Over the last 100 choices. An undone choice is a timing error when its press came in the
// first half of the person's median reaction time: a late press meant for the item before,
// counted from that item; a word the person simply changed is not. The 95th percentile is
// the log-normal law's, fitted to the times. Suggested: the 95th percentile plus 100 ms,
// rounded up to 50, within 300 to 5000; no shorter than the current Delay while errors pass
// 5 %, and at least 10 % longer while they pass 10 % of the last 20 choices.
TimingFigures FiguresOf(const std::vector<ChoiceRecord>& records);

struct DelayBounds {
  int minimum = 500, maximum = 3000;
};
// The Delay the panel moves to by itself from current: 10 % longer once timing errors pass
// 10 % of the last 40 choices since its last change (20 choices at least), 5 % shorter after
// 30 clean choices since then with errors at 5 % or below, never below the suggestion and
// 50 ms; within bounds. current when it stays.
int AdaptedDelay(const std::vector<ChoiceRecord>& records, int current, DelayBounds bounds);
