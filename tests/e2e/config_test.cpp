// The caregiver's settings window driven as the keyboard or a screen reader drives it: each
// field found by the words before it, given text, and the buttons clicked by their words.
// What it wrote is read back from the settings file, the panel's shortcut and the panel.
#include "desktop.h"
#include "panel_settings_environment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using namespace e2e;

namespace {

const char* const Comment = "; o Delay foi medido pelo fisioterapeuta";
const char* const DelayLabel = "Delay: quanto cada op\xE7\xE3o fica acesa (ms):";

// The control whose text begins with text, or, with labelled, the field that follows it.
HWND Control(HWND window, const std::string& text, bool labelled = false) {
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (Caption(child).rfind(text, 0) == 0) return labelled ? GetWindow(child, GW_HWNDNEXT) : child;
  return nullptr;
}

class SettingsWindow : public ::testing::Test {
 protected:
  void TearDown() override { EndProgram(process); }

  bool Open(const std::string& program = "") {
    const std::string exe = program.empty() ? TestFolder() + "acenora-config.exe" : program;
    if (!StartProgram("\"" + exe + "\"", process)) return false;
    return WaitUntil([&] {  // shown once every control is in it
      window = FindProcessWindow(process.dwProcessId, "AcenoraConfig", nullptr);
      return window && IsWindowVisible(window);
    }, 15000);
  }
  void Type(const std::string& label, const std::string& text) {
    SendMessageA(Control(window, label, true), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  // "Aplicar", then the status line's words once it has them. A button clicks only in the
  // active window.
  std::string Apply(const char* expected) {
    Focus(window);
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(Control(window, "Aplicar"), BM_CLICK, 0, 0, SMTO_NORMAL, 60000, &answer);
    HWND status = nullptr;
    WaitUntil([&] { return (status = Control(window, expected)) != nullptr; }, 30000);
    return status ? Caption(status) : "(no status \"" + std::string(expected) + "\")";
  }

  PROCESS_INFORMATION process{};
  HWND window = nullptr;
};

TEST_F(SettingsWindow, ADelayOf1200AndNoSuggestionsGoIntoTheFileAndTheShortcutAndThePanelScansAtIt) {
  ASSERT_TRUE(AddToPanelSettings(std::string(Comment) + "\r\n[TECLADO]\r\nSUGESTOES=5\r\n"));
  ShortcutArguments(PanelShortcut(), L"250 500");
  ASSERT_TRUE(StartPanel("250 500"));
  const DWORD before = PanelProcessId();
  ASSERT_TRUE(Open());

  Type(DelayLabel, "1.5");
  const std::string untouched = FileText(PanelSettingsFile());
  EXPECT_EQ(Apply("Nada foi gravado"), "Nada foi gravado: corrija o que est\xE1 escrito em vermelho ao lado do campo.");
  EXPECT_NE(Control(window, "Escreva um n\xFAmero inteiro, sem v\xEDrgula nem ponto, de 100 a 10000."), nullptr);
  EXPECT_EQ(FileText(PanelSettingsFile()), untouched) << "a refused value wrote something";

  Type(DelayLabel, "1200");
  Type("Palavras sugeridas (0 desliga):", "0");
  const std::string status = Apply("Gravado em");
  EXPECT_NE(status.find("O painel foi aberto de novo"), std::string::npos) << status;
  const std::string file = FileText(PanelSettingsFile());
  EXPECT_NE(file.find(std::string(Comment) + "\r\n"), std::string::npos) << file;
  EXPECT_NE(file.find("[VARREDURA]\r\nDELAY=1200\r\n"), std::string::npos) << file;
  EXPECT_NE(file.find("[TECLADO]\r\nSUGESTOES=0\r\n"), std::string::npos) << file;
  EXPECT_EQ(ShortcutArguments(PanelShortcut()), L"250 1200");

  ASSERT_TRUE(AdoptRunningPanel(15000)) << "no panel runs";
  EXPECT_NE(PanelProcessId(), before) << "the panel was not started again";
  EXPECT_NEAR(static_cast<double>(EightLitChangesMs()), 8 * 1200.0, 8 * 150.0) << Situation();
  EXPECT_EQ(ClosePanel(), 0u);
  InstallPanelSettings();
}

// The program's folder holds a settings file that cannot be written: the user's takes the
// change, and the window says where it went and why.
TEST_F(SettingsWindow, AReadOnlyFileInTheProgramsFolderSendsTheChangeToTheUsersFileAndSaysSo) {
  const std::string folder = std::string(std::getenv("TEMP")) + "\\acenora-config-readonly\\";
  const std::string program = folder + "acenora-config.exe", locked = folder + "ORBITA.INI";
  const std::string users = std::string(std::getenv("APPDATA")) + "\\Acenora\\ORBITA.INI";
  CreateDirectoryA(folder.c_str(), nullptr);
  ASSERT_TRUE(CopyFileA((TestFolder() + "acenora-config.exe").c_str(), program.c_str(), FALSE));
  SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
  ASSERT_TRUE(WritePrivateProfileStringA("VARREDURA", "DELAY", "1500", locked.c_str()));
  SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY);
  DeleteFileA(users.c_str());
  ASSERT_TRUE(Open(program));

  Type(DelayLabel, "1300");
  const std::string status = Apply("Gravado em");  // the user's file
  EXPECT_NE(status.find("\\Acenora\\ORBITA.INI. O painel l\xEA primeiro " + locked), std::string::npos) << status;
  EXPECT_NE(FileText(users).find("DELAY=1300"), std::string::npos) << FileText(users);
  EXPECT_NE(FileText(locked).find("DELAY=1500"), std::string::npos);
  SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(users.c_str());  // the panels of later scenarios read the Windows folder's
  DeleteFileW(PanelShortcut().c_str());  // which took this Delay too
}

}  // namespace
