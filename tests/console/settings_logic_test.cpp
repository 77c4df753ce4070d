// The console's display settings as a user writes them in the settings file.
#include "console/logic/console_settings.h"
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>

namespace {

// A settings file held in memory: keys present give their value, missing keys the fallback,
// as the platform's profile reading does. Every key asked for is noted.
struct FakeSettingsFile {
  std::map<std::string, std::string> values;  // "SECTION/KEY" -> value
  std::set<std::string> asked;

  SettingsLookup Lookup() {
    return [this](const char* section, const char* key, const char* fallback) {
      std::string name = std::string(section) + "/" + key;
      asked.insert(name);
      auto found = values.find(name);
      return found == values.end() ? std::string(fallback) : found->second;
    };
  }
  ConsoleSettings Read() { return ReadSettingsWith(Lookup()); }
};

TEST(ConsoleSettingsFile, NoFileGivesLightGreyOnBlackWithTheStockFont) {
  FakeSettingsFile file;
  ConsoleSettings s = file.Read();
  EXPECT_EQ(s.textAttr, 0x07);
  EXPECT_TRUE(s.coloursEnabled);
  EXPECT_FALSE(s.pixelScroll);
  EXPECT_EQ(s.brailleMode, 0);
  EXPECT_FALSE(s.fontWanted);
  EXPECT_FALSE(s.maximiseAtOpen);
}

TEST(ConsoleSettingsFile, YellowTextOnBlue) {
  FakeSettingsFile file;
  file.values = {{"VIDEO/CORLETRA", "14"}, {"VIDEO/CORFUNDO", "1"}};
  EXPECT_EQ(file.Read().textAttr, 0x1E);
}

TEST(ConsoleSettingsFile, ColourNumbersOutsideThePaletteKeepTheirLowFourBits) {
  FakeSettingsFile file;
  file.values = {{"VIDEO/CORLETRA", "20"}, {"VIDEO/CORFUNDO", "-1"}};
  EXPECT_EQ(file.Read().textAttr, 0xF4);  // text colour 4 does not spill into the background
  file.values = {{"VIDEO/CORLETRA", "99999999999999999999"}, {"VIDEO/CORFUNDO", "16"}};
  EXPECT_EQ(file.Read().textAttr & 0xF0, 0x00);
}

TEST(ConsoleSettingsFile, AnEmptyValueLeavesTheBuiltInColour) {
  FakeSettingsFile file;
  file.values = {{"VIDEO/CORLETRA", ""}, {"VIDEO/CORFUNDO", "2"}};
  EXPECT_EQ(file.Read().textAttr, 0x27);
}

TEST(ConsoleSettingsFile, YesAnswersAreDecidedByTheirFirstLetterInEitherCase) {
  FakeSettingsFile file;
  file.values = {{"VIDEO/CORESFIXAS", "sim"}, {"VIDEO/LENTO", "Sim"}};
  ConsoleSettings s = file.Read();
  EXPECT_FALSE(s.coloursEnabled);
  EXPECT_TRUE(s.pixelScroll);
  file.values = {{"VIDEO/CORESFIXAS", "nao sim"}, {"VIDEO/LENTO", "x"}};
  s = file.Read();
  EXPECT_TRUE(s.coloursEnabled);
  EXPECT_FALSE(s.pixelScroll);
}

TEST(ConsoleSettingsFile, BrailleModeIsTheLowTwoBitsOfTheFirstCharacter) {
  FakeSettingsFile file;
  const std::pair<const char*, int> cases[] = {{"0", 0}, {"1", 1}, {"2", 2}, {"3", 3},
                                               {"7", 3}, {"A", 1}, {"", 0}};
  for (auto [value, mode] : cases) {
    file.values = {{"BRAILLE/MODO", value}};
    EXPECT_EQ(file.Read().brailleMode, mode) << value;
  }
}

TEST(ConsoleSettingsFile, NoFaceNameMeansTheFourFontKeysAreNotEvenRead) {
  FakeSettingsFile file;
  file.values = {{"VIDEO/FONTE", ""},         {"VIDEO/LARGURALETRA", "20"},
                 {"VIDEO/ALTURALETRA", "30"}, {"VIDEO/PESOLETRA", "400"},
                 {"VIDEO/CANTOTELA", "N"}};
  ConsoleSettings s = file.Read();
  EXPECT_FALSE(s.fontWanted);
  EXPECT_FALSE(s.maximiseAtOpen);
  EXPECT_EQ(file.asked.count("VIDEO/LARGURALETRA"), 0u);
  EXPECT_EQ(file.asked.count("VIDEO/CANTOTELA"), 0u);
  EXPECT_EQ(file.asked.count("BRAILLE/MODO"), 1u);
}

TEST(ConsoleSettingsFile, AFaceNameBringsItsSizesOrTheBuiltInOnes) {
  FakeSettingsFile file;
  file.values = {{"VIDEO/FONTE", "Courier New"}};
  ConsoleSettings s = file.Read();
  EXPECT_TRUE(s.fontWanted);
  EXPECT_EQ(s.faceName, "Courier New");
  EXPECT_EQ(s.fontWidth, 12);
  EXPECT_EQ(s.fontHeight, 18);
  EXPECT_EQ(s.fontWeight, 700);
  file.values = {{"VIDEO/FONTE", "Courier New"}, {"VIDEO/LARGURALETRA", "9"},
                 {"VIDEO/ALTURALETRA", " 16px"}, {"VIDEO/PESOLETRA", "$190"}};
  s = file.Read();
  EXPECT_EQ(s.fontWidth, 9);
  EXPECT_EQ(s.fontHeight, 16);
  EXPECT_EQ(s.fontWeight, 400);
}

TEST(ConsoleSettingsFile, FontSizesStayWithinWhatACellCanBe) {
  FakeSettingsFile file;
  file.values = {{"VIDEO/FONTE", "Arial"}, {"VIDEO/LARGURALETRA", "-5"},
                 {"VIDEO/ALTURALETRA", "100000"}, {"VIDEO/PESOLETRA", "5000"}};
  ConsoleSettings s = file.Read();
  EXPECT_EQ(s.fontWidth, 0);
  EXPECT_EQ(s.fontHeight, 200);
  EXPECT_EQ(s.fontWeight, 1000);
}

TEST(ConsoleSettingsFile, ALongFaceNameIsCutToWhatThePlatformKeeps) {
  FakeSettingsFile file;
  std::string face(79, 'F');
  file.values = {{"VIDEO/FONTE", face}};
  ConsoleSettings s = file.Read();
  EXPECT_EQ(s.faceName, face.substr(0, FaceNameLimit));
}

TEST(ConsoleSettingsFile, ScreenCornerIsDecidedByTheFirstLetterLikeEveryYesNoKey) {
  FakeSettingsFile file;
  const std::pair<const char*, bool> cases[] = {
      {"S", false}, {"sim", false}, {"N", true}, {"nS", true}, {"", false}};
  for (auto [value, maximised] : cases) {
    file.values = {{"VIDEO/FONTE", "Arial"}, {"VIDEO/CANTOTELA", value}};
    EXPECT_EQ(file.Read().maximiseAtOpen, maximised) << value;
  }
}

TEST(ConsoleSettingsFile, JunkValuesGiveUsableSettings) {
  FakeSettingsFile file;
  std::string junk;
  for (int i = 1; i < 80; i++) junk += static_cast<char>(i * 37 % 255 + 1);
  for (const char* key : {"VIDEO/CORESFIXAS", "VIDEO/LENTO", "VIDEO/CORFUNDO", "VIDEO/CORLETRA",
                          "BRAILLE/MODO", "VIDEO/FONTE", "VIDEO/LARGURALETRA",
                          "VIDEO/ALTURALETRA", "VIDEO/PESOLETRA", "VIDEO/CANTOTELA"})
    file.values[key] = junk;
  ConsoleSettings s = file.Read();
  EXPECT_GE(s.brailleMode, 0);
  EXPECT_LE(s.brailleMode, 3);
  EXPECT_LE(s.faceName.size(), size_t(FaceNameLimit));
  EXPECT_GE(s.fontWidth, 0);
  EXPECT_LE(s.fontWidth, 200);
  EXPECT_GE(s.fontWeight, 0);
  EXPECT_LE(s.fontWeight, 1000);
}

TEST(WholeNumberReading, DecimalHexSignsAndWhereReadingStops) {
  EXPECT_EQ(ReadWholeNumber("14"), 14);
  EXPECT_EQ(ReadWholeNumber("   7"), 7);
  EXPECT_EQ(ReadWholeNumber("-3"), -3);
  EXPECT_EQ(ReadWholeNumber("+12"), 12);
  EXPECT_EQ(ReadWholeNumber("12abc"), 12);
  EXPECT_EQ(ReadWholeNumber("$1F"), 31);
  EXPECT_EQ(ReadWholeNumber("0x1f"), 31);
  EXPECT_EQ(ReadWholeNumber("-$10"), -16);
  EXPECT_EQ(ReadWholeNumber("abc"), 0);
  EXPECT_EQ(ReadWholeNumber(""), 0);
  EXPECT_EQ(ReadWholeNumber("-"), 0);
  EXPECT_EQ(ReadWholeNumber("99999999999999999999"), 2147483647);
  EXPECT_EQ(ReadWholeNumber("-99999999999999999999"), -2147483647 - 1);
}

TEST(WholeNumberReading, FirstLetterUpperCasesOnlyPlainLetters) {
  EXPECT_EQ(FirstLetterUpper("sim"), 'S');
  EXPECT_EQ(FirstLetterUpper("N"), 'N');
  EXPECT_EQ(FirstLetterUpper("\xe1"), '\xe1');  // an accented letter is left alone
  EXPECT_EQ(FirstLetterUpper(""), 0);
}

}  // namespace
