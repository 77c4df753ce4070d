// The Locutor as a person who cannot speak meets it, with the panel and the Ctrl switch
// alone: "Locutor" opens it, the panel's keyboard types "Olá" into its line, "Ent" says it
// and keeps it in the list and the phrase file, and "Cim" then "Ent" says it again. Its
// speech is recorded (this Wine has no voice); started with the real speech, it says it has
// no voice and still keeps the phrase. Without any Locutor the panel says so and scans on.
#include "desktop.h"
#include "panel_settings_environment.h"
#include "support/probe_process.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using namespace e2e;

namespace {

constexpr int Dwell = 400;
constexpr Shape MouseMenuShape{16, 11};
const std::string Ola = "Ol\xC3\xA1\n";  // in UTF-8, as the record holds it

struct Press { int row, key; const char* token; };
// "Olá" and "Ent" from the lower-case letters; then, from the function keys, "Cim" and "Ent".
const Press TypeOla[] = {{1, 2, "Mai"}, {2, 4, "O"}, {2, 6, "Act"}, {1, 2, "Alf"}, {4, 4, "l"},
                         {2, 6, "Act"}, {2, 1, "\xE1"}, {1, 2, "Alf"}, {7, 1, "Ent"}};
const Press UpAndEnter[] = {{3, 3, "Cim"}, {6, 1, "Ent"}};

HWND LocutorWindow() { return FindWindowA("AcenoraLocutor", nullptr); }
HWND LocutorPart(const char* className) {
  return LocutorWindow() ? FindWindowExA(LocutorWindow(), nullptr, className, nullptr) : nullptr;
}

class LocutorWithThePanel : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteFileA(PhraseFile.c_str());
    DeleteFileA(Record.c_str());
    // The panel from a folder of its own, as a zip holds it.
    CreateDirectoryA(Folder.c_str(), nullptr);
    DeleteFileA((Folder + "locutor.exe").c_str());
    for (const char* file : {"acenora.exe", "obkbm32.dll"})
      ASSERT_TRUE(CopyFileA(BesideThisProgram(file).c_str(), (Folder + file).c_str(), FALSE)) << file;
    SetEnvironmentVariableA("ACENORA_SPEECH_RECORD", Record.c_str());
  }
  void TearDown() override {
    if (LocutorWindow()) PostMessageA(LocutorWindow(), WM_CLOSE, 0, 0);
    ClosePanel();
    UseProgramFolder("");
  }
  // From that folder, past the start-up screen to the mouse menu, then "Meus programas".
  void StartInMyPrograms() {
    SetDwell(Dwell);
    UseProgramFolder(Folder);
    ASSERT_TRUE(StartPanel("250 " + std::to_string(Dwell)));
    ASSERT_TRUE(WaitUntil([] { return Caption(PanelWindow()) == "Acenora - v2.0"; }, 5000));
    LearnFrame(30, 9);
    ASSERT_TRUE(WaitUntil([] { return PanelVisible() && PanelShape() == MouseMenuShape; }, 20000));
    ASSERT_TRUE(ChooseOption(11)) << Situation();  // "Meus programas"
  }
  static void Choose(const Press* first, const Press* last) {
    for (const Press* press = first; press != last; ++press)
      ASSERT_TRUE(ChooseKey(press->row, press->key, press->token)) << press->token << ": " << Situation();
  }

  const std::string PhraseFile = std::string(std::getenv("APPDATA")) + "\\Acenora\\frases.txt";
  const std::string Record = std::string(std::getenv("TEMP")) + "\\acenora-falas.txt";
  const std::string Folder = std::string(std::getenv("TEMP")) + "\\acenora-locutor\\";
};

TEST_F(LocutorWithThePanel, SaysWhatTheKeyboardTypedAndSaysItAgainFromTheList) {
  ASSERT_TRUE(CopyFileA(BesideThisProgram("recorded\\locutor.exe").c_str(),
                        (Folder + "locutor.exe").c_str(), FALSE));  // records its speech
  ASSERT_NO_FATAL_FAILURE(StartInMyPrograms());
  ASSERT_TRUE(ChooseOption(5)) << Situation();   // "Locutor"
  ASSERT_TRUE(WaitUntil([] { return LocutorWindow() != nullptr; }, 10000)) << "no Locutor";
  ASSERT_TRUE(Focus(LocutorWindow()));
  ASSERT_TRUE(ChooseOption(9)) << Situation();   // "Digita"
  Choose(std::begin(TypeOla), std::end(TypeOla));
  EXPECT_TRUE(WaitUntil([&] { return FileText(Record) == Ola; }, 5000)) << FileText(Record);
  wchar_t shown[64] = {};
  SendMessageW(LocutorPart("ListBox"), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(shown));
  EXPECT_EQ(std::wstring(shown), L"Ol\u00E1") << "the newest phrase of the list";
  EXPECT_EQ(FileText(PhraseFile).rfind("Ol\xC3\xA1\r\nSim\r\n", 0), 0u) << FileText(PhraseFile);

  ASSERT_TRUE(ChooseKey(1, 1, "Sel")) << Situation();
  ASSERT_TRUE(ChooseOption(2)) << Situation();   // "Funcao"
  Choose(std::begin(UpAndEnter), std::end(UpAndEnter));
  EXPECT_TRUE(WaitUntil([&] { return FileText(Record) == Ola + Ola; }, 5000)) << FileText(Record);
}

// No window of the system's may stop the one thread: the shell is asked for none.
TEST_F(LocutorWithThePanel, WithoutALocutorThePanelSaysSoAndScansOn) {
  ASSERT_NO_FATAL_FAILURE(StartInMyPrograms());
  ASSERT_TRUE(ChooseOption(5)) << Situation();   // "Locutor", which this folder lacks
  EXPECT_TRUE(WaitUntil([] { return Caption(PanelWindow()) == "N\xE3o encontrado: locutor"; },
                        5000)) << Situation();
  EXPECT_TRUE(WaitForLitStart({3, 0}, 5000)) << "the scan stopped: " << Situation();
  EXPECT_EQ(FindProcessWindow(PanelProcessId(), "#32770", nullptr), nullptr)
      << "a box of the system's showed";
  EXPECT_TRUE(WaitUntil([] { return Caption(PanelWindow()) == "Acenora - v2.0"; }, 6000));
}

TEST_F(LocutorWithThePanel, WithoutAVoiceItSaysSoAndStillKeepsThePhrase) {
  PROCESS_INFORMATION locutor{};
  ASSERT_TRUE(StartProgram("\"" + BesideThisProgram("locutor.exe") + "\"", locutor));
  ASSERT_TRUE(WaitUntil([] { return LocutorWindow() != nullptr; }, 10000));
  ASSERT_TRUE(Focus(LocutorWindow()));
  TypeText("Sim, agora");
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return FileText(PhraseFile).rfind("Sim, agora\r\nSim\r\n", 0) == 0; },
                        5000)) << FileText(PhraseFile);
  char status[256] = {};
  GetWindowTextA(LocutorPart("Static"), status, sizeof status);
  EXPECT_EQ(std::string(status).rfind("Sem voz neste computador", 0), 0u) << status;
  // Narrowed, the window wraps the notice over as many lines as it needs: none is cut.
  SetWindowPos(LocutorWindow(), nullptr, 0, 0, 320, 460, SWP_NOMOVE | SWP_NOZORDER);
  RECT shown{}, needed{};
  GetClientRect(LocutorPart("Static"), &shown);
  needed.right = shown.right;
  HDC dc = GetDC(LocutorPart("Static"));
  SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(LocutorPart("Static"), WM_GETFONT, 0, 0)));
  DrawTextA(dc, status, -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  ReleaseDC(LocutorPart("Static"), dc);
  EXPECT_GT(needed.bottom, 20) << "the notice fits one line: the check proves nothing";
  EXPECT_GE(shown.bottom, needed.bottom) << "the notice is cut";
  EndProgram(locutor);
}

}  // namespace
