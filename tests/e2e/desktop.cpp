// The desktop side of the end-to-end scenarios (see desktop.h): processes, windows, screen
// pixels and the Ctrl switch. Every wait polls with a time limit and keeps this thread's
// own test windows answering.
#include "desktop.h"

#include <knownfolders.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace e2e {
namespace {

PROCESS_INFORMATION Panel{};   // the running panel program, if any
HWND PanelHwnd = nullptr;
int FrameX = 0, FrameY = 0;    // panel size less its cells, learnt on a known shape
int DwellMs = 500;

constexpr COLORREF Red = RGB(255, 0, 0), Green = RGB(0, 255, 0);
COLORREF LitBackground = Red;  // what a lit option is drawn on

std::string ProgramFolder;     // where acenora.exe is started from; empty: beside this program

struct Capture {               // a copy of a screen rectangle, 0x00RRGGBB per pixel
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
  COLORREF At(int x, int y) const {
    uint32_t p = pixels[static_cast<size_t>(y) * width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
};

Capture CaptureScreen(int left, int top, int width, int height) {
  Capture shot;
  if (width <= 0 || height <= 0) return shot;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap && bits) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, left, top, SRCCOPY);
    GdiFlush();
    shot.width = width;
    shot.height = height;
    const uint32_t* p = static_cast<const uint32_t*>(bits);
    shot.pixels.assign(p, p + static_cast<size_t>(width) * height);
    SelectObject(memory, old);
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return shot;
}

// The panel's client area as it is on screen, clipped to the screen.
Capture CaptureClient() {
  HWND w = PanelWindow();
  RECT client{};
  if (!w || !GetClientRect(w, &client)) return {};
  POINT origin{0, 0};
  ClientToScreen(w, &origin);
  int right = origin.x + client.right, bottom = origin.y + client.bottom;
  if (right > GetSystemMetrics(SM_CXSCREEN)) right = GetSystemMetrics(SM_CXSCREEN);
  if (bottom > GetSystemMetrics(SM_CYSCREEN)) bottom = GetSystemMetrics(SM_CYSCREEN);
  if (origin.x < 0 || origin.y < 0) return {};
  return CaptureScreen(origin.x, origin.y, right - origin.x, bottom - origin.y);
}

struct LineCount {
  int red = 0, green = 0, firstGreen = -1;
};

LineCount CountLine(const Capture& shot, int y) {
  LineCount count;
  if (y < 0 || y >= shot.height) return count;
  for (int x = 0; x < shot.width; ++x) {
    COLORREF c = shot.At(x, y);
    if (c == Red) ++count.red;
    if (c == Green) {
      if (count.firstGreen < 0) count.firstGreen = x;
      ++count.green;
    }
  }
  return count;
}

struct WindowSearch {           // what EnumWindows looks for, and what it found
  DWORD processId;
  const char* className;       // null: any class
  const char* caption;         // null: any caption
  HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != search->processId) return TRUE;
  char cls[128] = {};
  GetClassNameA(window, cls, sizeof cls);
  if (search->className && lstrcmpiA(cls, search->className) != 0) return TRUE;
  if (search->caption && Caption(window) != search->caption) return TRUE;
  search->found = window;
  return FALSE;
}

void SendKey(WORD virtualKey, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = virtualKey;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &in, sizeof in);
}

DWORD CycleTimeout() { return static_cast<DWORD>((DwellMs + 400) * 14 + 5000); }

}  // namespace

// ---- The program under test ----

std::string TestFolder() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, n);
  return folder.substr(0, folder.find_last_of("\\/") + 1);
}

bool StartPanel(const std::string& arguments) {
  std::string folder = ProgramFolder.empty() ? TestFolder() : ProgramFolder;
  std::string exe = folder + "acenora.exe";
  std::string line = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
  STARTUPINFOA start{};
  start.cb = sizeof start;
  Panel = {};
  PanelHwnd = nullptr;
  if (!CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &start, &Panel))
    return false;
  return WaitUntil([] { return PanelWindow() != nullptr; }, 20000);
}

void UseProgramFolder(const std::string& folder) {
  ProgramFolder = folder;
  if (!ProgramFolder.empty() && ProgramFolder.back() != '\\') ProgramFolder += '\\';
}

HWND FindProcessWindow(DWORD processId, const char* className, const char* caption) {
  WindowSearch search{processId, className, caption};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND PanelWindow() {
  if (PanelHwnd && IsWindow(PanelHwnd)) return PanelHwnd;
  if (!Panel.hProcess) return nullptr;
  PanelHwnd = FindProcessWindow(Panel.dwProcessId, "ObWinCrt", nullptr);
  return PanelHwnd;
}

DWORD PanelProcessId() { return Panel.dwProcessId; }

bool AdoptRunningPanel(DWORD ms) {
  auto marked = [] {
    HWND w = nullptr;
    while ((w = FindWindowExA(nullptr, w, "ObWinCrt", nullptr)) && !GetPropW(w, L"Acenora.Painel")) continue;
    return w;
  };
  Panel = {};
  if (!WaitUntil([&] { return (PanelHwnd = marked()) != nullptr; }, ms)) return false;
  GetWindowThreadProcessId(PanelHwnd, &Panel.dwProcessId);
  Panel.hProcess = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, Panel.dwProcessId);
  return Panel.hProcess != nullptr;
}

bool PanelRunning() {
  return Panel.hProcess && WaitForSingleObject(Panel.hProcess, 0) == WAIT_TIMEOUT;
}

bool WaitForExit(DWORD ms, DWORD& exitCode) {
  if (!Panel.hProcess) return false;
  if (!WaitUntil([] { return !PanelRunning(); }, ms)) return false;
  GetExitCodeProcess(Panel.hProcess, &exitCode);
  return true;
}

DWORD ClosePanel() {
  DWORD code = STILL_ACTIVE;
  if (!Panel.hProcess) return code;
  if (HWND w = PanelWindow()) PostMessageA(w, WM_CLOSE, 0, 0);
  if (!WaitForExit(10000, code)) {
    TerminateProcess(Panel.hProcess, 99);
    WaitForSingleObject(Panel.hProcess, 5000);
    code = STILL_ACTIVE;
  }
  CloseHandle(Panel.hProcess);
  if (Panel.hThread) CloseHandle(Panel.hThread);
  Panel = {};
  PanelHwnd = nullptr;
  return code;
}

std::string Caption(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// ---- The console's settings file ----

const char* const PanelFontFace = "DejaVu Sans Mono";
const PanelFont TenByTwentyOne{PanelFontFace, PanelFontWidth, PanelFontHeight};
const PanelFont StockFont{"", 0, 0};

namespace {

PanelFont InstalledFont = TenByTwentyOne;
bool SavedEarlier = false;  // the file found before the first install is kept until restored

std::string SettingsPath() {
  char folder[MAX_PATH] = {};
  GetWindowsDirectoryA(folder, MAX_PATH);
  return std::string(folder) + "\\ORBITA.INI";
}

bool HadSettings = false;
std::string EarlierSettings;

bool ReadWhole(const std::string& path, std::string& contents) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  char buffer[4096];
  DWORD got = 0;
  contents.clear();
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) contents.append(buffer, got);
  CloseHandle(file);
  return true;
}

bool WriteWhole(const std::string& path, const std::string& contents) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written,
                      nullptr) && written == contents.size();
  CloseHandle(file);
  return ok;
}

}  // namespace

std::string FileText(const std::string& path) {
  std::string contents;
  return ReadWhole(path, contents) ? contents : std::string();
}

static std::string PanelSettingsText(const PanelFont& font, const std::string& moreVideoLines) {
  std::string settings = "[VIDEO]\r\n" + moreVideoLines;
  if (*font.face)
    settings += std::string("FONTE=") + font.face + "\r\nLARGURALETRA=" +
                std::to_string(font.width) + "\r\nALTURALETRA=" + std::to_string(font.height) +
                "\r\nPESOLETRA=400\r\n";
  return settings;
}

bool InstallPanelSettings() { return InstallPanelSettings(TenByTwentyOne, ""); }

bool InstallPanelSettings(const PanelFont& font, const std::string& moreVideoLines) {
  if (!SavedEarlier) HadSettings = ReadWhole(SettingsPath(), EarlierSettings);
  SavedEarlier = true;
  InstalledFont = font;
  return WriteWhole(SettingsPath(), PanelSettingsText(font, moreVideoLines));
}

std::string PanelSettingsFile() { return SettingsPath(); }

bool AddToPanelSettings(const std::string& lines) {
  return WriteWhole(SettingsPath(), PanelSettingsText(InstalledFont, "") + lines);
}

void RestorePanelSettings() {
  if (HadSettings)
    WriteWhole(SettingsPath(), EarlierSettings);
  else
    DeleteFileA(SettingsPath().c_str());
  SavedEarlier = false;
  InstalledFont = TenByTwentyOne;
}

// ---- Geometry ----

RECT WorkArea() {
  RECT area{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

RECT PanelRect() {
  RECT r{};
  if (HWND w = PanelWindow()) GetWindowRect(w, &r);
  return r;
}

bool PanelVisible() {
  HWND w = PanelWindow();
  return w && IsWindowVisible(w);
}

bool InsideWorkArea(const RECT& r) {
  RECT work = WorkArea();
  return r.left >= work.left && r.top >= work.top && r.right <= work.right &&
         r.bottom <= work.bottom;
}

// Measured as the console measures it: the font the settings name, or the stock fixed font.
Cells CellSize() {
  static Cells measured;
  static std::string measuredFont;
  const std::string wanted = std::string(InstalledFont.face) + "/" +
                             std::to_string(InstalledFont.width) + "x" +
                             std::to_string(InstalledFont.height);
  if (measured.width && measuredFont == wanted) return measured;
  const PanelFont& f = InstalledFont;
  HFONT font = *f.face ? CreateFontA(f.height, f.width, 0, 0, 400, FALSE, FALSE, FALSE,
                                     ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                     DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, f.face)
                       : nullptr;
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, font ? font : GetStockObject(SYSTEM_FIXED_FONT));
  TEXTMETRICA metrics{};
  GetTextMetricsA(screen, &metrics);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  if (font) DeleteObject(font);
  measured = {metrics.tmAveCharWidth, metrics.tmHeight + metrics.tmExternalLeading};
  measuredFont = wanted;
  return measured;
}

void LearnFrame(int columns, int rows) {
  RECT r = PanelRect();
  FrameX = (r.right - r.left) - columns * CellSize().width;
  FrameY = (r.bottom - r.top) - rows * CellSize().height;
}

Shape PanelShape() {
  RECT r = PanelRect();
  Cells cell = CellSize();
  if (cell.width <= 0 || cell.height <= 0) return {};
  int w = (r.right - r.left) - FrameX, h = (r.bottom - r.top) - FrameY;
  return {(w + cell.width / 2) / cell.width, (h + cell.height / 2) / cell.height};
}

std::string Describe(Shape shape) {
  return std::to_string(shape.columns) + "x" + std::to_string(shape.rows) + " cells";
}

// ---- What is lit ----

// Each row is judged on a line just below its top (above the glyphs) and on its middle
// line; the first row with a green key, else the first row on red, is the lit one.
Lit ReadLit() {
  Capture shot = CaptureClient();
  Cells cell = CellSize();
  if (shot.width == 0 || cell.height <= 0 || cell.width <= 0) return {};
  if (LitBackground != Red) {
    for (int row = 0; (row + 1) * cell.height <= shot.height; ++row)
      if (shot.At(cell.width / 2, row * cell.height + cell.height / 2) == LitBackground)
        return {row + 1, 0};
    return {};
  }
  Lit red{};
  for (int row = 0; row * cell.height + cell.height / 2 < shot.height; ++row) {
    LineCount top = CountLine(shot, row * cell.height + 1);
    LineCount middle = CountLine(shot, row * cell.height + cell.height / 2);
    int firstGreen = top.firstGreen;
    if (firstGreen < 0 || (middle.firstGreen >= 0 && middle.firstGreen < firstGreen))
      firstGreen = middle.firstGreen;
    if (top.green + middle.green >= 4) return {row + 1, firstGreen / (4 * cell.width) + 1};
    if (red.row == 0 && top.red + middle.red >= 4) red = {row + 1, 0};
  }
  return red;
}

void ReadLitOn(COLORREF background) { LitBackground = background; }
void ReadLitOnRed() { LitBackground = Red; }

COLORREF CellCentre(int row, int column) {
  Capture shot = CaptureClient();
  Cells cell = CellSize();
  int x = (column - 1) * cell.width + cell.width / 2, y = (row - 1) * cell.height + cell.height / 2;
  if (x < 0 || y < 0 || x >= shot.width || y >= shot.height) return CLR_INVALID;
  return shot.At(x, y);
}

int RedBandHeight() {
  Capture shot = CaptureClient();
  int lines = 0;
  for (int y = 0; y < shot.height; ++y)
    if (CountLine(shot, y).red >= 4) ++lines;
  return lines;
}

int RedBandTop() {
  Capture shot = CaptureClient();
  for (int y = 0; y < shot.height; ++y)
    if (CountLine(shot, y).red >= 4) return y;
  return -1;
}

bool RowHasColour(int row, COLORREF colour, int minimumPixels) {
  Capture shot = CaptureClient();
  Cells cell = CellSize();
  int found = 0;
  for (int y = (row - 1) * cell.height; y < row * cell.height && y < shot.height; ++y)
    for (int x = 0; x < shot.width; ++x)
      if (shot.At(x, y) == colour) ++found;
  return found >= minimumPixels;
}

std::string Describe(Lit lit) {
  if (lit.row == 0) return "nothing lit";
  return "row " + std::to_string(lit.row) +
         (lit.key ? " key " + std::to_string(lit.key) : std::string(" (whole row)"));
}

std::string Situation() {
  POINT cursor{};
  GetCursorPos(&cursor);
  RECT r = PanelRect();
  char text[512];
  std::snprintf(text, sizeof text,
                "panel caption '%s', %s, rect (%ld,%ld)-(%ld,%ld), %s, %s; cursor (%ld,%ld); "
                "foreground '%s'",
                Caption(PanelWindow()).c_str(), PanelVisible() ? "visible" : "hidden",
                r.left, r.top, r.right, r.bottom, Describe(PanelShape()).c_str(),
                Describe(ReadLit()).c_str(), cursor.x, cursor.y,
                Caption(GetForegroundWindow()).c_str());
  return text;
}

// ---- Waiting and the switch ----

void PumpFor(DWORD ms) {
  DWORD start = GetTickCount();
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(ms < 5 ? ms : 5);
  } while (GetTickCount() - start < ms);
}

bool WaitUntil(const std::function<bool()>& done, DWORD ms) {
  DWORD start = GetTickCount();
  for (;;) {
    if (done()) return true;
    if (GetTickCount() - start >= ms) return false;
    PumpFor(5);
  }
}

WORD SwitchKey = VK_CONTROL;
void CtrlDown() { SendKey(SwitchKey, false); }
void CtrlUp() { SendKey(SwitchKey, true); }
void UseSwitchKey(WORD virtualKey) { SwitchKey = virtualKey; }

void HoldSwitch(DWORD ms) {
  CtrlDown();
  PumpFor(ms);
  CtrlUp();
}

bool WaitForLitStart(Lit want, DWORD ms) {
  bool seenOther = false;
  return WaitUntil([&] {
    Lit now = ReadLit();
    if (!(now == want)) seenOther = true;
    return seenOther && now == want;
  }, ms);
}

DWORD EightLitChangesMs() {
  if (!WaitForLitStart({1, 0}, 15000)) return INFINITE;
  const DWORD start = GetTickCount();
  int changes = 0;
  Lit last = ReadLit();
  if (!WaitUntil([&] {
        const Lit now = ReadLit();
        if (!(now == last) && now.row != 0) ++changes;
        last = now;
        return changes >= 8;
      }, 30000))
    return INFINITE;
  return GetTickCount() - start;
}

void SetDwell(int dwellMs) { DwellMs = dwellMs; }

// The switch is polled as an option lights up and then every 100 ms tick: held for 200 ms
// from the start of the option's turn it meets a poll well before the next option lights.
bool ChooseOption(int option) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (!WaitForLitStart({option, 0}, CycleTimeout())) return false;
    const Shape before = PanelShape();
    HoldSwitch(200);
    bool ended = false;
    WaitUntil([&] {
      // A choice that opens a keyboard may show the panel again, resized, between polls.
      if (!PanelVisible() || !(PanelShape() == before)) return ended = true;
      // The scan went on to another option: the hit was missed. Nothing lit is no
      // answer yet, as a panel being hidden can read as blank.
      int lit = ReadLit().row;
      return lit != 0 && lit != option;
    }, 5000);
    if (ended) return true;
  }
  return false;
}

bool ChooseKey(int row, int key, const std::string& token, DWORD holdMs) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (!WaitForLitStart({row, 0}, CycleTimeout())) continue;
    HoldSwitch(200);
    bool keysLit = false;
    WaitUntil([&] {
      Lit now = ReadLit();
      if (now == Lit{row, 1}) return keysLit = true;
      return now.row != row;
    }, 5000);
    if (!keysLit) continue;
    if (key != 1 && !WaitForLitStart({row, key}, CycleTimeout())) continue;
    // Unless asked to hold it, Ctrl is let go as soon as the caption shows the hit.
    bool changes = Caption(PanelWindow()) != token;
    CtrlDown();
    if (holdMs)
      PumpFor(holdMs);
    else if (changes)
      WaitUntil([&] { return Caption(PanelWindow()) == token; }, 250);
    else
      PumpFor(200);
    CtrlUp();
    if (changes && WaitUntil([&] { return Caption(PanelWindow()) == token; }, 600)) return true;
    if (!changes && WaitUntil([&] { return !(ReadLit() == Lit{row, key}); }, 3000) &&
        ReadLit().key == 0)
      return true;
  }
  return false;
}

// ---- Keys ----

void PressKey(WORD virtualKey) {
  SendKey(virtualKey, false);
  SendKey(virtualKey, true);
}

void TypeText(const std::string& ascii) {
  for (char c : ascii) {
    SHORT scan = VkKeyScanA(c);
    bool shift = (scan >> 8) & 1;
    if (shift) SendKey(VK_SHIFT, false);
    PressKey(static_cast<WORD>(scan & 0xFF));
    if (shift) SendKey(VK_SHIFT, true);
    PumpFor(30);
  }
}

// ---- Other programs ----

bool StartProgram(const std::string& commandLine, PROCESS_INFORMATION& process) {
  STARTUPINFOA start{};
  start.cb = sizeof start;
  std::string line = commandLine;
  process = {};
  return CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &start, &process) != 0;
}

void EndProgram(PROCESS_INFORMATION& process) {
  if (!process.hProcess) return;
  if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
  }
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  process = {};
}

bool Focus(HWND window) {
  return WaitUntil([&] {
    if (GetForegroundWindow() == window) return true;
    SetForegroundWindow(window);
    return false;
  }, 3000);
}

// ---- The panel's shortcut ----

std::wstring PanelShortcut() {
  PWSTR programs = nullptr;
  SHGetKnownFolderPath(FOLDERID_Programs, 0, nullptr, &programs);
  const std::wstring folder = std::wstring(programs) + L"\\Acenora";
  CoTaskMemFree(programs);
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder + L"\\Acenora.lnk";
}

std::wstring ShortcutArguments(const std::wstring& path, const wchar_t* make) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IShellLinkW* link = nullptr;
  IPersistFile* file = nullptr;
  wchar_t arguments[256] = {};
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link))))
    return L"(no shell link)";
  link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
  if (make) link->SetPath(L"C:\\acenora.exe"), link->SetArguments(make), file->Save(path.c_str(), TRUE);
  else if (SUCCEEDED(file->Load(path.c_str(), STGM_READ))) link->GetArguments(arguments, 256);
  file->Release();
  link->Release();
  return make ? make : arguments;
}

}  // namespace e2e
