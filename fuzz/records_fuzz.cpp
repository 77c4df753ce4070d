// The panel's two files from arbitrary bytes, as a power cut or an editor may leave them: the
// choice records and the person's own words. What loads reads back the same once written,
// and the figures drawn from the records stay within their bounds.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "keyboard/logic/word_suggestions.h"
#include "switch/logic/reaction_times.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::vector<ChoiceRecord> records = RecordsFromText(text);
  FUZZ_CHECK(records.size() <= KeptRecords);
  FUZZ_CHECK(RecordsFromText(TextOfRecords(records)) == records);
  const TimingFigures figures = FiguresOf(records);
  FUZZ_CHECK(figures.suggestedMs == 0 || (figures.suggestedMs >= 300 && figures.suggestedMs <= 5000));
  const int adapted = AdaptedDelay(records, 1500, {500, 3000});
  FUZZ_CHECK(adapted >= 500 && adapted <= 3000);
  const LearnedWords learned = LearnedFromText(text);
  FUZZ_CHECK(LearnedFromText(TextOfLearned(learned)) == learned);
  return 0;
}
