// The guide LEIAME.txt and the sample ORBITA.INI.exemplo as a Windows user's Notepad and the
// console read them: code page 1252 with CR LF line ends, the sample read through the
// platform's profile calls and the console's own settings reader, and the guide naming every
// option and special key exactly as the panel shows them.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <iterator>
#include <string>

#include "console/logic/console_settings.h"
#include "scanning/core/uopcoes.h"
#include "scanning/core/uvars.h"

namespace {

const std::string Folder = ACENORA_DIST_DIR;

std::string ReadBytes(const std::string& name) {
  std::ifstream file(Folder + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Bytes code page 1252 leaves undefined, and control bytes other than CR and LF.
bool Cp1252Text(unsigned char c) {
  if (c == '\r' || c == '\n') return true;
  if (c < 32 || c == 127) return false;
  return c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D;
}

void ExpectNotepadText(const std::string& name) {
  std::string text = ReadBytes(name);
  ASSERT_GT(text.size(), 100u) << name << " missing or nearly empty";
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    ASSERT_TRUE(Cp1252Text(c)) << name << ": byte " << int(c) << " at " << i;
    bool next = i + 1 < text.size();
    ASSERT_FALSE(c == '\n' && (i == 0 || text[i - 1] != '\r')) << name << ": bare LF at " << i;
    ASSERT_FALSE(c == '\r' && (!next || text[i + 1] != '\n')) << name << ": bare CR at " << i;
    // A UTF-8 accented letter (0xC3 and a continuation byte) would show as two symbols.
    ASSERT_FALSE(c == 0xC3 && next && (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80)
        << name << ": UTF-8 at " << i;
  }
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n") << name << ": last line unterminated";
}

TEST(ShippedTexts, AreCodePage1252WithCrLfLineEnds) {
  ExpectNotepadText("LEIAME.txt");
  ExpectNotepadText("ORBITA.INI.exemplo");
  EXPECT_NE(ReadBytes("LEIAME.txt").find("O QUE \xC9"), std::string::npos) << "accents not in 1252";
}

TEST(ShippedTexts, SampleSettingsGiveLargeBoldYellowOnBlackAtNormalSize) {
  char path[MAX_PATH];
  GetFullPathNameA((Folder + "/ORBITA.INI.exemplo").c_str(), MAX_PATH, path, nullptr);
  ConsoleSettings settings = ReadSettingsWith([&](const char* section, const char* key,
                                                  const char* fallback) {
    char value[80] = {};
    DWORD n = GetPrivateProfileStringA(section, key, fallback, value, sizeof value, path);
    return std::string(value, n);
  });
  EXPECT_EQ(settings.textAttr, 0x0E);  // yellow on black
  EXPECT_TRUE(settings.coloursEnabled);
  EXPECT_FALSE(settings.pixelScroll);
  EXPECT_EQ(settings.brailleMode, 0);
  EXPECT_TRUE(settings.fontWanted);
  EXPECT_EQ(settings.faceName, "Courier New");
  EXPECT_EQ(settings.fontWidth, 12);
  EXPECT_EQ(settings.fontHeight, 24);
  EXPECT_EQ(settings.fontWeight, 700);
  EXPECT_FALSE(settings.maximiseAtOpen);
}

// The guide's menu and key lists are checked against the panel's own tables, so a label
// renamed in the program shows up here.
TEST(ShippedTexts, GuideNamesEveryOptionAndSpecialKeyAsThePanelShowsThem) {
  std::string guide = ReadBytes("LEIAME.txt");
  for (int menu = 1; menu <= MenuCount; ++menu)
    for (int option = 1; option <= OptionCount[menu]; ++option)
      EXPECT_NE(guide.find(OptionLabel(menu, option)), std::string::npos)
          << "menu " << menu << " option " << option << " '" << OptionLabel(menu, option) << "'";
  for (int layout = 1; layout <= LayoutCount; ++layout)
    for (int row = 1; row <= KeyboardRows[layout]; ++row) {
      std::string text = KeyboardRowText(layout, row);
      for (size_t at = 0; at < text.size(); at += 4) {
        std::string cell = text.substr(at, 4);
        std::string token = cell.substr(0, cell.find(' '));
        // The function keys are named together, as "F1 a F12".
        if (token.size() > 1 && token[0] == 'F' && isdigit(static_cast<unsigned char>(token[1])))
          token = "F1 a F12";
        if (token.size() > 1) {
          EXPECT_NE(guide.find("  " + token + " "), std::string::npos) << token;
        }
      }
    }
}

}  // namespace
