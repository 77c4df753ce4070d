// The console's set-up and end: the window class, the settings and font, the window and its
// procedure, closing it, and keeping it up with the ended caption when the program ends.
// Cells and painting belong to the screen; keys and the caret to the keyboard.
#include "console/ObCrt.h"
#include "console/logic/code_page.h"
#include "console/logic/console_settings.h"
#include "seam/seam.h"
#include <knownfolders.h>
#include <shlobj.h>

#include <cstdlib>
#include <string>

HWND ConsoleWindow = nullptr;
bool WindowOpen = false;
char ModulePath[80] = {};
bool MaximiseAtOpen = false;
bool ConsoleEnding = false;

namespace {

const wchar_t ClassName[] = L"ObWinCrt";
const wchar_t SettingsName[] = L"\\ORBITA.INI";
constexpr UINT LastWaitedMessage = 45000;  // a message above this ends the ended window's wait

void RegisterConsoleClass() {
  static bool registered = false;
  if (registered) return;
  // A wide class: its captions, text and typed characters are the same on every system,
  // whatever the system's ANSI code page.
  WNDCLASSW cls{};
  cls.style = CS_HREDRAW | CS_VREDRAW;
  cls.lpfnWndProc = ConsoleWindowProc;
  cls.hInstance = GetModuleHandleW(nullptr);
  cls.hIcon = LoadIconW(cls.hInstance, MAKEINTRESOURCEW(1));  // the program's own, if it has one
  if (!cls.hIcon) cls.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  cls.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  cls.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  cls.lpszClassName = ClassName;
  registered = RegisterClassW(&cls) != 0;
}

// The platform may leave a cut path unterminated; the last byte is forced to zero. The path
// already comes in the program's own code page, so it is taken as it is.
void FillModulePath() {
  GetModuleFileNameA(nullptr, ModulePath, sizeof(ModulePath));
  ModulePath[sizeof(ModulePath) - 1] = 0;
}

ConsoleSettings FontSettings;  // what the font is remade from at a new scale

void MakeFont() {
  if (ConsoleFont) DeleteObject(ConsoleFont);
  ConsoleFont = ScaledFont(FontSettings, ConsoleDpi);
}

// Measured with the font the cells are drawn in, so the first window fits its cells.
TEXTMETRICA MeasureConsoleFont() {
  HDC dc = GetDC(nullptr);
  HGDIOBJ font = ConsoleFont ? static_cast<HGDIOBJ>(ConsoleFont) : GetStockObject(SYSTEM_FIXED_FONT);
  HGDIOBJ earlier = SelectObject(dc, font);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, earlier);
  ReleaseDC(nullptr, dc);
  return metrics;
}

// The caption names the program as the platform spells its path, whatever the code page,
// cut as ModulePath is.
std::wstring WideModulePath() {
  wchar_t path[sizeof(ModulePath)] = {};
  GetModuleFileNameW(nullptr, path, sizeof(ModulePath));
  path[sizeof(ModulePath) - 1] = 0;
  return path;
}

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return L"";
  std::wstring folder(path, length);
  return folder.substr(0, folder.find_last_of(L'\\'));
}

std::wstring UserSettingsFolder() {
  wchar_t* roaming = nullptr;
  std::wstring folder;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &roaming)))
    folder = std::wstring(roaming) + L"\\Acenora";
  CoTaskMemFree(roaming);
  return folder;
}

std::wstring WindowsFolder() {
  wchar_t folder[MAX_PATH] = {};
  const UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
  return length && length < MAX_PATH ? std::wstring(folder, length) : L"C:\\Windows";
}

// The font remade for a new scale and the cells measured again in it.
void RescaleCells(UINT dpi) {
  ConsoleDpi = dpi;
  MakeFont();
  const TEXTMETRICA metrics = MeasureConsoleFont();
  TakeCellMetrics(metrics);
  TextOffsetX = metrics.tmOverhang;
}

// Moved to a monitor of another scale: the cells follow it, the window takes the place the
// platform suggests, and the program docks it again.
void OnDpiChanged(WPARAM dpis, const RECT* suggested) {
  RescaleCells(HIWORD(dpis));
  if (suggested)
    SetWindowPos(ConsoleWindow, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  if (ConsoleDpiChanged) ConsoleDpiChanged();
  InvalidateRect(ConsoleWindow, nullptr, FALSE);
}

void CreateConsoleWindow(const TEXTMETRICA& metrics) {
  int width = 2 * ScaledMetric(SM_CXFRAME) + metrics.tmMaxCharWidth * ScreenCols;
  int height = 2 * ScaledMetric(SM_CYFRAME) +
               (metrics.tmHeight + metrics.tmExternalLeading) * ScreenRows +
               ScaledMetric(SM_CYCAPTION);
  CreateWindowExW(0, ClassName, WideModulePath().c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                  CW_USEDEFAULT, width, height, nullptr, nullptr, GetModuleHandleW(nullptr),
                  nullptr);
}

// While the program is already ending, pumping could meet a quit message and ask for the end
// a second time; the queued keys are then simply dropped.
void DiscardQueuedKeys() {
  if (ConsoleEnding) {
    KeyCount = 0;
    return;
  }
  while (KeyWaiting()) ReadKeyChar();
}

void TakeWindowDown() {
  if (!WindowOpen) return;
  DiscardQueuedKeys();
  if (ConsoleFont) DeleteObject(ConsoleFont);
  ConsoleFont = nullptr;
  DestroyWindow(ConsoleWindow);
  WindowOpen = false;
}

void OnCreate() {
  WindowOpen = true;
  MakeGrids();
}

void OnDestroy() {
  FreeGrids();
  PostQuitMessage(0);
  WindowOpen = false;
}

// Closed during the end, the window only comes down: the end handler's wait then sees the
// quit message and the end already under way goes on with its own exit code.
void OnCloseRequest() {
  if (ConsoleEnding) {
    TakeWindowDown();
    return;
  }
  ConsoleClose();
}

LRESULT OnSystemKey(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (BreakEnabled) return DefWindowProcW(window, message, wParam, lParam);
  unsigned char key = static_cast<unsigned char>(wParam & 0xFF);
  if (message == WM_SYSKEYDOWN) return OnKeyDown(key, KeyRepeated(lParam)), 0;
  return OnKeyUp(key) ? 0 : DefWindowProcW(window, message, wParam, lParam);
}

// The wide window gets UTF-16 characters; the queue holds code page 1252 bytes, and a
// character the code page lacks is dropped.
void OnWideChar(WPARAM unit) {
  int byte = UnicodeToCp1252(static_cast<uint16_t>(unit));
  if (byte >= 0) OnCharMessage(static_cast<unsigned char>(byte));
}

void ShowEndedCaption() {
  SetWindowTextW(ConsoleWindow, (L"(Programa terminado - " + WideModulePath() + L")").c_str());
}

constexpr int kMostSaves = 8;
void (*Saves[kMostSaves])() = {};
int SaveCount = 0;

void RunSaves() {
  for (int i = 0; i < SaveCount; ++i) Saves[i]();
}

// Saved on the question already: an application that says yes may be ended without ever
// seeing WM_ENDSESSION.
LRESULT OnQueryEndSession() {
  RunSaves();
  return TRUE;
}

void OnEndSession(WPARAM ending) {
  if (ending) RunSaves();
}

void WaitUntilClosed() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    if (msg.message > LastWaitedMessage) break;
  }
}

}  // namespace

void ConsoleInit() {
  static bool done = false;
  if (done) return;
  done = true;
  ConsoleWindow = nullptr;
  BrailleMode = 0;
  ToneBuffer = nullptr;
  RegisterConsoleClass();
  BindConsoleStreams();
  FillModulePath();
  std::atexit(ConsoleEndHandler);  // runs before every end handler installed earlier
}

void ReadConsoleSettings() {
  ConsoleSettings settings = ReadSettingsWith(ReadSetting);
  TextAttr = settings.textAttr;
  ConfiguredAttr = settings.textAttr;
  ColoursEnabled = settings.coloursEnabled;
  PixelScroll = settings.pixelScroll;
  BrailleMode = settings.brailleMode;
  MaximiseAtOpen = settings.maximiseAtOpen;
  FontSettings = settings;
  ConsoleDpi = WindowDpi();
  MakeFont();
}

std::wstring SettingsPath() {
  for (const std::wstring& folder : {ProgramFolder(), UserSettingsFolder(), WindowsFolder()}) {
    if (folder.empty()) continue;
    const DWORD attributes = GetFileAttributesW((folder + SettingsName).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
      return folder + SettingsName;
  }
  return WindowsFolder() + SettingsName;
}

std::wstring ProgramFilePath(const wchar_t* name) {
  const std::wstring folder = ProgramFolder();
  return folder.empty() ? folder : folder + L"\\" + name;
}

std::wstring UserFilePath(const wchar_t* name) {
  const std::wstring folder = UserSettingsFolder();
  if (folder.empty()) return folder;
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder + L"\\" + name;
}

bool ReadWholeFile(const std::wstring& path, size_t largest, std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bytes.assign(largest, '\0');
  DWORD read = 0;
  if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) read = 0;
  CloseHandle(file);
  bytes.resize(read);
  return true;
}

// A power cut between the write and the move leaves the old file and a stray ".novo",
// which the next write replaces.
bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  if (path.empty()) return false;
  const std::wstring fresh = path + L".novo";
  HANDLE file = CreateFileW(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool whole = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                     written == bytes.size() && FlushFileBuffers(file);
  CloseHandle(file);
  if (whole && MoveFileExW(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  DeleteFileW(fresh.c_str());
  return false;
}

bool (*ConsoleCopyData)(const COPYDATASTRUCT& data) = nullptr;

void SaveAtEnd(void (*save)()) {
  if (SaveCount == kMostSaves) return;
  Saves[SaveCount++] = save;
  std::atexit(save);
}

// Read through the wide call so that a path with letters outside the system's ANSI code page
// is still found; the value comes back as code page 1252.
std::string ReadSetting(const char* section, const char* key, const char* fallback) {
  wchar_t value[80] = {};
  DWORD count = GetPrivateProfileStringW(WideText(section).c_str(), WideText(key).c_str(),
                                         WideText(fallback).c_str(), value, 80,
                                         SettingsPath().c_str());
  if (count >= 80) count = 79;
  return NarrowText(std::wstring_view(value, count));
}

void ConsoleEnsureOpen() {
  if (WindowOpen) return;
  RegisterConsoleClass();  // a program that skipped ConsoleInit still gets its window
  if (ModulePath[0] == 0) FillModulePath();
  ReadConsoleSettings();
  TEXTMETRICA metrics = MeasureConsoleFont();
  TextOffsetX = metrics.tmOverhang;
  CreateConsoleWindow(metrics);
  SeamListenForSwitches(ConsoleWindow);
  if (WindowDpi() != ConsoleDpi) RescaleCells(WindowDpi());  // opened on a monitor of its own scale
  ShowWindow(ConsoleWindow, MaximiseAtOpen ? SW_SHOWMAXIMIZED : SW_SHOW);
  UpdateWindow(ConsoleWindow);
  SetBrailleMode(BrailleMode);
}

LRESULT CALLBACK ConsoleWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ConsoleWindow = window;
  unsigned char key = static_cast<unsigned char>(wParam & 0xFF);
  switch (message) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_SETFOCUS: OnSetFocus(); return 0;
    case WM_KILLFOCUS: OnKillFocus(); return 0;
    case WM_PAINT: PaintConsole(); return 0;
    case WM_CLOSE: OnCloseRequest(); return 0;
    case WM_GETMINMAXINFO: ConsoleSizeLimits(reinterpret_cast<MINMAXINFO*>(lParam)); return 0;
    case WM_KEYDOWN: OnKeyDown(key, KeyRepeated(lParam)); return 0;
    case WM_KEYUP: return OnKeyUp(key) ? 0 : DefWindowProcW(window, message, wParam, lParam);
    case WM_CHAR: OnWideChar(wParam); return 0;
    case WM_INPUT:
      SeamRawInput(lParam, static_cast<DWORD>(GetMessageTime()));
      return DefWindowProcW(window, message, wParam, lParam);
    case WM_QUERYENDSESSION: return OnQueryEndSession();
    case WM_COPYDATA: return ConsoleCopyData && ConsoleCopyData(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case WM_ENDSESSION: OnEndSession(wParam); return 0;
    case WM_DPICHANGED: OnDpiChanged(wParam, reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP: return OnSystemKey(window, message, wParam, lParam);
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

std::wstring WideText(std::string_view text) {
  std::wstring wide;
  wide.reserve(text.size());
  for (char c : text) wide.push_back(static_cast<wchar_t>(Cp1252ToUnicode(static_cast<uint8_t>(c))));
  return wide;
}

std::string NarrowText(std::wstring_view text) {
  std::string narrow;
  narrow.reserve(text.size());
  for (wchar_t unit : text) {
    const int byte = UnicodeToCp1252(static_cast<uint16_t>(unit));
    narrow += byte < 0 ? '?' : static_cast<char>(byte);
  }
  return narrow;
}

void SetConsoleCaption(std::string_view text) { SetWindowTextW(ConsoleWindow, WideText(text).c_str()); }

// exit() must not be asked for again while it is already running its end handlers: a close
// then reached from them ends the process at once, with 0 as any close does.
void ConsoleClose() {
  TakeWindowDown();
  if (ConsoleEnding) ExitProcess(0);
  std::exit(0);
}

void ConsoleEndHandler() {
  if (ConsoleEnding) return;
  ConsoleEnding = true;
  // The end can come from inside an announcement's delay, which never resumes; its tone
  // loops until stopped.
  CutAnnouncement();
  if (!WindowOpen) return;
  ShowEndedCaption();
  EnableMenuItem(GetSystemMenu(ConsoleWindow, FALSE), SC_CLOSE, MF_ENABLED);
  BreakEnabled = false;
  WaitUntilClosed();
}
