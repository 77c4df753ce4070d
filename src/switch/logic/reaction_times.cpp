#include "switch/logic/reaction_times.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

constexpr size_t kRecentChoices = 100;
constexpr size_t kLastChoices = 20;
constexpr const char* kHeader = "tipo,hora,escolha,reacao_ms,delay_ms,primeiro,acionador,depois";

struct Word { char code; const char* text; };
constexpr Word kKinds[] = {{'o', "opcao"}, {'l', "linha"}, {'t', "tecla"}, {'p', "palavra"}};
constexpr Word kAfter[] = {{'c', "certo"}, {'a', "apagada"}, {'p', "perdida"}};
constexpr Word kSwitches[] = {{'c', "ctrl"}, {'s', "som"}, {'t', "tecla"}, {'m', "mouse"}, {'j', "controle"}};

template <size_t N>
const char* TextOf(const Word (&words)[N], char code) {
  for (const Word& word : words)
    if (word.code == code) return word.text;
  return words[0].text;
}

template <size_t N>
bool CodeOf(const Word (&words)[N], std::string_view text, char& code) {
  for (const Word& word : words)
    if (text == word.text) return code = word.code, true;
  return false;
}

bool NumberIn(std::string_view text, int64_t low, int64_t high, int64_t& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && value >= low && value <= high;
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (size_t comma; (comma = line.find(',')) != std::string_view::npos; line.remove_prefix(comma + 1))
    fields.push_back(line.substr(0, comma));
  fields.push_back(line);
  return fields;
}

bool RecordOf(std::string_view line, ChoiceRecord& record) {
  const std::vector<std::string_view> f = Fields(line);
  int64_t when = 0, reaction = 0, delay = 0;
  if (f.size() != 8 || !NumberIn(f[1], 0, INT64_MAX / 2, when)) return false;
  record = {};
  record.when = when;
  if (f[0] == "ajuste") {
    record.adjustment = true;
    if (!NumberIn(f[4], 1, 100000, delay)) return false;
    record.delayMs = static_cast<int>(delay);
    return true;
  }
  char kind = 0, next = 0, by = 0;
  if (f[0] != "escolha" || !CodeOf(kKinds, f[2], kind) || !CodeOf(kAfter, f[7], next) ||
      !NumberIn(f[3], 0, 600000, reaction) || !NumberIn(f[4], 1, 100000, delay) ||
      (f[5] != "0" && f[5] != "1") || !CodeOf(kSwitches, f[6], by))
    return false;
  record.kind = static_cast<ChoiceKind>(kind);
  record.reactionMs = static_cast<int>(reaction);
  record.delayMs = static_cast<int>(delay);
  record.firstOfPass = f[5] == "1";
  record.by = static_cast<PressedBy>(by);
  record.next = static_cast<AfterChoice>(next);
  return true;
}

std::string LineOf(const ChoiceRecord& r) {
  const std::string when = std::to_string(r.when);
  if (r.adjustment) return "ajuste," + when + ",,," + std::to_string(r.delayMs) + ",,,";
  return "escolha," + when + "," + TextOf(kKinds, static_cast<char>(r.kind)) + "," +
         std::to_string(r.reactionMs) + "," + std::to_string(r.delayMs) + "," +
         (r.firstOfPass ? "1" : "0") + "," + TextOf(kSwitches, static_cast<char>(r.by)) + "," +
         TextOf(kAfter, static_cast<char>(r.next));
}

bool ChoiceOfKeys(const ChoiceRecord& r) {
  return !r.adjustment && (r.kind == ChoiceKind::Key || r.kind == ChoiceKind::Word);
}

std::vector<ChoiceRecord> LastChoices(const std::vector<ChoiceRecord>& records, size_t count) {
  std::vector<ChoiceRecord> last;
  for (auto r = records.rbegin(); r != records.rend() && last.size() < count; ++r)
    if (!r->adjustment) last.push_back(*r);
  std::reverse(last.begin(), last.end());
  return last;
}

// Nearest rank: the smallest time that share of the times does not exceed.
int Percentile(std::vector<int> times, double share) {
  if (times.empty()) return 0;
  std::sort(times.begin(), times.end());
  const size_t rank = static_cast<size_t>(std::ceil(share * static_cast<double>(times.size())));
  return times[std::clamp<size_t>(rank, 1, times.size()) - 1];
}

bool TimingError(const ChoiceRecord& r, int medianMs) {
  return r.next == AfterChoice::Missed ||
         (r.next == AfterChoice::Undone && r.reactionMs < std::max(EarlyPressMs, medianMs / 2));
}

bool Measured(const ChoiceRecord& r) { return !r.firstOfPass && r.reactionMs >= EarlyPressMs; }

// The reaction time a choice tells, 0 for none. A timing error was a press meant for the
// item before, so it is counted from there: left out, a Delay cut short would hide the
// person's slower times and the suggestion would follow it down.
int ReactionOf(const ChoiceRecord& r, int medianMs) {
  if (r.firstOfPass || r.next == AfterChoice::Missed) return 0;
  if (TimingError(r, medianMs)) return r.delayMs + r.reactionMs;
  return r.reactionMs >= EarlyPressMs ? r.reactionMs : 0;
}

double ErrorShare(const std::vector<ChoiceRecord>& choices, size_t from, int medianMs) {
  if (from >= choices.size()) return 0;
  const auto errors = std::count_if(choices.begin() + static_cast<std::ptrdiff_t>(from), choices.end(),
                                    [&](const ChoiceRecord& r) { return TimingError(r, medianMs); });
  return static_cast<double>(errors) / static_cast<double>(choices.size() - from);
}

// Reaction times follow a log-normal law closely: its 95th percentile, from the mean and
// spread of the times' logarithms, wavers far less over a few dozen times than the 95th
// of the times themselves.
int LogNormalPercentile95(const std::vector<int>& times) {
  double sum = 0, squares = 0;
  for (int t : times) sum += std::log(static_cast<double>(t));
  const double mean = sum / static_cast<double>(times.size());
  for (int t : times) squares += std::pow(std::log(static_cast<double>(t)) - mean, 2);
  const double spread = std::sqrt(squares / static_cast<double>(times.size() - 1));
  return static_cast<int>(std::lround(std::min(600000.0, std::exp(mean + 1.6449 * spread))));
}

int RoundUp(int value, int step) { return (value + step - 1) / step * step; }

}  // namespace

void MarkUndone(std::vector<ChoiceRecord>& records) {
  auto undo = std::find_if(records.rbegin(), records.rend(), ChoiceOfKeys);  // the "Bsp" itself
  if (undo == records.rend()) return;
  auto wrong = std::find_if(undo + 1, records.rend(), ChoiceOfKeys);
  if (wrong != records.rend() && wrong->next == AfterChoice::Kept) wrong->next = AfterChoice::Undone;
}

void MarkMissed(std::vector<ChoiceRecord>& records) {
  if (!records.empty() && !records.back().adjustment && records.back().kind == ChoiceKind::Row)
    records.back().next = AfterChoice::Missed;
}

std::vector<ChoiceRecord> RecordsFromText(std::string_view text) {
  std::vector<ChoiceRecord> records;
  while (!text.empty()) {
    const size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ChoiceRecord record;
    if (RecordOf(line, record)) records.push_back(record);
  }
  if (records.size() > KeptRecords) records.erase(records.begin(), records.end() - KeptRecords);
  return records;
}

std::string TextOfRecords(const std::vector<ChoiceRecord>& records) {
  std::string text = std::string(kHeader) + "\r\n";
  const size_t from = records.size() > KeptRecords ? records.size() - KeptRecords : 0;
  for (size_t at = from; at < records.size(); ++at) text += LineOf(records[at]) + "\r\n";
  return text;
}

TimingFigures FiguresOf(const std::vector<ChoiceRecord>& records) {
  const std::vector<ChoiceRecord> recent = LastChoices(records, kRecentChoices);
  TimingFigures figures;
  figures.choices = recent.size();
  figures.moreNeeded = MinimumClean;
  if (recent.empty()) return figures;
  figures.currentDelayMs = recent.back().delayMs;
  std::vector<int> candidates, clean;
  for (const ChoiceRecord& r : recent)
    if (Measured(r) && r.next != AfterChoice::Missed) candidates.push_back(r.reactionMs);
  const int median = Percentile(candidates, 0.5);
  for (const ChoiceRecord& r : recent)
    if (const int reaction = ReactionOf(r, median)) clean.push_back(reaction);
  figures.errorShare = ErrorShare(recent, 0, median);
  figures.lastErrorShare = ErrorShare(recent, recent.size() - std::min(recent.size(), kLastChoices), median);
  figures.clean = clean.size();
  if (clean.size() < MinimumClean) {
    figures.moreNeeded = MinimumClean - clean.size();
    return figures;
  }
  figures.moreNeeded = 0;
  figures.medianMs = Percentile(clean, 0.5);
  figures.p95Ms = LogNormalPercentile95(clean);
  const int current = figures.currentDelayMs;
  int suggested = std::clamp(RoundUp(figures.p95Ms + 100, 50), 300, 5000);
  if (figures.lastErrorShare > 0.10) suggested = std::max(suggested, RoundUp(current * 11 / 10, 50));
  else if (suggested < current && figures.errorShare > 0.05) suggested = current;
  figures.suggestedMs = std::min(suggested, 5000);
  return figures;
}

int AdaptedDelay(const std::vector<ChoiceRecord>& records, int current, DelayBounds bounds) {
  auto change = std::find_if(records.rbegin(), records.rend(), [](const ChoiceRecord& r) { return r.adjustment; });
  const std::vector<ChoiceRecord> lately(change.base(), records.end());
  const TimingFigures since = FiguresOf(lately);
  // Errors over 40 choices: over 20, one unlucky run at a fitting Delay would pass 10 %.
  const size_t last = std::min<size_t>(lately.size(), 2 * kLastChoices);
  const TimingFigures lastErrors = FiguresOf({lately.end() - static_cast<std::ptrdiff_t>(last), lately.end()});
  int wanted = current;
  if (lately.size() >= kLastChoices && lastErrors.errorShare > 0.10) {
    wanted = RoundUp(current * 11 / 10, 10);
  } else if (since.clean >= MinimumClean && since.errorShare <= 0.05) {
    // A step's margin above the suggestion, which itself wavers by about that much from one
    // hundred choices to the next: the Delay settles instead of chasing it.
    const int suggested = FiguresOf(records).suggestedMs;
    const int floor = suggested + 50;
    if (suggested > 0 && floor < current) wanted = std::max(floor, (current * 95 / 100 + 5) / 10 * 10);
  }
  return std::clamp(wanted, bounds.minimum, std::max(bounds.minimum, bounds.maximum));
}
