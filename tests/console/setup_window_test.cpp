// The console window as a program first uses it: the settings file in the Windows directory
// decides its colours, font and Braille mode; it opens on the first drawing; and standard
// output and input go through it.
#include "console/ObCrt.h"
#include <gtest/gtest.h>
#include <fstream>
#include <iostream>
#include <limits>
#include <string>

namespace {

std::string SettingsPath() {
  char dir[MAX_PATH] = {};
  GetWindowsDirectoryA(dir, MAX_PATH);
  return std::string(dir) + "\\ORBITA.INI";
}

void WriteSettings(const std::string& contents) {
  std::ofstream file(SettingsPath(), std::ios::binary | std::ios::trunc);
  file << contents;
}

void RemoveSettings() { DeleteFileA(SettingsPath().c_str()); }

std::string Row(int row, int length) {
  return std::string(reinterpret_cast<const char*>(CellChars + row * ScreenCols), length);
}

void PostTyped(const std::string& text) {
  for (char c : text) PostMessageA(ConsoleWindow, WM_CHAR, static_cast<unsigned char>(c), 0);
}

LOGFONTA FontDescription() {
  LOGFONTA font{};
  GetObjectA(ConsoleFont, sizeof(font), &font);
  return font;
}

// Every case starts with no settings file and no window, as a program does at start.
class ConsoleSettingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    RemoveSettings();
    ScreenCols = 80;
    ScreenRows = 25;
  }
  void TearDown() override {
    RemoveSettings();
    if (WindowOpen) DestroyWindow(ConsoleWindow);
    MSG quit;  // the destroyed window's quit message would halt the next case
    while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    KeyCount = 0;
    BrailleMode = 0;
    std::cin.clear();
    // Drop what a case left unread on its line without asking the device for more.
    while (std::cin.rdbuf()->in_avail() > 0) std::cin.rdbuf()->sbumpc();
  }
};

TEST_F(ConsoleSettingsFile, NoFileGivesLightGreyOnBlackTheStockFontAndANormalWindow) {
  TextAttr = 0x5A;
  ColoursEnabled = false;
  PixelScroll = true;
  BrailleMode = 2;
  MaximiseAtOpen = true;
  ReadConsoleSettings();
  EXPECT_EQ(TextAttr, 0x07);
  EXPECT_TRUE(ColoursEnabled);
  EXPECT_FALSE(PixelScroll);
  EXPECT_EQ(BrailleMode, 0);
  EXPECT_EQ(ConsoleFont, nullptr);
  EXPECT_FALSE(MaximiseAtOpen);
  ClearScreen();
  EXPECT_FALSE(IsZoomed(ConsoleWindow));
  EXPECT_EQ(CellAttrs[0], 0x07);
}

TEST_F(ConsoleSettingsFile, YellowOnBlueFromTheFirstCharacterWritten) {
  WriteSettings("[VIDEO]\r\nCORLETRA=14\r\nCORFUNDO=1\r\n");
  BindConsoleStreams();
  std::cout << "Ola";
  EXPECT_EQ(Row(0, 3), "Ola");
  EXPECT_EQ(CellAttrs[0], 0x1E);
  EXPECT_EQ(CellAttrs[2], 0x1E);
}

TEST_F(ConsoleSettingsFile, FixedColoursBeginningWithALowerCaseSStayWhateverIsAsked) {
  WriteSettings("[VIDEO]\r\nCORESFIXAS=sim\r\nCORLETRA=10\r\n");
  ClearScreen();
  SetForeground(4);
  SetBackground(2);
  EXPECT_FALSE(ColoursEnabled);
  EXPECT_EQ(TextAttr, 0x0A);
  // Only a highlight may change them: the configured colours swapped, then back.
  SetFixedHighlight(true);
  EXPECT_EQ(TextAttr, 0xA0);
  SetFixedHighlight(false);
  EXPECT_EQ(TextAttr, 0x0A);
}

TEST_F(ConsoleSettingsFile, WithColoursFreeTheFixedHighlightChangesNothing) {
  WriteSettings("[VIDEO]\r\nCORLETRA=14\r\nCORFUNDO=1\r\n");
  ClearScreen();
  SetBackground(4);
  SetFixedHighlight(true);
  EXPECT_EQ(TextAttr, 0x4E);
  SetFixedHighlight(false);
  EXPECT_EQ(TextAttr, 0x4E);
}

TEST_F(ConsoleSettingsFile, WithoutAFaceNameTheFontKeysAreIgnored) {
  WriteSettings("[VIDEO]\r\nFONTE=\r\nLARGURALETRA=20\r\nALTURALETRA=30\r\n"
                "PESOLETRA=400\r\nCANTOTELA=N\r\n");
  ReadConsoleSettings();
  EXPECT_EQ(ConsoleFont, nullptr);
  EXPECT_FALSE(MaximiseAtOpen);
}

TEST_F(ConsoleSettingsFile, AFaceNameMakesTheFontAndTheCornerKeyMaximises) {
  WriteSettings("[VIDEO]\r\nFONTE=Courier New\r\nLARGURALETRA=10\r\nALTURALETRA=20\r\n"
                "PESOLETRA=400\r\nCANTOTELA=N\r\n");
  ReadConsoleSettings();
  ASSERT_NE(ConsoleFont, nullptr);
  LOGFONTA font = FontDescription();
  EXPECT_EQ(font.lfHeight, 20);
  EXPECT_EQ(font.lfWidth, 10);
  EXPECT_EQ(font.lfWeight, 400);
  EXPECT_STREQ(font.lfFaceName, "Courier New");
  EXPECT_TRUE(MaximiseAtOpen);
  ClearScreen();
  EXPECT_TRUE(IsZoomed(ConsoleWindow));
}

TEST_F(ConsoleSettingsFile, AFaceNameAloneTakesTheBuiltInSizes) {
  WriteSettings("[VIDEO]\r\nFONTE=Arial\r\nCANTOTELA=sim\r\n");
  ReadConsoleSettings();
  ASSERT_NE(ConsoleFont, nullptr);
  LOGFONTA font = FontDescription();
  EXPECT_EQ(font.lfHeight, 18);
  EXPECT_EQ(font.lfWidth, 12);
  EXPECT_EQ(font.lfWeight, 700);
  EXPECT_FALSE(MaximiseAtOpen);
}

TEST_F(ConsoleSettingsFile, BrailleModeComesFromItsOwnSectionAndThreeStartsAsOne) {
  WriteSettings("[BRAILLE]\r\nMODO=3\r\n");
  ReadConsoleSettings();
  EXPECT_EQ(BrailleMode, 3);
  ClearScreen();
  EXPECT_EQ(BrailleMode, 1);
}

TEST_F(ConsoleSettingsFile, BrailleModeTwoIsTheModeOnceTheWindowIsOpen) {
  WriteSettings("[BRAILLE]\r\nMODO=2\r\n");
  ClearScreen();
  EXPECT_EQ(BrailleMode, 2);
  EXPECT_EQ(ToneBuffer, nullptr);  // the announcement has played and given its sound back
}

TEST_F(ConsoleSettingsFile, AFileFullOfJunkStillGivesAWorkingWindow) {
  std::string junk = "\x01\x02[VIDEO\r\n=\r\n[VIDEO]\r\nCORLETRA=999999999999\r\nCORFUNDO=-17\r\n"
                     "FONTE=" + std::string(80, 'W') + "\r\nALTURALETRA=-99999\r\n"
                     "LARGURALETRA=zz\r\nPESOLETRA=$FFFFFFFFFF\r\n[BRAILLE]\r\nMODO=\x01\r\n";
  for (int i = 0; i < 2000; i++) junk += static_cast<char>(i * 131 % 251 + 1);
  WriteSettings(junk);
  ReadConsoleSettings();
  ASSERT_NE(ConsoleFont, nullptr);
  std::string face = FontDescription().lfFaceName;
  EXPECT_LE(face.size(), 31u);
  EXPECT_EQ(face, std::string(face.size(), 'W'));
  EXPECT_GE(BrailleMode, 0);
  EXPECT_LE(BrailleMode, 3);
  ClearScreen();
  WriteText(reinterpret_cast<const unsigned char*>("ok"), 2);
  EXPECT_EQ(Row(0, 2), "ok");
}

TEST_F(ConsoleSettingsFile, TheWindowOpensOnTheFirstDrawingAndNotOnPositioning) {
  BindConsoleStreams();
  GoToCell(5, 5);
  CurrentRow();
  std::cout.flush();
  EXPECT_FALSE(WindowOpen);
  EXPECT_EQ(FindWindowA("ObWinCrt", nullptr), nullptr);
  ClearScreen();
  ASSERT_TRUE(WindowOpen);
  EXPECT_TRUE(IsWindowVisible(ConsoleWindow));
  EXPECT_EQ(FindWindowA("ObWinCrt", nullptr), ConsoleWindow);
  char caption[128] = {}, path[MAX_PATH] = {};
  GetWindowTextA(ConsoleWindow, caption, sizeof(caption));
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  EXPECT_STREQ(caption, path);
  EXPECT_STREQ(ModulePath, path);
}

TEST_F(ConsoleSettingsFile, AWriteStatementDrawsAndLetsPendingMessagesThrough) {
  BindConsoleStreams();
  ClearScreen();
  PostTyped("q");
  EXPECT_EQ(KeyCount, 0);
  std::cout << "Volume";
  EXPECT_EQ(Row(0, 6), "Volume");
  EXPECT_EQ(KeyCount, 1);
}

TEST_F(ConsoleSettingsFile, AWriteLongerThanTheDeviceBufferArrivesWhole) {
  BindConsoleStreams();
  ClearScreen();
  std::cout << std::string(300, 'x') << 7 << '\n' << "fim";
  EXPECT_EQ(Row(0, 80), std::string(80, 'x'));
  EXPECT_EQ(Row(2, 80), std::string(80, 'x'));
  EXPECT_EQ(Row(3, 62), std::string(60, 'x') + "7 ");
  EXPECT_EQ(Row(4, 3), "fim");
}

TEST_F(ConsoleSettingsFile, ATypedNumberIsReadPastBlankLinesAndTheRestOfItsLineCanBeDropped) {
  BindConsoleStreams();
  ClearScreen();
  PostTyped("\r  120 abc\r7\r");
  int threshold = 0, dwell = 0;
  std::cin >> threshold;
  std::cin.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
  std::cin >> dwell;
  EXPECT_EQ(threshold, 120);
  EXPECT_EQ(dwell, 7);
  EXPECT_EQ(Row(1, 9), "  120 abc");  // the typing is echoed on the console
  EXPECT_EQ(Row(2, 1), "7");
}

TEST_F(ConsoleSettingsFile, ALineReadWholeKeepsTheCarriageReturnThatEnterTyped) {
  BindConsoleStreams();
  ClearScreen();
  PostTyped("Sim\r");
  std::string line;
  ASSERT_TRUE(std::getline(std::cin, line));
  EXPECT_EQ(line, "Sim\r");
}

}  // namespace
