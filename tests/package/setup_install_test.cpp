// The setup as a technician runs it, silently, in this prefix: the programs in the user's
// own programs folder, the shortcuts read back, the uninstall entry, the panel started as its
// shortcut starts it, installed again and uninstalled while it runs, and a silent uninstall
// that leaves only the user's settings file.
#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <tuple>
#include <utility>

#include "e2e/desktop.h"
#include "support/probe_process.h"

namespace {

std::wstring Known(REFKNOWNFOLDERID id) {
  wchar_t* path = nullptr;
  std::wstring folder;
  if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path))) folder = path;
  CoTaskMemFree(path);
  return folder;
}

std::string Narrow(const std::wstring& text) {
  char bytes[1024] = {};
  WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, bytes, sizeof bytes, nullptr, nullptr);
  return bytes;
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

const wchar_t UninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Acenora";
const std::wstring InstallFolder = Known(FOLDERID_LocalAppData) + L"\\Programs\\Acenora";
const std::wstring MenuFolder = Known(FOLDERID_Programs) + L"\\Acenora";
const std::wstring DesktopLink = Known(FOLDERID_Desktop) + L"\\Acenora.lnk";
const std::wstring StartupLink = Known(FOLDERID_Startup) + L"\\Acenora.lnk";
const std::wstring UserSettings = Known(FOLDERID_RoamingAppData) + L"\\Acenora\\ORBITA.INI";
const std::wstring Uninstaller = InstallFolder + L"\\Desinstalar Acenora.exe";

struct Link {
  std::wstring target, arguments, folder;
  bool operator==(const Link&) const = default;
};

::testing::AssertionResult ReadLink(const std::wstring& path, Link& link) {
  IShellLinkW* shell = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&shell))))
    return ::testing::AssertionFailure() << "no shell link object";
  IPersistFile* file = nullptr;
  bool loaded = SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
                SUCCEEDED(file->Load(path.c_str(), STGM_READ));
  wchar_t target[MAX_PATH] = {}, arguments[1024] = {}, folder[MAX_PATH] = {};
  if (loaded) {
    shell->GetPath(target, MAX_PATH, nullptr, 0);
    shell->GetArguments(arguments, 1024);
    shell->GetWorkingDirectory(folder, MAX_PATH);
  }
  if (file) file->Release();
  shell->Release();
  if (!loaded) return ::testing::AssertionFailure() << Narrow(path) << " cannot be read";
  link = {target, arguments, folder};
  return ::testing::AssertionSuccess();
}

void ExpectLink(const std::wstring& path, const Link& expected) {
  Link link;
  ASSERT_TRUE(ReadLink(path, link));
  EXPECT_EQ(Narrow(link.target), Narrow(expected.target)) << Narrow(path);
  EXPECT_EQ(Narrow(link.arguments), Narrow(expected.arguments)) << Narrow(path);
  EXPECT_EQ(Narrow(link.folder), Narrow(expected.folder)) << Narrow(path);
}

std::wstring UninstallValue(const wchar_t* name) {
  wchar_t value[512] = {};
  DWORD size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, UninstallKey, name, RRF_RT_REG_SZ, nullptr, value, &size))
    return L"";
  return value;
}

DWORD RunToEnd(const std::string& exe, const std::string& arguments) {
  ProbeProcess run(exe, arguments);
  return run.Started() ? run.ExitCode(120000) : 999;
}

// The uninstaller runs from a copy of itself in the temporary folder and ends at once; its
// work is done when the install folder is gone.
::testing::AssertionResult UninstallSilently() {
  if (DWORD code = RunToEnd(Narrow(Uninstaller), "/S"))
    return ::testing::AssertionFailure() << "the uninstaller ended with " << code;
  for (int waited = 0; waited < 60000 && Exists(InstallFolder); waited += 100) Sleep(100);
  if (!Exists(InstallFolder)) return ::testing::AssertionSuccess();
  auto failure = ::testing::AssertionFailure() << "left in the program's folder:";
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((InstallFolder + L"\\*").c_str(), &found);
  for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found))
    failure << " " << Narrow(found.cFileName);
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
  return failure;
}

class SilentSetup : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  void SetUp() override {
    if (Exists(Uninstaller)) UninstallSilently();  // a run cut short left it
    DeleteFileW(UserSettings.c_str());
    ASSERT_FALSE(Exists(InstallFolder));
  }
  void TearDown() override { DeleteFileW(UserSettings.c_str()); }
  void Install(const std::string& options) {
    ASSERT_EQ(RunToEnd(BesideThisProgram("acenora-setup-test.exe"), "/S " + options), 0u);
  }
  void ExpectPanelLinks(const std::wstring& arguments, bool atStartup) {
    const Link panel{InstallFolder + L"\\acenora.exe", arguments, InstallFolder};
    ExpectLink(MenuFolder + L"\\Acenora.lnk", panel);
    ExpectLink(DesktopLink, panel);
    if (atStartup) ExpectLink(StartupLink, panel);
    else EXPECT_FALSE(Exists(StartupLink)) << "not asked to start with Windows";
  }
};

TEST_F(SilentSetup, InstallsShortcutsWithTheChosenValuesAndUninstallsAllButTheSettings) {
  Install("/VOLUME=45 /DELAY=1200 /INICIAR=1 /FREQUENCIA=1 /ACIONADOR=DIREITO /FALAR=1");
  for (const wchar_t* file : {L"acenora.exe", L"acenora-nivel.exe", L"acenora-config.exe", L"locutor.exe", L"obkbm32.dll",
                              L"LEIAME.txt", L"ORBITA.INI.exemplo", L"lista-palavras.txt",
                              L"lista-palavras-LICENCA.txt", L"Desinstalar Acenora.exe"})
    EXPECT_TRUE(Exists(InstallFolder + L"\\" + file)) << Narrow(file);
  ExpectPanelLinks(L"45 1200", true);
  ExpectLink(MenuFolder + L"\\Medidor de n\u00EDvel.lnk",
             {InstallFolder + L"\\acenora-nivel.exe", L"", InstallFolder});
  ExpectLink(MenuFolder + L"\\Locutor.lnk", {InstallFolder + L"\\locutor.exe", L"", InstallFolder});
  ExpectLink(MenuFolder + L"\\Tempo de rea\u00E7\u00E3o.lnk",
             {InstallFolder + L"\\acenora-nivel.exe", L"/tempo", InstallFolder});
  wchar_t locutor[MAX_PATH] = {};
  DWORD pathSize = sizeof locutor;
  RegGetValueW(HKEY_CURRENT_USER,
               L"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\locutor.exe", nullptr,
               RRF_RT_REG_SZ, nullptr, locutor, &pathSize);
  EXPECT_EQ(Narrow(locutor), Narrow(InstallFolder + L"\\locutor.exe")) << "the shell's name for it";
  ExpectLink(MenuFolder + L"\\Guia do Acenora.lnk",
             {InstallFolder + L"\\LEIAME.txt", L"", InstallFolder});
  ExpectLink(MenuFolder + L"\\Configura\u00E7\u00F5es do Acenora.lnk",
             {InstallFolder + L"\\acenora-config.exe", L"", InstallFolder});
  ExpectLink(MenuFolder + L"\\Desinstalar Acenora.lnk", {Uninstaller, L"", InstallFolder});

  // The user's settings file, every value commented out: the defaults hold.
  ASSERT_TRUE(Exists(UserSettings));
  wchar_t font[64] = {};
  GetPrivateProfileStringW(L"VIDEO", L"FONTE", L"(nenhuma)", font, 64, UserSettings.c_str());
  EXPECT_EQ(Narrow(font), "(nenhuma)");
  for (auto [section, key, value] : {std::tuple{L"TECLADO", L"SUGESTOES", "5"},
                                     {L"TECLADO", L"DISPOSICAO", "FREQUENCIA"}, {L"MOUSE", L"APONTAR", "1"}, {L"VARREDURA", L"FALAR", "1"},
                                     {L"ACIONADOR", L"TECLA", "CTRL"}, {L"ACIONADOR", L"MOUSE", "DIREITO"}}) {
    wchar_t written[16] = {};
    GetPrivateProfileStringW(section, key, L"", written, 16, UserSettings.c_str());
    EXPECT_EQ(Narrow(written), value) << "the options page's choices";
  }

  EXPECT_EQ(UninstallValue(L"DisplayName"), L"Acenora");
  EXPECT_EQ(UninstallValue(L"DisplayVersion").rfind(L"2.0.", 0), 0u);
  EXPECT_EQ(UninstallValue(L"Publisher"), L"Projeto Acenora");
  EXPECT_EQ(UninstallValue(L"DisplayIcon"), InstallFolder + L"\\acenora.exe");
  DWORD size = 0, bytes = sizeof size;
  RegGetValueW(HKEY_CURRENT_USER, UninstallKey, L"EstimatedSize", RRF_RT_REG_DWORD, nullptr,
               &size, &bytes);
  EXPECT_GT(size, 1000u) << "kilobytes of the installed files";

  // Started as its shortcut starts it, the panel asks nothing and scans.
  Link panel;
  ASSERT_TRUE(ReadLink(DesktopLink, panel));
  e2e::UseProgramFolder(Narrow(panel.folder));
  ASSERT_TRUE(e2e::StartPanel(Narrow(panel.arguments)));
  int firstTop = -1;
  EXPECT_TRUE(e2e::WaitUntil([&] { return (firstTop = e2e::RedBandTop()) >= 0; }, 10000))
      << "no option lit: " << e2e::Situation();
  EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::RedBandTop() > firstTop; }, 4000))
      << "the lit option does not move on";

  // Installed again while it runs: the panel is closed as its user closes it, its shortcuts
  // take the new values and it runs again.
  Install("/VOLUME=50 /DELAY=900 /INICIAR=1");
  DWORD code = 99;
  EXPECT_TRUE(e2e::WaitForExit(1000, code)) << "the running panel was left running";
  EXPECT_EQ(code, 0u) << "the running panel was not closed by its window";
  e2e::UseProgramFolder("");
  ExpectPanelLinks(L"50 900", true);
  EXPECT_TRUE(e2e::WaitUntil([] { return FindWindowA("ObWinCrt", nullptr) != nullptr; }, 10000))
      << "the panel was not started again";

  // Run again with only /INICIAR=0: what the earlier installs set stays, and the panel no
  // longer starts with Windows.
  Install("/INICIAR=0");
  ExpectPanelLinks(L"50 900", false);
  for (auto [key, value] : {std::pair{L"SUGESTOES", "5"}, {L"DISPOSICAO", "FREQUENCIA"}}) {
    wchar_t kept[16] = {};
    GetPrivateProfileStringW(L"TECLADO", key, L"", kept, 16, UserSettings.c_str());
    EXPECT_EQ(Narrow(kept), value) << "a reinstall rewrote what the caregiver set";
  }

  // Uninstalled while it runs: the panel is closed too, and nothing is left of the program.
  std::ofstream(Narrow(UserSettings), std::ios::app) << "; o cuidador escreveu aqui\r\n";
  ASSERT_TRUE(UninstallSilently());
  EXPECT_EQ(FindWindowA("ObWinCrt", nullptr), nullptr) << "the panel still runs";
  for (const std::wstring& gone : {MenuFolder, DesktopLink, StartupLink})
    EXPECT_FALSE(Exists(gone)) << Narrow(gone);
  EXPECT_EQ(UninstallValue(L"DisplayName"), L"") << "the uninstall entry stays";
  EXPECT_TRUE(Exists(UserSettings)) << "the user's settings file is kept";
}

// This prefix runs every program as an administrator, as a setup started "as administrator".
// Installed for all users over the user's own install, and the user's own again over it:
// each time the other kind's shortcuts go, so two panels never start with Windows.
TEST_F(SilentSetup, ForAllUsersUnderProgramFilesOverTheUsersOwnInstallAndBack) {
  const std::wstring folder = Known(FOLDERID_ProgramFiles) + L"\\Acenora";
  const std::wstring menu = Known(FOLDERID_CommonPrograms) + L"\\Acenora";
  const std::wstring everyUsersStartup = Known(FOLDERID_CommonStartup) + L"\\Acenora.lnk";
  Install("/INICIAR=1");
  Install("/TODOS=1 /VOLUME=70 /DELAY=1100 /INICIAR=1 /SUGERIR=0 /APONTAR=0");
  const Link panel{folder + L"\\acenora.exe", L"70 1100", folder};
  ExpectLink(menu + L"\\Acenora.lnk", panel);
  ExpectLink(Known(FOLDERID_PublicDesktop) + L"\\Acenora.lnk", panel);
  ExpectLink(everyUsersStartup, panel);
  for (const std::wstring& gone : {StartupLink, DesktopLink, MenuFolder})
    EXPECT_FALSE(Exists(gone)) << "the user's own install left " << Narrow(gone);
  wchar_t suggestions[16] = {}, grid[16] = {};
  GetPrivateProfileStringW(L"TECLADO", L"SUGESTOES", L"", suggestions, 16, (folder + L"\\ORBITA.INI").c_str());
  GetPrivateProfileStringW(L"MOUSE", L"APONTAR", L"", grid, 16, (folder + L"\\ORBITA.INI").c_str());
  EXPECT_EQ(Narrow(suggestions) + Narrow(grid), "00") << "the settings every user's panel reads first";

  Install("/INICIAR=1");
  ExpectPanelLinks(L"60 1500", true);
  EXPECT_FALSE(Exists(everyUsersStartup)) << "the install for all users still starts a panel";
  ASSERT_TRUE(UninstallSilently());
  wchar_t location[MAX_PATH] = {};
  DWORD size = sizeof location;
  EXPECT_EQ(RegGetValueW(HKEY_LOCAL_MACHINE, UninstallKey, L"InstallLocation", RRF_RT_REG_SZ,
                         nullptr, location, &size), ERROR_SUCCESS);
  EXPECT_EQ(Narrow(location), Narrow(folder));

  EXPECT_EQ(RunToEnd(Narrow(folder + L"\\Desinstalar Acenora.exe"), "/S"), 0u);
  for (int waited = 0; waited < 60000 && Exists(folder); waited += 100) Sleep(100);
  for (const std::wstring& gone : {folder, menu}) EXPECT_FALSE(Exists(gone)) << Narrow(gone);
  size = sizeof location;
  EXPECT_NE(RegGetValueW(HKEY_LOCAL_MACHINE, UninstallKey, L"InstallLocation", RRF_RT_REG_SZ,
                         nullptr, location, &size), ERROR_SUCCESS) << "the entry stays";
}

// The setup's starter tells a panel that started, its window seen, from one that could not.
TEST(PanelStarter, SaysWhetherThePanelStartedAndShowedItsWindow) {
  const std::string starter = BesideThisProgram("acenora-iniciar.exe");
  EXPECT_EQ(RunToEnd(starter, "\"" + BesideThisProgram("acenora.exe") + "\" 250 1000"), 0u);
  HWND panel = FindWindowA("ObWinCrt", nullptr);
  ASSERT_NE(panel, nullptr) << "no panel after the starter said it started";
  PostMessageA(panel, WM_CLOSE, 0, 0);
  EXPECT_TRUE(e2e::WaitUntil([] { return FindWindowA("ObWinCrt", nullptr) == nullptr; }, 10000));
  EXPECT_EQ(RunToEnd(starter, "\"" + BesideThisProgram("nao-existe.exe") + "\" 250 1000"), 1u);
}

TEST_F(SilentSetup, WithoutOptionsOrWithBadOnesTheDefaultsAndNoStartWithWindows) {
  Install("/VOLUME=4x5 /DELAY=-3");
  ExpectPanelLinks(L"60 1500", false);
  ASSERT_TRUE(UninstallSilently());
}

}  // namespace
