// Drives the real panel program from outside, as its user would: starts it, finds its
// window, reads what is lit from the screen's pixels and presses the switch (Ctrl) with
// SendInput. Knows nothing of the program's insides beyond what the desktop shows.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace e2e {

// ---- The program under test ----
std::string TestFolder();                  // the folder of this test program, with its last '\\'
bool StartPanel(const std::string& arguments);  // acenora.exe beside this test; window found
void UseProgramFolder(const std::string& folder);  // start acenora.exe from there instead
HWND PanelWindow();                       // the panel's "ObWinCrt" window, or null
DWORD PanelProcessId();
bool PanelRunning();
bool WaitForExit(DWORD ms, DWORD& exitCode);
DWORD ClosePanel();                       // WM_CLOSE, then the exit code (forced end after 10 s)
// The panel that another program started, found by its window's mark within ms; it becomes
// the program under test.
bool AdoptRunningPanel(DWORD ms);
std::string Caption(HWND window);
HWND FindProcessWindow(DWORD processId, const char* className, const char* caption);

// ---- The console's settings file ----
// The settings file of the Windows folder gives the console a font with text cells of
// 10 x 21 pixels, unless a scenario asks for another font (or none: the stock fixed font)
// and further keys of the section "VIDEO". Whatever file was there before is put back by
// RestorePanelSettings.
struct PanelFont {
  const char* face;  // empty: no font configured, the console draws in the stock fixed font
  int width, height;
};
extern const PanelFont TenByTwentyOne, StockFont;
extern const char* const PanelFontFace;
constexpr int PanelFontWidth = 10, PanelFontHeight = 21;
bool InstallPanelSettings();
bool InstallPanelSettings(const PanelFont& font, const std::string& moreVideoLines);
bool AddToPanelSettings(const std::string& lines);  // the panel's settings and these lines
std::string PanelSettingsFile();                   // the Windows folder's, which those write
void RestorePanelSettings();
std::string FileText(const std::string& path);  // the file's bytes; empty if it cannot be read

// ---- Geometry ----
RECT WorkArea();
RECT PanelRect();
bool PanelVisible();
struct Cells { int width = 0, height = 0; };  // the console font's cell, in pixels
Cells CellSize();                          // of the font the settings file names
bool InsideWorkArea(const RECT& r);        // wholly within the work area

// Panel shape in text cells, from its place and size and the frame measured on a known
// shape.
struct Shape {
  int columns = 0, rows = 0;
  bool operator==(const Shape&) const = default;
};
void LearnFrame(int columns, int rows);    // the panel now shows that many cells
Shape PanelShape();
std::string Describe(Shape shape);

// ---- What the panel shows lit, read from the screen ----
struct Lit {
  int row = 0;  // 1-based row on red (or holding the green key); 0: nothing lit
  int key = 0;  // 1-based key on green; 0: none
  bool operator==(const Lit&) const = default;
};
Lit ReadLit();                             // from a capture of the panel's client area
// Options lit on another background than red (fixed colours light an option in their own
// colours swapped): read at the centre of each row's first cell, which no option line
// writes on. Keys are not read then. ReadLitOnRed goes back to red rows and green keys.
void ReadLitOn(COLORREF background);
void ReadLitOnRed();
COLORREF CellCentre(int row, int column);  // pixel at a cell's centre, 1-based
int RedBandHeight();                       // pixel lines of the client holding red
int RedBandTop();                          // the first of them, or -1: read in any font
bool RowHasColour(int row, COLORREF colour, int minimumPixels);
std::string Describe(Lit lit);
std::string Situation();                   // caption, shape, lit, cursor: for failure text

// ---- Waiting and the switch ----
bool WaitUntil(const std::function<bool()>& done, DWORD ms);  // pumps this thread's messages
void PumpFor(DWORD ms);
void CtrlDown();                          // the switch's key: Ctrl, or the one UseSwitchKey names
void CtrlUp();
void UseSwitchKey(WORD virtualKey);        // as a switch interface sending that key would
void HoldSwitch(DWORD ms);                 // Ctrl down, pumping, then up
// Waits for lit to become `want` after having seen something else, within ms.
bool WaitForLitStart(Lit want, DWORD ms);
// From option 1 lit, how long the lit option takes to change eight times; INFINITE if it does not.
DWORD EightLitChangesMs();
// Chooses option `option` of the menu being scanned: waits for it to light up, holds the
// switch, and checks that the scan ended (the panel hid). Retries a missed hit.
bool ChooseOption(int option);
// Chooses key `key` of keyboard row `row`; `token` is the caption the hit sets. The switch
// is held for holdMs, or by default let go as soon as the hit shows.
bool ChooseKey(int row, int key, const std::string& token, DWORD holdMs = 0);
void SetDwell(int dwellMs);                // the dwell the program was started with

// ---- Keys typed into the focused window ----
void TypeText(const std::string& ascii);   // characters as unicode key presses
void PressKey(WORD virtualKey);

// ---- Other programs' windows ----
bool StartProgram(const std::string& commandLine, PROCESS_INFORMATION& process);
void EndProgram(PROCESS_INFORMATION& process);
bool Focus(HWND window);                   // foreground, checked

// ---- The panel's shortcut ----
std::wstring PanelShortcut();   // the Start menu's Acenora\Acenora.lnk; its folder is made
// The shortcut's arguments; with make, the shortcut is first written with those.
std::wstring ShortcutArguments(const std::wstring& path, const wchar_t* make = nullptr);

}  // namespace e2e
