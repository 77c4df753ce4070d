// The Locutor as a person who cannot speak meets it, with the panel and the Ctrl switch
// alone: "Locutor" opens it, the panel's keyboard types "Olá" into its line, "Ent" says it
// and keeps it in the list and the phrase file, and "Cim" then "Ent" says it again. Its
// speech is recorded (this Wine has no voice); started with the real speech, it says it has
// no voice and still keeps the phrase.
#include "desktop.h"
#include "panel_settings_environment.h"

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

using namespace e2e;

namespace {

constexpr int Dwell = 400;
constexpr Shape MouseMenuShape{16, 11}, LetterKeyboardShape{23, 8};
const char* const Ola = "Ol\xC3\xA1";  // in UTF-8, as the file and the record hold it

struct Press { int row, key; const char* token; };
// "Olá" from the lower-case letters, as a user picks it, then "Ent".
const Press TypeOla[] = {{1, 2, "Mai"}, {2, 4, "O"},      {2, 6, "Act"}, {1, 2, "Alf"},
                         {4, 4, "l"},   {2, 6, "Act"},    {2, 1, "\xE1"}, {1, 2, "Alf"},
                         {7, 1, "Ent"}};
// Back to the keyboard choice, the function keys, and the last phrase said again.
const Press SayAgain[] = {{1, 1, "Sel"}};
const Press UpAndEnter[] = {{3, 3, "Cim"}, {6, 1, "Ent"}};

std::string ReadWhole(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

std::string RoamingFolder() {
  char path[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, path);
  return path;
}

std::string TempFolder() {
  char path[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, path);
  return path;
}

HWND LocutorWindow() { return FindWindowA("AcenoraLocutor", nullptr); }

HWND Child(HWND window, const char* className) {
  return window ? FindWindowExA(window, nullptr, className, nullptr) : nullptr;
}

std::wstring FirstPhraseShown() {
  HWND list = Child(LocutorWindow(), "ListBox");
  wchar_t text[256] = {};
  if (!list || SendMessageW(list, LB_GETTEXTLEN, 0, 0) >= 256) return L"";
  SendMessageW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
  return text;
}

class LocutorWithThePanel : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteFileA(PhraseFile.c_str());
    DeleteFileA(Record.c_str());
    // The panel from a folder holding the Locutor that records its speech, as a zip holds it.
    CreateDirectoryA(Folder.c_str(), nullptr);
    for (const char* file : {"acenora.exe", "obkbm32.dll"})
      ASSERT_TRUE(CopyFileA(Beside(file).c_str(), (Folder + file).c_str(), FALSE)) << file;
    ASSERT_TRUE(CopyFileA(Beside("recorded\\locutor.exe").c_str(), (Folder + "locutor.exe").c_str(), FALSE));
    SetEnvironmentVariableA("ACENORA_SPEECH_RECORD", Record.c_str());
  }
  void TearDown() override {
    if (HWND locutor = LocutorWindow()) PostMessageA(locutor, WM_CLOSE, 0, 0);
    ClosePanel();
    UseProgramFolder("");
  }
  static std::string Beside(const char* file) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1) + file;
  }
  void Choose(const Press* first, const Press* last) {
    for (const Press* press = first; press != last; ++press)
      ASSERT_TRUE(ChooseKey(press->row, press->key, press->token)) << press->token << ": " << Situation();
  }

  const std::string PhraseFile = RoamingFolder() + "\\Acenora\\frases.txt";
  const std::string Record = TempFolder() + "acenora-falas.txt";
  const std::string Folder = TempFolder() + "acenora-locutor\\";
};

TEST_F(LocutorWithThePanel, SaysWhatTheKeyboardTypedAndSaysItAgainFromTheList) {
  SetDwell(Dwell);
  UseProgramFolder(Folder);
  ASSERT_TRUE(StartPanel("250 " + std::to_string(Dwell)));
  ASSERT_TRUE(WaitUntil([] { return Caption(PanelWindow()) == "Acenora - v2.0"; }, 5000));
  LearnFrame(30, 9);
  ASSERT_TRUE(WaitUntil([] { return PanelVisible() && PanelShape() == MouseMenuShape; }, 20000));

  ASSERT_TRUE(ChooseOption(11)) << Situation();  // "Meus programas"
  ASSERT_TRUE(ChooseOption(5)) << Situation();   // "Locutor"
  ASSERT_TRUE(WaitUntil([] { return LocutorWindow() != nullptr; }, 10000)) << "no Locutor";
  ASSERT_TRUE(Focus(LocutorWindow()));
  ASSERT_TRUE(WaitUntil([] { return PanelVisible() && PanelShape() == MouseMenuShape; }, 10000));
  ASSERT_TRUE(ChooseOption(9)) << Situation();   // "Digita"
  ASSERT_TRUE(WaitUntil([] { return PanelShape() == LetterKeyboardShape; }, 10000));
  Choose(std::begin(TypeOla), std::end(TypeOla));
  EXPECT_TRUE(WaitUntil([&] { return ReadWhole(Record) == std::string(Ola) + "\n"; }, 5000))
      << "said: " << ReadWhole(Record);
  EXPECT_EQ(FirstPhraseShown(), L"Ol\u00E1");
  EXPECT_EQ(ReadWhole(PhraseFile).rfind(std::string(Ola) + "\r\nSim\r\n", 0), 0u)
      << "the phrase file: " << ReadWhole(PhraseFile);

  Choose(std::begin(SayAgain), std::end(SayAgain));
  ASSERT_TRUE(ChooseOption(2)) << Situation();   // "Funcao"
  Choose(std::begin(UpAndEnter), std::end(UpAndEnter));
  EXPECT_TRUE(WaitUntil([&] { return ReadWhole(Record) == std::string(Ola) + "\n" + Ola + "\n"; }, 5000))
      << "said: " << ReadWhole(Record);
}

TEST_F(LocutorWithThePanel, WithoutAVoiceItSaysSoAndStillKeepsThePhrase) {
  PROCESS_INFORMATION locutor{};
  ASSERT_TRUE(StartProgram("\"" + Beside("locutor.exe") + "\"", locutor));
  ASSERT_TRUE(WaitUntil([] { return LocutorWindow() != nullptr; }, 10000));
  ASSERT_TRUE(Focus(LocutorWindow()));
  TypeText("Sim, agora");
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return ReadWhole(PhraseFile).rfind("Sim, agora\r\nSim\r\n", 0) == 0; }, 5000))
      << "the phrase file: " << ReadWhole(PhraseFile);
  char status[256] = {};
  GetWindowTextA(Child(LocutorWindow(), "Static"), status, sizeof status);
  EXPECT_EQ(std::string(status).rfind("Sem voz neste computador", 0), 0u) << status;
  EndProgram(locutor);
}

}  // namespace
