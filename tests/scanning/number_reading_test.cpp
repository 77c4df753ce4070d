// The threshold and the dwell as the user gives them: on the command line, where the whole
// argument must be a whole number, or typed at a prompt, where only the first word counts.
#include "scanning/logic/number_reading.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ArgumentNumbers, PlainDecimalValuesAreTakenAsTheyAre) {
  EXPECT_EQ(ParseWholeNumber("250"), 250);
  EXPECT_EQ(ParseWholeNumber("2000"), 2000);
  EXPECT_EQ(ParseWholeNumber("0"), 0);
  EXPECT_EQ(ParseWholeNumber("007"), 7);
}

TEST(ArgumentNumbers, LeadingBlanksAndASignAreAllowed) {
  EXPECT_EQ(ParseWholeNumber("   45"), 45);
  EXPECT_EQ(ParseWholeNumber("\t45"), 45);
  EXPECT_EQ(ParseWholeNumber("-45"), -45);
  EXPECT_EQ(ParseWholeNumber("+45"), 45);
  EXPECT_EQ(ParseWholeNumber("  -3"), -3);
}

TEST(ArgumentNumbers, DollarOrZeroXReadsHexadecimal) {
  EXPECT_EQ(ParseWholeNumber("$FA"), 250);
  EXPECT_EQ(ParseWholeNumber("$fa"), 250);
  EXPECT_EQ(ParseWholeNumber("0x7D0"), 2000);
  EXPECT_EQ(ParseWholeNumber("0X7d0"), 2000);
  EXPECT_EQ(ParseWholeNumber("-$10"), -16);
  EXPECT_EQ(ParseWholeNumber("$FFFFFFFF"), -1);
  EXPECT_EQ(ParseWholeNumber("$7FFFFFFF"), 2147483647);
}

TEST(ArgumentNumbers, ValuesOutsideTheGuideRangesAreKept) {
  EXPECT_EQ(ParseWholeNumber("5"), 5);
  EXPECT_EQ(ParseWholeNumber("99999"), 99999);
  EXPECT_EQ(ParseWholeNumber("-1000"), -1000);
}

TEST(ArgumentNumbers, TheLimitsOfThirtyTwoBitsAreExact) {
  EXPECT_EQ(ParseWholeNumber("2147483647"), 2147483647);
  EXPECT_EQ(ParseWholeNumber("-2147483648"), INT32_MIN);
  EXPECT_FALSE(ParseWholeNumber("2147483648"));
  EXPECT_FALSE(ParseWholeNumber("-2147483649"));
  EXPECT_FALSE(ParseWholeNumber("99999999999999999999999"));
  EXPECT_FALSE(ParseWholeNumber("$100000000"));
}

TEST(ArgumentNumbers, AnythingButAWholeNumberIsRefused) {
  for (std::string text : {"x", "", "   ", "-", "+", "$", "0x", "12a", "120 ", "1.5", "1,5",
                           "$G", "0x1G", "--1", "+-1", "1 2"}) {
    EXPECT_FALSE(ParseWholeNumber(text)) << "'" << text << "'";
  }
}

TEST(TypedNumbers, TheFirstWordOfTheLineIsTheValueAndTheRestIsIgnored) {
  TypedValue typed = ParseTypedValue("  120 and some more words\r");
  EXPECT_EQ(typed.kind, TypedKind::Number);
  EXPECT_EQ(typed.value, 120);
  typed = ParseTypedValue("1500\r");
  EXPECT_EQ(typed.kind, TypedKind::Number);
  EXPECT_EQ(typed.value, 1500);
  typed = ParseTypedValue("-7\tnext");
  EXPECT_EQ(typed.kind, TypedKind::Number);
  EXPECT_EQ(typed.value, -7);
  typed = ParseTypedValue("$1E");
  EXPECT_EQ(typed.kind, TypedKind::Number);
  EXPECT_EQ(typed.value, 30);
}

TEST(TypedNumbers, ABlankLineHoldsNoValueSoTheReadWaitsForAnother) {
  for (std::string line : {"", "\r", "     \r", "\t \r"}) {
    EXPECT_EQ(ParseTypedValue(line).kind, TypedKind::NoValue) << "'" << line << "'";
  }
}

TEST(TypedNumbers, DigitsRunningIntoLettersAreNoNumber) {
  EXPECT_EQ(ParseTypedValue("120abc\r").kind, TypedKind::NotANumber);
  EXPECT_EQ(ParseTypedValue("  x\r").kind, TypedKind::NotANumber);
  EXPECT_EQ(ParseTypedValue("12.5\r").kind, TypedKind::NotANumber);
}

TEST(TypedNumbers, OnlyThirtyTwoCharactersAreTaken) {
  // Thirty-two zeros then a 5: only the zeros are read.
  TypedValue typed = ParseTypedValue(std::string(32, '0') + "5");
  EXPECT_EQ(typed.kind, TypedKind::Number);
  EXPECT_EQ(typed.value, 0);
  typed = ParseTypedValue(std::string(31, '0') + "5");
  EXPECT_EQ(typed.kind, TypedKind::Number);
  EXPECT_EQ(typed.value, 5);
  // A letter past the thirty-second character is never looked at.
  typed = ParseTypedValue(std::string(31, '0') + "1z");
  EXPECT_EQ(typed.kind, TypedKind::Number);
  EXPECT_EQ(typed.value, 1);
}

}  // namespace

