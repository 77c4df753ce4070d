// The Locutor's phrase file from arbitrary bytes, as a crash or a caregiver's editor may leave
// it: every phrase read is whole UTF-8 text on one line, at most PhrasesKept of them, none
// twice, and what is written out reads back the same.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

#include "fuzz_input.h"
#include "locutor/logic/phrase_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> phrases = PhrasesFromText(text);
  FUZZ_CHECK(phrases.size() <= PhrasesKept);
  FUZZ_CHECK(std::set<std::string>(phrases.begin(), phrases.end()).size() == phrases.size());
  for (const std::string& phrase : phrases) {
    FUZZ_CHECK(!phrase.empty());
    for (char c : phrase) FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20);
  }
  FUZZ_CHECK(PhrasesFromText(TextOfPhrases(phrases)) == phrases);
  return 0;
}
