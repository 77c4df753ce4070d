// Program variables shared by scanning, the switch and the on-screen keyboard, the size
// tables of the panel, the keyboard latches and the accent-aware upper-casing.
#pragma once
#include <cstdint>
#include <string>

extern int32_t CurrentMenu;      // 0 keyboard, 1..7 menus
extern int32_t KeyboardLayout;   // 1..7, 0 none
extern int32_t LettersLayout;    // where "Digita" and "Alf" lead: 1, or 7 in frequency order
extern int32_t Threshold;        // sound peak the switch must exceed
extern int32_t DwellMs;          // how long each option or key stays lit
extern bool PanelAtBottom;       // docked at the bottom (true) or top of the work area
extern int32_t ResumeOption;     // option the next option scan starts at
extern bool SplashMode;          // the start-up screen is showing
extern bool RepeatArmed;         // the next named key repeats until the switch
extern bool ShiftLatch, CtrlLatch, AltLatch;  // modifiers latched for the next key
extern bool HasArguments;        // the start-up values need no prompt: the command line or the settings file give them
// The keyboard's suggestion line above its rows: 1 while it is kept, 0 without; and the
// columns its words need, 0 for none.
extern int32_t KeyboardTopLines, SuggestionColumns;

// Panel geometry in pixels, written by MeasureWorkArea.
extern int32_t CellWidth, CellHeight, WorkLeft, WorkRight, WorkBottom, WorkTop, FrameWidth, FrameHeight;

constexpr int MenuCount = 7;         // the menus the main loop runs
// With the pointing grid, menu 1 shows as menu 8 ("Aponta" first, then menu 1's options),
// and the grid's point is acted on through menu 9.
constexpr int PointingMouseMenu = 8, PointActionMenu = 9, AllMenuCount = 9;
constexpr int LayoutCount = 7;
constexpr int FrequencyLayout = 7;  // the letters in Portuguese frequency order, accents with them
constexpr int SplashColumns = 30;
// What the start-up screen asks when neither the command line nor the settings give values.
constexpr const char* VolumeQuestion = "Volume (30-250):";
constexpr const char* DelayQuestion = "Delay (1000-2000):";
extern const int32_t OptionCount[AllMenuCount + 1];    // indexed from 1
extern const int32_t MenuWidth[AllMenuCount + 1];
extern const int32_t KeyboardRows[LayoutCount + 1];
extern const int32_t KeyboardWidth[LayoutCount + 1];

int DwellTicks();                           // DwellMs / 100, at least one tick
std::string UpperAccented(std::string text);  // a-z and 224-255 lowered by 32
