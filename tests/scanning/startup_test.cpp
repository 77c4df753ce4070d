// Start-up as the user meets it, in a program of its own: values on the command line or
// typed at the prompts, and the "Application Error" box, dismissed, then exit code 1 once
// the panel is closed, when a value is not a whole number.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "support/probe_process.h"

namespace {

BOOL CALLBACK CollectText(HWND child, LPARAM param) {
  char className[64] = {}, text[512] = {};
  GetClassNameA(child, className, sizeof className);
  GetWindowTextA(child, text, sizeof text);
  if (std::string(className) == "Static" && text[0]) *reinterpret_cast<std::string*>(param) += text;
  return TRUE;
}

// The start-up probe, started with arguments, and the windows it shows.
class Probe : public ProbeProcess {
 public:
  // The report path is put in the environment just before the probe starts, then taken out.
  explicit Probe(const std::string& arguments, const std::string& report = "",
                 const std::string& exe = BesideThisProgram("startup_probe.exe"))
      : ProbeProcess((Report(report), exe), arguments) {
    Report("");
  }
  bool started() const { return Started(); }

  // The first window of that class whose caption begins with title.
  HWND WaitForWindow(const std::string& className, const std::string& title) {
    return ProbeProcess::WaitForWindow(
        className, [&](const std::string& caption) { return caption.rfind(title, 0) == 0; }, 30000);
  }
  HWND WaitForErrorBox() { return WaitForWindow("#32770", "Application Error"); }
  HWND WaitForPanel() { return WaitForWindow("ObWinCrt", ""); }

  // Typed on the panel: the characters reach its key queue as the keyboard's would.
  void Type(HWND panel, const std::string& text) {
    for (char c : text) PostMessageA(panel, WM_CHAR, static_cast<unsigned char>(c), 1);
  }
  DWORD ExitCode() { return ProbeProcess::ExitCode(30000); }

 private:
  // Where the probe writes the values it started with; inherited through the environment.
  static void Report(const std::string& path) {
    SetEnvironmentVariableA("STARTUP_REPORT", path.empty() ? nullptr : path.c_str());
  }
};

// The box can be found before its text is in place: look again for up to five seconds.
std::string BoxText(HWND box) {
  std::string text;
  for (int attempt = 0; attempt < 50 && text.empty(); ++attempt) {
    if (attempt) Sleep(100);
    EnumChildWindows(box, CollectText, reinterpret_cast<LPARAM>(&text));
  }
  return text;
}

// Dismisses the box, sees the panel kept open as ended, closes it, and gives the exit code.
DWORD DismissAndClose(Probe& probe, HWND box) {
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  HWND ended = probe.WaitForWindow("ObWinCrt", "(Programa terminado - ");
  EXPECT_NE(ended, nullptr) << "the panel is not kept open with the ended caption";
  EXPECT_TRUE(probe.Running()) << "the program ended before its panel was closed";
  if (ended) PostMessageA(ended, WM_CLOSE, 0, 0);
  return probe.ExitCode();
}

TEST(StartUpErrors, AnArgumentThatIsNoWholeNumberShowsTheConversionErrorAndEndsWithCode1) {
  const std::pair<std::string, std::string> cases[] = {{"x", "x"}, {"250 1.5", "1.5"}, {"12a", "12a"}};
  for (const auto& [arguments, bad] : cases) {
    Probe probe(arguments);
    ASSERT_TRUE(probe.started());
    HWND box = probe.WaitForErrorBox();
    ASSERT_NE(box, nullptr) << "no error box for " << arguments;
    std::string text = BoxText(box);
    EXPECT_EQ(text.rfind("Exception EConvertError in module startup_probe.exe at ", 0), 0u) << text;
    const std::string message = "\n'" + bad + "' is not a valid integer value.";
    ASSERT_GE(text.size(), message.size()) << text;
    EXPECT_EQ(text.substr(text.size() - message.size()), message) << text;
    EXPECT_EQ(DismissAndClose(probe, box), 1u) << arguments;
  }
}

TEST(StartUpErrors, DigitsTypedRightBeforeLettersAreInvalidNumericInput) {
  Probe probe("");
  ASSERT_TRUE(probe.started());
  HWND panel = probe.WaitForPanel();
  ASSERT_NE(panel, nullptr);
  probe.Type(panel, "120abc\r");
  HWND box = probe.WaitForErrorBox();
  ASSERT_NE(box, nullptr);
  std::string text = BoxText(box);
  EXPECT_EQ(text.rfind("Exception EInOutError in module startup_probe.exe at ", 0), 0u) << text;
  const std::string message = "\nInvalid numeric input.";
  ASSERT_GE(text.size(), message.size()) << text;
  EXPECT_EQ(text.substr(text.size() - message.size()), message) << text;
  EXPECT_EQ(DismissAndClose(probe, box), 1u);
}

// Installed three accented folders deep, past the 79 bytes the console keeps of its path.
TEST(StartUpErrors, AProgramDeepInAccentedFoldersIsNamedWholeAndItsPathKeepsItsAccents) {
  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  std::string folder = temp, exe;
  for (const char* name : {"Instala\xE7\xE3o do usu\xE1rio", "Programas de acessibilidade",
                           "Acenora vers\xE3o dois"}) {
    folder += name;
    CreateDirectoryA(folder.c_str(), nullptr);
    folder += '\\';
  }
  exe = folder + "startup_probe.exe";
  ASSERT_GT(exe.size(), 79u);
  ASSERT_TRUE(CopyFileA(BesideThisProgram("startup_probe.exe").c_str(), exe.c_str(), FALSE));
  {
    Probe probe("x", "", exe);
    HWND box = probe.WaitForErrorBox();
    ASSERT_NE(box, nullptr);
    std::string text = BoxText(box);
    EXPECT_EQ(text.rfind("Exception EConvertError in module startup_probe.exe at ", 0), 0u) << text;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    HWND ended = probe.WaitForWindow("ObWinCrt", "(Programa terminado - ");
    ASSERT_NE(ended, nullptr);
    EXPECT_EQ(WindowCaption(ended), "(Programa terminado - " + exe.substr(0, 79) + ")");
    PostMessageA(ended, WM_CLOSE, 0, 0);
    EXPECT_EQ(probe.ExitCode(), 1u);
  }
  DeleteFileA(exe.c_str());
}

// Starts up the probe in report mode and gives back its report line.
std::string StartUpReport(const std::string& arguments, const std::string& typed = "") {
  std::string report = BesideThisProgram("startup_report.txt");
  DeleteFileA(report.c_str());
  Probe probe(arguments, report);
  EXPECT_TRUE(probe.started());
  if (!typed.empty()) {
    HWND panel = probe.WaitForPanel();
    EXPECT_NE(panel, nullptr);
    if (panel) probe.Type(panel, typed);
  }
  EXPECT_EQ(probe.ExitCode(), 0u) << arguments;
  std::ifstream file(report);
  std::string line;
  std::getline(file, line);
  file.close();
  DeleteFileA(report.c_str());
  return line;
}

const std::string Settled = " CurrentMenu=1 KeyboardLayout=0 RepeatArmed=0 SplashMode=0 "
                            "PanelAtBottom=1 ScreenClear=1 Size=80x12";

TEST(StartUpValues, ArgumentsGiveTheThresholdAndTheDwellWithoutPrompts) {
  EXPECT_EQ(StartUpReport("250 2000"), "Threshold=250 DwellMs=2000" + Settled);
  EXPECT_EQ(StartUpReport("45"), "Threshold=45 DwellMs=1000" + Settled) << "the dwell keeps 1000";
  EXPECT_EQ(StartUpReport("$1E 1500 more"), "Threshold=30 DwellMs=1500" + Settled);
  EXPECT_EQ(StartUpReport("5 99999"), "Threshold=5 DwellMs=99999" + Settled) << "ranges only guide";
}

TEST(StartUpValues, TypedValuesSkipBlankLinesAndIgnoreTheRestOfTheirLine) {
  EXPECT_EQ(StartUpReport("", "\r   \r  120 and more\r\r1500\r"), "Threshold=120 DwellMs=1500" + Settled);
}

}  // namespace
