// A scripted stand-in for the switch's quiet-second wait: each call takes the next answer,
// and once the script runs out the switch fires, so a loop on it always ends.
#include "scripted_quiet.h"

#include <deque>

namespace {
std::deque<bool> Answers;
std::vector<int32_t> Asked;
}  // namespace

void ScriptQuiet(std::initializer_list<bool> answers) {
  Answers.assign(answers);
  Asked.clear();
}

const std::vector<int32_t>& QuietRequests() { return Asked; }

bool QuietFor(int32_t ms) {
  Asked.push_back(ms);
  if (Answers.empty()) return false;
  bool quiet = Answers.front();
  Answers.pop_front();
  return quiet;
}
