// Braille chords typed on F D S J K L and the space bar, in plain mode and with signs.
#include "console/logic/braille_decode.h"
#include <gtest/gtest.h>
#include <string>

// A typist on the chord keys; collects what the decoder would queue.
struct Typist {
  BrailleState state;
  std::string typed;
  explicit Typist(int mode) { state.mode = mode; }
  void Down(char key) { BrailleKeyDown(state, static_cast<uint8_t>(key)); }
  bool Up(char key, bool ctrl = false) {
    uint8_t c;
    bool taken = BrailleKeyUp(state, static_cast<uint8_t>(key), ctrl, c);
    if (c != NoCharacter) typed += static_cast<char>(c);
    return taken;
  }
  void Chord(const std::string& keys) {
    for (char k : keys) Down(k);
    for (char k : keys) Up(k);
  }
};

TEST(BrailleChords, TwoKeyChordGivesOneLetterWhenTheLastKeyGoesUp) {
  Typist t(1);
  t.Down('F');
  t.Down('J');
  EXPECT_TRUE(t.Up('F'));
  EXPECT_EQ(t.typed, "");
  EXPECT_TRUE(t.Up('J'));
  EXPECT_EQ(t.typed, "c");
}

TEST(BrailleChords, OverlappingKeysFormOneChord) {
  Typist t(1);
  t.Down('F');
  t.Down('D');
  t.Up('F');
  t.Down('K');
  t.Up('D');
  EXPECT_EQ(t.typed, "");
  t.Up('K');
  EXPECT_EQ(t.typed, "h");
}

TEST(BrailleChords, SpaceChordsGiveBlankAndControlCodes) {
  Typist t(1);
  t.Chord(" ");
  t.Chord(" F");
  t.Chord(" FDK");
  t.Chord(" DJ");
  t.Chord(" SJ");
  t.Chord(" FDJL");
  EXPECT_EQ(t.typed, std::string(" \x01\x08\x09\x0d", 5) + std::string(1, '\0'));
}

TEST(BrailleChords, PlainModeTypesSignsAsCharacters) {
  Typist t(1);
  t.Chord("JL");    // capital sign
  t.Chord("F");
  t.Chord("SJKL");  // number sign
  t.Chord("F");
  EXPECT_EQ(t.typed, "{a#a");
}

TEST(BrailleSignsMode2, CapitalSignOnceAndTwice) {
  Typist t(2);
  t.Chord("JL");
  t.Chord("F");
  t.Chord("F");
  EXPECT_EQ(t.typed, "Aa");
  t.typed.clear();
  t.Chord("JL");
  t.Chord("JL");
  t.Chord("F");
  t.Chord("FD");
  t.Chord("FJ");
  EXPECT_EQ(t.typed, "ABC");
  t.Chord(" ");
  t.Chord("F");
  EXPECT_EQ(t.typed, "ABC a");
}

TEST(BrailleSignsMode2, NumberSignDigitsDecimalPointAndDot5) {
  Typist t(2);
  t.Chord("SJKL");
  t.Chord("F");
  t.Chord("FD");
  t.Chord("DJK");  // j
  t.Chord("S");    // apostrophe
  EXPECT_EQ(t.typed, "120.");
  t.typed.clear();
  t.Chord("SJKL");
  t.Chord("F");
  t.Chord("K");    // dot 5 ends the digits
  t.Chord("F");
  EXPECT_EQ(t.typed, "1~a");
}

TEST(BrailleSignsMode2, AccentedLetterIsNotRaised) {
  Typist t(2);
  t.Chord("JL");
  t.Chord("FDSKL");  // á, dots 1-2-3-5-6
  EXPECT_EQ(t.typed, "\xE1");
  t.Chord("F");      // the sign was used up by the accented letter
  EXPECT_EQ(t.typed, "\xE1" "a");
}

TEST(BrailleChords, NonChordLetterReleasedAloneGivesBlank) {
  Typist t(1);
  t.Down('Q');
  EXPECT_TRUE(t.Up('Q'));
  EXPECT_EQ(t.typed, " ");
}

TEST(BrailleChords, ChordKeyReleasedWithCtrlIsNotDecoded) {
  Typist t(2);
  t.Chord("JL");
  t.state.capitalLock = true;
  t.Down('F');
  EXPECT_FALSE(t.Up('F', true));
  EXPECT_EQ(t.typed, "");
  EXPECT_EQ(t.state.chordKeysDown, 1);
  EXPECT_FALSE(t.state.capitalLock);
  t.Chord("D");  // F still counts as held: the chord waits
  EXPECT_EQ(t.typed, "");
  t.Down('F');
  t.Up('F');
  EXPECT_EQ(t.typed, "b");
}

TEST(BrailleChords, OtherKeyUpIsNotTakenAndEndsSigns) {
  Typist t(2);
  t.Chord("SJKL");
  EXPECT_FALSE(t.Up('1'));
  t.Chord("F");
  EXPECT_EQ(t.typed, "a");
}

TEST(BrailleModes, ModesAreNormalised) {
  EXPECT_EQ(NormaliseBrailleMode(-5), 0);
  EXPECT_EQ(NormaliseBrailleMode(0), 0);
  EXPECT_EQ(NormaliseBrailleMode(2), 2);
  EXPECT_EQ(NormaliseBrailleMode(3), 1);
}
