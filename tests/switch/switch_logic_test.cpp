#include <gtest/gtest.h>

#include "switch/logic/capture_math.h"
#include "switch/logic/switch_choice.h"
#include "switch/logic/switch_presses.h"

TEST(SamplePeak, MagnitudeIsLopsidedAroundSilence) {
  const unsigned char low[] = {128, 0, 128};
  const unsigned char high[] = {128, 255, 128};
  EXPECT_EQ(SamplePeak(low, 3, 0), 128);
  EXPECT_EQ(SamplePeak(high, 3, 0), 127);
  const unsigned char mixed[] = {1, 64, 127, 129, 192, 254};
  EXPECT_EQ(SamplePeak(mixed, 6, 0), 127);
  EXPECT_EQ(SamplePeak(mixed + 1, 1, 0), 64);
  EXPECT_EQ(SamplePeak(mixed + 1, 1, 90), 90);  // an earlier buffer's peak stands
}

TEST(RingArithmetic, IndexWrapsAndCopyStaysInsideTheArea) {
  EXPECT_EQ(NextRingIndex(0), 1);
  EXPECT_EQ(NextRingIndex(7), 8);
  EXPECT_EQ(NextRingIndex(RingSlots - 1), 0);
  EXPECT_EQ(NextRingIndex(INT32_MAX), 0);  // wraps, does not overflow
  EXPECT_EQ(BlockAlign(8, 1), 1);
  EXPECT_EQ(BlockAlign(16, 2), 4);
  EXPECT_EQ(BoundedCopyCount(4096, 2048), 2048u);
  EXPECT_EQ(BoundedCopyCount(100, 2048), 100u);
  EXPECT_EQ(TicksOf(199), 1);
  EXPECT_EQ(TicksOf(99), 0);
  EXPECT_EQ(TicksOf(-150), -1);
}

TEST(RingArithmetic, ReadingGoesRoundToTheNextFilledSlot) {
  EXPECT_EQ(NextFilledSlot(0, 0xFF), 0);
  EXPECT_EQ(NextFilledSlot(3, 0b11110111), 4);  // slot 3 empty
  EXPECT_EQ(NextFilledSlot(6, 0b00000110), 1);  // round past the last slot
  EXPECT_EQ(NextFilledSlot(62, uint64_t{1} << 63), 63);
  EXPECT_EQ(NextFilledSlot(5, 0), 5);           // nothing filled: stays
}

// The names a caregiver writes in ACIONADOR, in any case: what each one is, and a value not
// understood reported while its setting keeps the default.
TEST(SwitchChoice, KeyButtonAndControllerNamesAndABadValue) {
  struct Named { const char* key; int code; };
  for (const Named named : {Named{"", CtrlKey}, {"ctrl", CtrlKey}, {" Espa\xE7o ", 0x20}, {"ESPACO", 0x20},
                            {"enter", 0x0D}, {"F1", 0x70}, {"f12", 0x7B}, {"NUM0", 0x60}, {"num9", 0x69},
                            {"7", 0x37}, {"z", 'Z'}, {"NENHUMA", NoKey}})
    EXPECT_EQ(SwitchChoiceFrom(named.key, "", "", 60).inputs.key, named.code) << named.key;
  const SwitchChoice mouseOnly = SwitchChoiceFrom("nenhuma", "direito", "qualquer", 200);
  EXPECT_EQ(mouseOnly.inputs, (SwitchInputs{NoKey, MouseSwitch::Right, AnyPadButton}));
  EXPECT_EQ(SwitchChoiceFrom("", "X2", "32", 60).inputs, (SwitchInputs{CtrlKey, MouseSwitch::X2, 32}));
  for (const char* bad : {"F13", "NUM10", "espa", "AB"}) {
    const SwitchChoice choice = SwitchChoiceFrom(bad, "", "", 60);
    EXPECT_EQ(choice.inputs.key, CtrlKey) << bad;
    EXPECT_EQ(choice.unknown, bad);
  }
  EXPECT_EQ(SwitchChoiceFrom("", "lateral", "33", 60).unknown, "lateral") << "the first one, as written";
  EXPECT_EQ(SwitchChoiceFrom("", "", "0", 60).inputs.padButton, NoPadButton);
  EXPECT_EQ(SwitchChoiceFrom("NENHUMA", "", "", 60).inputs.key, NoKey) << "the sound alone can fire";
  EXPECT_EQ(SwitchChoiceFrom("NENHUMA", "NENHUM", "", 128).inputs.key, CtrlKey) << "no switch would work";
}

TEST(SwitchChoice, AControllerButtonIsItsBitOrAnyBitForQualquer) {
  EXPECT_TRUE(PadSwitchDown(0b100, 3) && PadSwitchDown(0x80000000u, 32) && PadSwitchDown(0b1000, AnyPadButton));
  EXPECT_FALSE(PadSwitchDown(0b100, 2) || PadSwitchDown(0, AnyPadButton) || PadSwitchDown(0xFFFFFFFFu, NoPadButton));
}

// Delay 500 ms (5 ticks) from 0, a pause of 500 ms: the tick at whose end the item goes out.
static int TickOut(int64_t promptEndMs, int32_t pauseMs = 500, int ticks = 5) {
  for (int tick = 0; tick < 200; ++tick)
    if (ItemGoesOut(tick, ticks, tick * TickMs, promptEndMs, pauseMs)) return tick;
  return -1;
}

TEST(SaidItems, StayLitForTheirPromptAndThePauseOrTheDelayWhicheverIsLonger) {
  EXPECT_EQ(TickOut(NoPrompt), 5);
  EXPECT_EQ(TickOut(1200), 17);       // 1200 + 500
  EXPECT_EQ(TickOut(1250), 18);       // out at a tick's end, never before
  EXPECT_EQ(TickOut(0, 500), 5);      // ended at once: the Delay is longer
  EXPECT_EQ(TickOut(300, 0, 2), 3);
  EXPECT_EQ(TickOut(300, 0, 8), 8);   // the first item's extension counts in the ticks
  EXPECT_EQ(TickOut(PromptPlaying), -1);
}

TEST(SaidItems, ASoundBegunWhileThePanelSpeaksIsNoPressAndTheSpansOfRecentPromptsAreKept) {
  DeafSpans spans;
  DeafenSound(spans, 1000, PromptPlaying);
  EXPECT_TRUE(DeafAt(spans, 5000));
  DeafenSound(spans, 1000, 1700);  // its end known
  for (int64_t at : {999, 1700, 2700}) EXPECT_FALSE(DeafAt(spans, at)) << at;
  DeafenSound(spans, 2000, 2400);
  DeafenSound(spans, 3000, 3400);
  for (int64_t at : {1000, 1699, 2000, 3100}) EXPECT_TRUE(DeafAt(spans, at)) << at << ": a sound read late still falls in its span";
}
