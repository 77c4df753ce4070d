// Key codes the console queues and the line editor, as a user's key presses produce them.
#include "console/logic/keys_tables.h"
#include <gtest/gtest.h>
#include <vector>

static std::vector<uint8_t> Pair(uint8_t vk, bool ctrl, bool shift) {
  uint8_t queue[KeyQueueSize];
  int count = 0;
  uint8_t code = ExtendedKeyCode(vk, ctrl, shift);
  if (code != 0) QueuePair(queue, count, code);
  return std::vector<uint8_t>(queue, queue + count);
}

TEST(ConsoleKeyCodes, SpecialKeysGiveZeroAndTheirCode) {
  EXPECT_EQ(Pair(112, false, false), (std::vector<uint8_t>{0, 59}));   // F1
  EXPECT_EQ(Pair(112, true, false), (std::vector<uint8_t>{0, 94}));    // Ctrl+F1
  EXPECT_EQ(Pair(45, false, true), (std::vector<uint8_t>{0, 254}));    // Shift+Insert
  EXPECT_EQ(Pair(45, true, false), (std::vector<uint8_t>{0, 255}));    // Ctrl+Insert
  EXPECT_EQ(Pair(45, false, false), (std::vector<uint8_t>{0, 82}));    // Insert
  EXPECT_EQ(Pair(46, true, false), (std::vector<uint8_t>{0, 83}));     // Ctrl+Delete
  EXPECT_EQ(Pair(46, false, true), (std::vector<uint8_t>{0, 83}));     // Shift+Delete: no 254
  EXPECT_EQ(Pair(122, true, false), (std::vector<uint8_t>{0, 104}));   // Ctrl+F11
  EXPECT_EQ(Pair(123, true, false), (std::vector<uint8_t>{0, 105}));   // Ctrl+F12
  EXPECT_EQ(Pair(38, false, false), (std::vector<uint8_t>{0, 72}));    // Up
  EXPECT_EQ(Pair(33, true, false), (std::vector<uint8_t>{0, 132}));    // Ctrl+Page Up
  EXPECT_TRUE(Pair('A', false, false).empty());                        // plain letter: WM_CHAR
}

TEST(ConsoleKeyCodes, AltLettersAndDigits) {
  EXPECT_EQ(AltKeyCode('A'), 30);
  EXPECT_EQ(AltKeyCode('Z'), 44);
  EXPECT_EQ(AltKeyCode('Q'), 16);
  EXPECT_EQ(AltKeyCode('1'), 120);
  EXPECT_EQ(AltKeyCode('0'), 129);
  EXPECT_EQ(AltKeyCode('9'), 128);
  EXPECT_EQ(AltKeyCode(112), 0);
}

TEST(ConsoleKeyCodes, CharactersWithCtrl) {
  EXPECT_EQ(CharMessageByte(8, true, false), 127);
  EXPECT_EQ(CharMessageByte(8, false, false), 8);
  EXPECT_EQ(CharMessageByte(13, true, false), 10);
  EXPECT_EQ(CharMessageByte(13, false, false), 13);
  EXPECT_EQ(CharMessageByte('x', false, false), 'x');
}

TEST(ConsoleKeyCodes, BrailleDropsLettersAndBlankButNotDigits) {
  EXPECT_EQ(CharMessageByte('a', false, true), -1);
  EXPECT_EQ(CharMessageByte('Z', false, true), -1);
  EXPECT_EQ(CharMessageByte(' ', false, true), -1);
  EXPECT_EQ(CharMessageByte('5', false, true), '5');
  EXPECT_EQ(CharMessageByte(13, false, true), 13);
  EXPECT_EQ(CharMessageByte(0xE1, false, true), 0xE1);
}

TEST(ConsoleKeyQueue, With63QueuedACharFitsButAnArrowIsDropped) {
  uint8_t queue[KeyQueueSize + 4];
  std::fill(std::begin(queue), std::end(queue), 0xAA);
  int count = 63;
  EXPECT_FALSE(QueuePair(queue, count, 72));
  EXPECT_EQ(count, 63);
  EXPECT_EQ(queue[63], 0xAA);
  EXPECT_TRUE(QueueByte(queue, count, 'x'));
  EXPECT_EQ(count, 64);
  EXPECT_EQ(queue[63], 'x');
  EXPECT_FALSE(QueueByte(queue, count, 'y'));
  EXPECT_EQ(count, 64);
  EXPECT_EQ(queue[64], 0xAA);  // nothing written past the queue
  int sixtyTwo = 62;
  EXPECT_TRUE(QueuePair(queue, sixtyTwo, 59));
  EXPECT_EQ(sixtyTwo, 64);
}

TEST(ConsoleKeyQueue, OldestComesFirst) {
  uint8_t queue[KeyQueueSize];
  int count = 0;
  QueueByte(queue, count, 'a');
  QueuePair(queue, count, 59);
  EXPECT_EQ(TakeOldest(queue, count), 'a');
  EXPECT_EQ(TakeOldest(queue, count), 0);
  EXPECT_EQ(TakeOldest(queue, count), 59);
  EXPECT_EQ(count, 0);
}

// Feeds bytes to the editor until it ends the line; returns the stored text.
static std::string Edit(const std::vector<uint8_t>& keys, uint16_t capacity, int* stores = nullptr) {
  std::vector<uint8_t> buffer(capacity, 0);
  uint16_t count = 0;
  int stored = 0;
  for (uint8_t key : keys) {
    LineAction action = LineEditStep(buffer.data(), capacity, count, key);
    if (action == LineAction::Store) stored++;
    if (action == LineAction::End) break;
  }
  if (stores) *stores = stored;
  return std::string(buffer.begin(), buffer.begin() + count);
}

TEST(ConsoleLineEditor, BackspaceEditsAndControlBytesAreIgnored) {
  EXPECT_EQ(Edit({'1', '2', 'x', 8, '3', 13}, 128), "123");
  EXPECT_EQ(Edit({8, 8, 'a', 13}, 128), "a");
  EXPECT_EQ(Edit({'a', 9, 26, 10, 'b', 13}, 128), "ab");  // Tab, Ctrl+Z, Ctrl+Enter ignored
  EXPECT_EQ(Edit({'a', 127, 13}, 128), "a\x7f");          // Ctrl+Backspace is a character
  EXPECT_EQ(Edit({0, 59, 0, 72, 13}, 128), ";H");         // F1 and Up type their second byte
}

TEST(ConsoleLineEditor, At126CharactersFurtherKeysAreDroppedButEnterEnds) {
  std::vector<uint8_t> keys(130, 'q');
  keys.push_back(13);
  int stores = 0;
  EXPECT_EQ(Edit(keys, 128, &stores).size(), 126u);
  EXPECT_EQ(stores, 126);
}
