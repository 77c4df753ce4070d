// The text console window the panel is drawn on: cell screen and painting, key queue and
// line input, Braille chords and tones, set-up, settings and the end of the program.
// One console per process; everything here is module-level state.
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>
#include <string_view>

// ---- Screen ----
extern int ScreenCols;              // columns of the screen buffer (80 at load)
extern int ScreenRows;              // rows of the screen buffer (25 at load)
extern unsigned char* CellChars;    // character of each cell, row after row; null until WM_CREATE
extern unsigned char* CellAttrs;    // attribute of each cell, same layout
extern int WriteCol, WriteRow;      // write position, 0-based
extern unsigned char TextAttr;      // attribute of every cell written or cleared from now on
extern bool ColoursEnabled;         // false when the settings fix the colours
extern unsigned char ConfiguredAttr;  // the attribute the settings gave, kept by fixed colours
extern bool PixelScroll;            // scroll by copying pixels instead of repainting
extern int CharWidth, CharHeight, CharAscent, TextOffsetX;  // cell metrics in pixels
void TakeCellMetrics(const TEXTMETRICA& metrics);  // CharWidth, CharHeight, CharAscent
extern HFONT ConsoleFont;           // the cells' font, or null for the stock fixed font as it is
extern bool InPaint;                // a WM_PAINT is being handled
extern const COLORREF ConsolePalette[16];  // colour index -> RGB

void ClearScreen();                           // all cells blank with TextAttr, position (0,0), repaint
void GoToCell(int column, int row);           // 1-based, clamped; never opens the window
int CurrentRow();                             // WriteRow + 1; never opens the window
void SetForeground(unsigned char colour);     // low nibble of TextAttr, if ColoursEnabled
void SetBackground(unsigned char colour);     // high nibble of TextAttr, if ColoursEnabled
void SetFixedHighlight(bool lit);             // fixed colours: configured, or swapped while lit
void ClearToLineEnd();                        // blank from WriteCol to the row's end; position stays
void WriteText(const unsigned char* bytes, uint16_t count);  // write with control bytes 7, 8, 10, 13
void WriteChar(unsigned char byte);           // WriteText of one byte
void ShowRun(int firstCol, int endCol, int row);  // paint a stretch of one row, run by run
void PaintConsole();                          // WM_PAINT
void ConsoleSizeLimits(MINMAXINFO* info);     // WM_GETMINMAXINFO
void MakeGrids();                             // WM_CREATE: grids of ScreenCols x ScreenRows
void FreeGrids();                             // WM_DESTROY: grids freed, position (0,0)

// ---- Keyboard queue and line input ----
extern unsigned char KeyQueue[64];  // key codes not yet read, oldest first
extern int KeyCount;                // bytes in KeyQueue, 0..64
extern bool HasFocus;               // the console window has the keyboard focus
extern bool WaitingForKey;          // ReadKeyChar is waiting
extern bool BreakEnabled;           // Ctrl+Break ends the program; cleared by the end handler

void PumpMessages();                          // dispatch all pending messages; WM_QUIT halts
bool KeyWaiting();                            // open the window, pump, KeyCount > 0
unsigned char ReadKeyChar();                  // oldest queued byte, waiting with the caret
uint16_t ReadLine(unsigned char* buffer, uint16_t capacity);  // one edited line + CR LF
void Delay(uint16_t ms);                      // sleep through the seam, then KeyWaiting
void DelayUntil(int64_t deadlineMs);          // Delay to a moment of the seam's clock
[[noreturn]] void ConsoleHalt();              // end with exit code 255
void CaretOn();
void CaretOff();
void OnCharMessage(unsigned char ch);         // WM_CHAR
bool OnKeyDown(unsigned char key, bool repeat = false);  // WM_KEYDOWN (and WM_SYSKEYDOWN once break is off)
bool KeyRepeated(LPARAM keyFlags);            // a key-down's flags say the key was already down
bool OnKeyUp(unsigned char key);              // WM_KEYUP; false: not handled
void OnSetFocus();
void OnKillFocus();

// ---- Braille chords and tones ----
extern int BrailleMode;             // 0 off, 1 plain chords, 2 with capital and number signs
extern unsigned char ChordDots;     // dots of every chord key pressed since the last decode
extern unsigned char ChordKeysDown; // dots of the chord keys now held
extern bool NumberMode, CapitalNext, CapitalLock;
extern unsigned char* ToneBuffer;   // the in-memory tone now playing, or null

void SetBrailleMode(int mode);                // set and announce with tones
void CutAnnouncement();                       // silence an announcement the end cut short
bool ChordKeyDown(unsigned char key);         // true for a chord key
bool ChordKeyUp(unsigned char key);           // true when Braille took the key-up
void ApplyBrailleSigns(unsigned char& ch);    // mode-2 capital and number signs
void ToneStart(uint16_t frequency);           // loop a square wave from memory
void ToneStop();

// ---- Scale ----
struct ConsoleSettings;
extern UINT ConsoleDpi;              // the DPI the cells are drawn for
extern void (*ConsoleDpiChanged)();  // called once the cells follow a new scale, to dock again
UINT SystemDpi();                    // the scale the system's stock fonts are made for
UINT WindowDpi();                    // the console window's monitor's, or the system's
UINT DpiOf(HWND window);             // that window's monitor's scale, or the system's
int ScaledMetric(int index);         // a system metric at ConsoleDpi
int ScaledPixels(int pixelsAt96);    // a distance meant at 96 DPI, at ConsoleDpi
HFONT ScaledFont(const ConsoleSettings& settings, UINT dpi);  // null: the stock font as it is

// ---- Set-up, settings and end ----
extern HWND ConsoleWindow;          // the console window, null at load
extern bool WindowOpen;             // the window exists
extern char ModulePath[80];         // the program's path, zero-terminated
extern bool MaximiseAtOpen;         // show maximised when opened
extern bool ConsoleEnding;          // the end handler has begun: the program is ending

void ConsoleInit();                           // class, standard streams, ModulePath, end handler
void ReadConsoleSettings();                   // ORBITA.INI sections VIDEO and BRAILLE, and the font
// ORBITA.INI beside the program, in the user's application data folder Acenora, or in the
// Windows folder: the first that exists, used whole; the Windows folder's when there is none.
std::wstring SettingsPath();
std::string ReadSetting(const char* section, const char* key, const char* fallback);  // one key of ORBITA.INI
std::wstring ProgramFilePath(const wchar_t* name);  // beside the program; "" when its path is too long
std::wstring UserFilePath(const wchar_t* name);     // in the user's folder Acenora, made if missing
// Up to largest bytes of a file; false when it cannot be opened, with the platform's error.
bool ReadWholeFile(const std::wstring& path, size_t largest, std::string& bytes);
// The file replaced whole or left as it was: written beside it, flushed, then moved over it.
bool WriteWholeFile(const std::wstring& path, const std::string& bytes);
// save runs at the program's end and when the session ends (logoff, restart, an update's
// restart), after which the system may end the process without running the end handlers.
void SaveAtEnd(void (*save)());
void ConsoleEnsureOpen();                     // create and show the window if not open
LRESULT CALLBACK ConsoleWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
extern bool (*ConsoleCopyData)(const COPYDATASTRUCT& data);  // WM_COPYDATA, when set; true: taken
[[noreturn]] void ConsoleClose();             // drain keys, destroy the window, exit
void ConsoleEndHandler();                     // at exit: ended caption, wait until closed
std::wstring WideText(std::string_view text);  // code page 1252 text for the wide calls
std::string NarrowText(std::wstring_view text);  // back to code page 1252, '?' where it has none
void SetConsoleCaption(std::string_view text);  // the window's caption, from code page 1252
void BindConsoleStreams();                    // std::cin and std::cout through the console
