// What a chosen on-screen key sends: typed characters, latched modifiers, named keys,
// repeats and layout changes, as the playback library receives them.
#include "keyboard/uteclado.h"
#include "scanning/core/uopcoes.h"
#include "scanning/core/uvars.h"
#include "support/playback_recorder.h"
#include "support/virtual_seam.h"
#include "switch/uctlsom.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

PlayCall Call(std::string name, std::vector<unsigned> args = {}) { return {std::move(name), args}; }

class KeyEmission : public ::testing::Test {
 protected:
  void SetUp() override {
    vt::Reset();
    ForgetPresses();
    ClearPlayCalls();
    ShiftLatch = CtrlLatch = AltLatch = RepeatArmed = false;
    KeyboardLayout = 1;
    CurrentMenu = 0;
    DwellMs = 1000;
  }
};

TEST_F(KeyEmission, AOneCharacterKeyIsTypedWithPlayKey) {
  EmitKeyToken("c");
  EXPECT_EQ(PlayCalls, (std::vector<PlayCall>{Call("PlayInit", {30}), Call("PlayKey", {'c', 100}),
                                              Call("PlayStart")}))
      << DescribePlayCalls();
}

TEST_F(KeyEmission, ABlankCellTypesOneBlank) {
  EmitKeyToken("");
  ASSERT_EQ(PlayCalls.size(), 3u) << DescribePlayCalls();
  EXPECT_EQ(PlayCalls[1], Call("PlayKey", {' ', 100}));
}

TEST_F(KeyEmission, CtrlLatchSendsCtrlCOnceThenAPlainC) {
  EmitKeyToken("Ctl");
  EXPECT_TRUE(CtrlLatch);
  EmitKeyToken("c");
  EmitKeyToken("c");
  ASSERT_EQ(PlayCalls.size(), 6u) << DescribePlayCalls();
  EXPECT_EQ(PlayCalls[1], Call("PlayVirtKey", {67, 1, 0, 0, 100}));
  EXPECT_EQ(PlayCalls[4], Call("PlayKey", {'c', 100}));
  EXPECT_FALSE(CtrlLatch);
}

// Keys that act instead of typing: controls, navigation, Print Screen, Insert, Delete,
// Help, the Windows and Apps keys, Sleep, function keys, locks, modifiers, browser, media
// and launch keys, and the OEM action keys at the top of the range.
bool ActsInsteadOfTyping(unsigned key) {
  return key < 0x20 || (key >= 0x21 && key <= 0x2F) || (key >= 0x5B && key <= 0x5F) ||
         (key >= 0x70 && key <= 0x87) || key == 0x90 || key == 0x91 ||
         (key >= 0xA0 && key <= 0xB7) || key >= 0xF6;
}

TEST_F(KeyEmission, NoCharacterKeyWithCtrlOrAltLatchedSendsAKeyThatActsInsteadOfTyping) {
  int sentKeys = 0;
  for (const bool alt : {false, true}) {
    for (int layout = 1; layout <= 5; ++layout) {
      for (int row = 1; row <= KeyboardRows[layout]; ++row) {
        const std::string text = KeyboardRowText(layout, row);
        for (size_t cell = 0; cell < text.size(); cell += 4) {
          std::string token = text.substr(cell, 4);
          token.erase(token.find_last_not_of(' ') + 1);
          token.erase(0, token.find_first_not_of(' '));
          if (token.size() > 1) continue;
          ClearPlayCalls();
          (alt ? AltLatch : CtrlLatch) = true;
          EmitKeyToken(token);
          for (const PlayCall& call : PlayCalls) {
            ASSERT_NE(call.name, "PlayKey") << "'" << token << "' typed without its modifier";
            if (call.name != "PlayVirtKey") continue;
            ++sentKeys;
            EXPECT_FALSE(ActsInsteadOfTyping(call.args[0]))
                << "'" << token << "' of layout " << layout << " sent key " << call.args[0];
            EXPECT_EQ(call.args[1], alt ? 0u : 1u) << token;
            EXPECT_EQ(call.args[3], alt ? 1u : 0u) << token;
          }
        }
      }
    }
  }
  EXPECT_GT(sentKeys, 2 * 60) << "letters, digits and punctuation must still go out";
}

TEST_F(KeyEmission, LatchedPunctuationGoesOutAsTheKeyThatTypesIt) {
  for (const char* token : {"_", ".", ",", "-", "\\", "{"}) {
    ClearPlayCalls();
    CtrlLatch = true;
    EmitKeyToken(token);
    ASSERT_EQ(PlayCalls.size(), 3u) << token << "\n" << DescribePlayCalls();
    const unsigned key = PlayCalls[1].args[0];
    const short typed = VkKeyScanA(token[0]);
    EXPECT_EQ(key, static_cast<unsigned>(typed & 0xFF)) << token;
    EXPECT_EQ(PlayCalls[1].args[2], (typed & 0x100) ? 1u : 0u) << token << ": Shift as it needs";
  }
}

TEST_F(KeyEmission, AltLatchStaysForNamedKeysSoAltF4IsFollowedByAltTab) {
  EmitKeyToken("Alt");
  EmitKeyToken("F4");
  EmitKeyToken("Tab");
  ASSERT_EQ(PlayCalls.size(), 6u) << DescribePlayCalls();
  EXPECT_EQ(PlayCalls[1], Call("PlayVirtKey", {115, 0, 0, 1, 100}));
  EXPECT_EQ(PlayCalls[4], Call("PlayVirtKey", {9, 0, 0, 1, 100}));
  EXPECT_TRUE(AltLatch);
}

TEST_F(KeyEmission, WholeTokensAreComparedSoF10IsNotF1) {
  EmitKeyToken("F10");
  EmitKeyToken("f1");
  ASSERT_EQ(PlayCalls.size(), 6u) << DescribePlayCalls();
  EXPECT_EQ(PlayCalls[1].args[0], 121u);
  EXPECT_EQ(PlayCalls[4].args[0], 112u);
}

TEST_F(KeyEmission, LayoutKeysChangeTheLayoutAndSelLeavesForMenu7) {
  EmitKeyToken("Act");
  EXPECT_EQ(KeyboardLayout, 3);
  KeyboardLayout = 2;
  EmitKeyToken("ACT");
  EXPECT_EQ(KeyboardLayout, 4);
  EmitKeyToken("Mai");
  EXPECT_EQ(KeyboardLayout, 2);
  EmitKeyToken("Alf");
  EXPECT_EQ(KeyboardLayout, 1);
  EmitKeyToken("Num");
  EXPECT_EQ(KeyboardLayout, 5);
  EmitKeyToken("Fun");
  EXPECT_EQ(KeyboardLayout, 6);
  LettersLayout = FrequencyLayout;  // "Alf" goes back to the letters the person types with
  EmitKeyToken("Alf");
  LettersLayout = 1;
  EXPECT_EQ(KeyboardLayout, FrequencyLayout);
  EmitKeyToken("sel");
  EXPECT_EQ(KeyboardLayout, 0);
  EXPECT_EQ(CurrentMenu, 7);
  EXPECT_TRUE(PlayCalls.empty()) << DescribePlayCalls();
}

TEST_F(KeyEmission, RptRepeatsANamedKeyEachDwellUntilTheSwitch) {
  vt::HoldCtrl(2950, 3050);  // during the third dwell
  EmitKeyToken("Rpt");
  EmitKeyToken("Esq");
  int lefts = 0;
  for (const PlayCall& call : PlayCalls)
    if (call == Call("PlayVirtKey", {37, 0, 0, 0, 100})) ++lefts;
  EXPECT_EQ(lefts, 3) << DescribePlayCalls();
  EXPECT_FALSE(RepeatArmed);
}

TEST_F(KeyEmission, RptBeforeAOneCharacterKeyTypesItOnceAndDisarms) {
  EmitKeyToken("Rpt");
  EmitKeyToken("Ctl");
  EXPECT_TRUE(RepeatArmed);
  CtrlLatch = false;
  EmitKeyToken("a");
  EXPECT_FALSE(RepeatArmed);
  EXPECT_EQ(PlayCalls.size(), 3u) << DescribePlayCalls();
}

TEST_F(KeyEmission, ARepeatWithADwellBelowOneTickCanStillBeStopped) {
  DwellMs = 50;
  vt::HoldCtrl(250, 350);
  RepeatArmed = true;
  EmitKeyToken("Dir");
  EXPECT_FALSE(RepeatArmed);
  EXPECT_LE(vt::NowMs(), 400);
}

}  // namespace
