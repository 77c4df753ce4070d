// The threshold and the dwell as the user gives them: on the command line, where the whole
// argument must be a whole number, or typed at a prompt, where only the first word counts.
#include "scanning/logic/number_reading.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ArgumentNumbers, PlainDecimalValuesAreTakenAsTheyAre) {
  EXPECT_EQ(ReadWholeNumber("250"), 250);
  EXPECT_EQ(ReadWholeNumber("2000"), 2000);
  EXPECT_EQ(ReadWholeNumber("0"), 0);
  EXPECT_EQ(ReadWholeNumber("007"), 7);
}

TEST(ArgumentNumbers, LeadingBlanksAndASignAreAllowed) {
  EXPECT_EQ(ReadWholeNumber("   45"), 45);
  EXPECT_EQ(ReadWholeNumber("\t45"), 45);
  EXPECT_EQ(ReadWholeNumber("-45"), -45);
  EXPECT_EQ(ReadWholeNumber("+45"), 45);
  EXPECT_EQ(ReadWholeNumber("  -3"), -3);
}

TEST(ArgumentNumbers, DollarOrZeroXReadsHexadecimal) {
  EXPECT_EQ(ReadWholeNumber("$FA"), 250);
  EXPECT_EQ(ReadWholeNumber("$fa"), 250);
  EXPECT_EQ(ReadWholeNumber("0x7D0"), 2000);
  EXPECT_EQ(ReadWholeNumber("0X7d0"), 2000);
  EXPECT_EQ(ReadWholeNumber("-$10"), -16);
  EXPECT_EQ(ReadWholeNumber("$FFFFFFFF"), -1);
  EXPECT_EQ(ReadWholeNumber("$7FFFFFFF"), 2147483647);
}

TEST(ArgumentNumbers, ValuesOutsideTheGuideRangesAreKept) {
  EXPECT_EQ(ReadWholeNumber("5"), 5);
  EXPECT_EQ(ReadWholeNumber("99999"), 99999);
  EXPECT_EQ(ReadWholeNumber("-1000"), -1000);
}

TEST(ArgumentNumbers, TheLimitsOfThirtyTwoBitsAreExact) {
  EXPECT_EQ(ReadWholeNumber("2147483647"), 2147483647);
  EXPECT_EQ(ReadWholeNumber("-2147483648"), INT32_MIN);
  EXPECT_FALSE(ReadWholeNumber("2147483648"));
  EXPECT_FALSE(ReadWholeNumber("-2147483649"));
  EXPECT_FALSE(ReadWholeNumber("99999999999999999999999"));
  EXPECT_FALSE(ReadWholeNumber("$100000000"));
}

TEST(ArgumentNumbers, AnythingButAWholeNumberIsRefused) {
  for (std::string text : {"x", "", "   ", "-", "+", "$", "0x", "12a", "120 ", "1.5", "1,5",
                           "$G", "0x1G", "--1", "+-1", "1 2"}) {
    EXPECT_FALSE(ReadWholeNumber(text)) << "'" << text << "'";
  }
}

TEST(TypedNumbers, TheFirstWordOfTheLineIsTheValueAndTheRestIsIgnored) {
  TypedValue typed = ReadTypedValue("  120 and some more words\r");
  EXPECT_EQ(typed.kind, TypedKind::Number);
  EXPECT_EQ(typed.value, 120);
  typed = ReadTypedValue("1500\r");
  EXPECT_EQ(typed.kind, TypedKind::Number);
  EXPECT_EQ(typed.value, 1500);
  typed = ReadTypedValue("-7\tnext");
  EXPECT_EQ(typed.kind, TypedKind::Number);
  EXPECT_EQ(typed.value, -7);
  typed = ReadTypedValue("$1E");
  EXPECT_EQ(typed.kind, TypedKind::Number);
  EXPECT_EQ(typed.value, 30);
}

TEST(TypedNumbers, ABlankLineHoldsNoValueSoTheReadWaitsForAnother) {
  for (std::string line : {"", "\r", "     \r", "\t \r"}) {
    EXPECT_EQ(ReadTypedValue(line).kind, TypedKind::NoValue) << "'" << line << "'";
  }
}

TEST(TypedNumbers, DigitsRunningIntoLettersAreNoNumber) {
  EXPECT_EQ(ReadTypedValue("120abc\r").kind, TypedKind::NotANumber);
  EXPECT_EQ(ReadTypedValue("  x\r").kind, TypedKind::NotANumber);
  EXPECT_EQ(ReadTypedValue("12.5\r").kind, TypedKind::NotANumber);
}

TEST(TypedNumbers, OnlyThirtyTwoCharactersAreTaken) {
  // Thirty-two zeros then a 5: only the zeros are read.
  TypedValue typed = ReadTypedValue(std::string(32, '0') + "5");
  EXPECT_EQ(typed.kind, TypedKind::Number);
  EXPECT_EQ(typed.value, 0);
  typed = ReadTypedValue(std::string(31, '0') + "5");
  EXPECT_EQ(typed.kind, TypedKind::Number);
  EXPECT_EQ(typed.value, 5);
  // A letter past the thirty-second character is never looked at.
  typed = ReadTypedValue(std::string(31, '0') + "1z");
  EXPECT_EQ(typed.kind, TypedKind::Number);
  EXPECT_EQ(typed.value, 1);
}

}  // namespace
