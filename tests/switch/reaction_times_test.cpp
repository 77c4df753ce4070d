// The Delay suggested from a simulated person's reaction times, log-normal as people's are:
// a press later than the Delay lands on the item after and is undone with "Bsp".
#include "switch/logic/reaction_times.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

struct Person {
  Person(double median, double spreadInLogs, double undo = 0)
      : medianMs(median), spread(spreadInLogs), undoShare(undo) {}
  double medianMs, spread;
  double undoShare;  // "Bsp" after right choices too: the person changed their mind
  std::mt19937 times{2}, minds{11};
  std::vector<ChoiceRecord> records;

  int ReactionMs(std::mt19937& random) {
    return static_cast<int>(medianMs * std::exp(spread * std::normal_distribution<>()(random)));
  }
  void Press(int delay, int reaction, bool first) {
    records.push_back({0, false, ChoiceKind::Key, reaction % delay, delay, first, PressedBy::Ctrl, AfterChoice::Kept});
  }
  // One key wanted; true when it was chosen right.
  bool Choose(int delay) {
    const int reaction = ReactionMs(times);
    Press(delay, reaction, records.size() % 5 == 0);
    const bool late = reaction >= delay;
    if (late || std::uniform_real_distribution<>()(minds) < undoShare) {
      Press(delay, std::min(ReactionMs(minds), delay - 1), false);  // the "Bsp"
      MarkUndone(records);
    }
    return !late;
  }
  int SuggestionAfter(int choices, int delay) {
    for (int i = 0; i < choices; ++i) Choose(delay);
    return FiguresOf(records).suggestedMs;
  }
};

TEST(ReactionTimes, ASuggestionFitsThePersonAndFollowsThemWhenTheySlow) {
  Person person{450, 0.35};
  person.SuggestionAfter(10, 1500);
  EXPECT_EQ(FiguresOf(person.records).suggestedMs, 0);
  EXPECT_EQ(FiguresOf(person.records).moreNeeded, MinimumClean - 8) << "first items of a pass left out";
  const int suggested = person.SuggestionAfter(40, 1500);
  EXPECT_GE(suggested, 850);
  EXPECT_LE(suggested, 1000);
  int right = 0;
  for (int i = 0; i < 400; ++i) right += person.Choose(suggested);
  EXPECT_GE(right, 380) << "more than 5 % errors at the suggested Delay";

  person.medianMs = 650;
  int choices = 0;
  while (choices < 30 && person.SuggestionAfter(1, suggested) <= suggested) ++choices;
  EXPECT_LT(choices, 30) << "a person slowing down is not given a longer Delay";

  EXPECT_GT(Person(450, 0.6).SuggestionAfter(50, 1500), suggested + 100);
}

TEST(ReactionTimes, ChoicesUndoneOnAWhimHardlyMoveTheSuggestion) {
  const int steady = Person{450, 0.35}.SuggestionAfter(100, 1500);
  Person changing{450, 0.35, 0.05};
  EXPECT_LT(std::abs(changing.SuggestionAfter(100, 1500) - steady), steady / 20);
}

TEST(ReactionTimes, ThePanelsOwnAdaptationSettlesWithinItsBoundsWithoutSwinging) {
  Person person{450, 0.35};
  int delay = 1500, reversals = 0, lastStep = 0;
  for (int i = 0; i < 1500; ++i) {
    person.Choose(delay);
    const int adapted = AdaptedDelay(person.records, delay, {500, 3000});
    if (adapted == delay) continue;
    const int step = adapted > delay ? 1 : -1;
    reversals += lastStep != 0 && step != lastStep;
    lastStep = step;
    delay = adapted;
    person.records.push_back({0, true, ChoiceKind::Option, 0, delay});
  }
  EXPECT_GE(delay, 850);
  EXPECT_LE(delay, 1100);
  EXPECT_LE(reversals, 2);
}

TEST(ReactionTimes, TheFileKeepsTheLast2000AndLoadsWhatItCanOfACutOrJunkFile) {
  std::vector<ChoiceRecord> records(2003, {1765000000, false, ChoiceKind::Row, 420, 1500, true, PressedBy::Sound, AfterChoice::Missed});
  records.back() = {1765000001, true, ChoiceKind::Option, 0, 1650};
  const std::string text = TextOfRecords(records);
  EXPECT_EQ(RecordsFromText(text), std::vector<ChoiceRecord>(records.end() - 2000, records.end()));
  const std::string junk = "escolha,1,tecla,-5,1500,0,ctrl,certo\r\n\xFF\x00,,\n" + text.substr(0, text.size() - 30);
  const std::vector<ChoiceRecord> loaded = RecordsFromText(junk);
  EXPECT_EQ(loaded.size(), 1999u);
  EXPECT_EQ(loaded.front(), records[3]);
}

}  // namespace
