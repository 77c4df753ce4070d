// Which key a character goes out as while Ctrl or Alt is latched, for the answers real
// layouts give: the key that types it, or nothing; never a key with another purpose.
#include "keyboard/logic/latched_keys.h"

#include <gtest/gtest.h>

namespace {

constexpr int16_t NoKey = -1;

void ExpectKey(LatchedKey got, uint8_t key, bool shift, const char* what) {
  EXPECT_TRUE(got.send) << what;
  EXPECT_EQ(got.virtualKey, key) << what;
  EXPECT_EQ(got.shift, shift) << what;
}

TEST(LatchedKeys, LettersAndDigitsKeepTheirOwnKeyAndTheLatchedShiftWhateverTheLayout) {
  ExpectKey(LatchedKeyFor('c', 0x0043, false), 'C', false, "c");
  ExpectKey(LatchedKeyFor('C', 0x0143, false), 'C', false, "C drawn by the Shift latch");
  ExpectKey(LatchedKeyFor('a', NoKey, true), 'A', true, "a, Shift latched");
  ExpectKey(LatchedKeyFor('7', 0x0137, false), '7', false, "7 on a layout where it needs Shift");
}

TEST(LatchedKeys, PunctuationGoesAsTheLayoutsKeyWithTheShiftItNeeds) {
  ExpectKey(LatchedKeyFor('_', 0x01BD, false), 0xBD, true, "underscore on a US layout");
  ExpectKey(LatchedKeyFor('.', 0x00BE, false), 0xBE, false, "full stop");
  ExpectKey(LatchedKeyFor('.', 0x00BE, true), 0xBE, true, "full stop, Shift latched");
  ExpectKey(LatchedKeyFor('\\', 0x00E2, false), 0xE2, false, "backslash on a Brazilian layout");
  ExpectKey(LatchedKeyFor('/', 0x00C1, false), 0xC1, false, "slash on a Brazilian layout");
  ExpectKey(LatchedKeyFor('\xE7', 0x00BA, false), 0xBA, false, "c cedilla on a Brazilian layout");
  ExpectKey(LatchedKeyFor(' ', 0x0020, false), 0x20, false, "blank");
  ExpectKey(LatchedKeyFor('*', 0x006A, false), 0x6A, false, "star on the numeric pad");
}

TEST(LatchedKeys, NothingGoesWhenNoPlainOrShiftedKeyTypesTheCharacter) {
  struct Case { uint8_t character; int16_t layoutKey; const char* what; };
  const Case cases[] = {
      {0xE7, NoKey, "c cedilla on a US layout"},
      {'@', 0x0651, "at sign behind AltGr+Q"},
      {'{', 0x0637, "brace behind AltGr+7"},
      {'_', 0x005F, "an answer of Sleep"},
      {'.', 0x002E, "an answer of Delete"},
      {',', 0x002C, "an answer of Print Screen"},
      {'\\', 0x005C, "an answer of the right Windows key"},
      {'{', 0x007B, "an answer of F12"},
      {0xAA, 0x00AA, "an answer of a browser key"},
      {'!', 0x0121, "an answer of Page Up"},
  };
  for (const Case& c : cases) EXPECT_FALSE(LatchedKeyFor(c.character, c.layoutKey, false).send) << c.what;
}

}  // namespace
