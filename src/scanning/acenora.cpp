// The program's spine: start-up, the main loop, the option scanner and the seven menu
// handlers. Drawing, placement and the switch belong to their own units; this one only
// decides what happens in which order, counting time in Delay(100) ticks.
#include "scanning/acenora.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdlib>
#include <cwchar>
#include <iostream>
#include <string>
#include <vector>

#include "console/ObCrt.h"
#include "injection/obkbm32.h"
#include "injection/obmacro.h"
#include "keyboard/usugestoes.h"
#include "keyboard/uteclado.h"
#include "pointing/uapontar.h"
#include "pointing/ugrade.h"
#include "scanning/core/uavisos.h"
#include "scanning/core/uopcoes.h"
#include "scanning/core/uvars.h"
#include "scanning/core/uwindow.h"
#include "scanning/logic/number_reading.h"
#include "scanning/logic/shell_places.h"
#include "seam/seam.h"
#include "speaking/ufalas.h"
#include "starter/ustarter.h"
#include "switch/logic/lit_items.h"
#include "switch/uaudio.h"
#include "switch/uctlsom.h"
#include "switch/utempos.h"

namespace {

constexpr const char* PanelCaption = "Acenora - v2.0";
constexpr const char* SearchPortal = "www.google.com.br";  // the user reads Portuguese
// The shell takes a bare host name for a web address only when it begins with "www.".
constexpr const char* NewsSite = "www.estadao.com.br";
constexpr const char* MyDocumentsName = "Meus documentos";

// A start-up value that is no whole number; AcenoraMain turns it into the error box.
struct StartUpValueError {
  const char* kind;
  std::string message;
};

// ---- Start-up ----

std::vector<std::string> CommandLineArguments() {
  std::vector<std::string> arguments;
  for (int i = 1; i < __argc; ++i) arguments.emplace_back(__argv[i]);
  return arguments;
}

void WriteEmptyLine() { std::cout << '\n'; }

void WriteStartUpScreen() {
  WriteEmptyLine();
  WriteCentred("Projeto Acenora");
  WriteCentred("Orvalhos - 2004/5");
  SetForeground(15);
  WriteCentred("ACENORA v2.0");
  SetForeground(14);
  WriteEmptyLine();
  WriteCentred("Criado por");
  WriteCentred("Quelmar Tavoni");
  WriteEmptyLine();
}

int32_t ArgumentNumber(const std::string& text) {
  std::optional<int32_t> value = ParseWholeNumber(text);
  if (!value) throw StartUpValueError{"EConvertError", "'" + text + "' is not a valid integer value"};
  return *value;
}

// Lines holding only blanks are passed over; the rest of the value's line is dropped.
int32_t TypedNumber() {
  std::string line;
  while (std::getline(std::cin, line)) {
    TypedValue typed = ParseTypedValue(line);
    if (typed.kind == TypedKind::Number) return typed.value;
    if (typed.kind == TypedKind::NotANumber) break;
  }
  throw StartUpValueError{"EInOutError", "Invalid numeric input"};
}

// The prompt is centred, so the answer starts just after its last character.
int32_t AskNumber(const std::string& prompt) {
  WriteCentred(prompt);
  Say(prompt);
  int column = (SplashColumns - static_cast<int>(prompt.size())) / 2 + static_cast<int>(prompt.size()) + 1;
  GoToCell(column, CurrentRow() - 1);
  return TypedNumber();
}

// A peak is never below 0, so a negative threshold would fire on every poll, even in
// silence, and no quiet wait could ever end: the panel would never show its menus.
int32_t UsableThreshold(int32_t value) { return value < 0 ? 0 : value; }

// A panel started by anything but its shortcut (from the zip, by a double-click) cannot ask
// the person, who cannot type: the caregiver's values in the settings file stand in for the
// command line's. Both, as whole numbers, or neither.
bool SettingsGiveStartUpValues(int32_t& volume, int32_t& delay) {
  const std::optional<int32_t> fromVolume = ParseWholeNumber(ReadSetting("ACIONADOR", "VOLUME", ""));
  const std::optional<int32_t> fromDelay = ParseWholeNumber(ReadSetting("VARREDURA", "DELAY", ""));
  if (!fromVolume || !fromDelay) return false;
  volume = *fromVolume;
  delay = *fromDelay;
  return true;
}

void TakeStartUpValues(const std::vector<std::string>& arguments) {
  Threshold = 30;
  int32_t volume = 0, delay = 0;
  if (!arguments.empty()) {
    Threshold = UsableThreshold(ArgumentNumber(arguments[0]));
    if (arguments.size() >= 2) DwellMs = ArgumentNumber(arguments[1]);
    Delay(2000);
    return;
  }
  if (SettingsGiveStartUpValues(volume, delay)) {
    Threshold = UsableThreshold(volume);
    DwellMs = delay;
    Delay(2000);
    return;
  }
  Threshold = UsableThreshold(AskNumber(VolumeQuestion));
  DwellMs = AskNumber(DelayQuestion);
}

// Read whole here: the console keeps only the first 79 bytes, which for a program installed
// deep in folders may end before its name. A full buffer may mean a cut path: try a larger one.
// Wide, so that the name shows as the platform spells it whatever the code page.
std::wstring ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size() || path.size() >= 32768) return path.substr(0, length);
    path.resize(path.size() * 2);
  }
}

std::wstring ModuleFileName() {
  std::wstring path = ProgramPath();
  size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

[[noreturn]] void ShowStartUpError(const StartUpValueError& error) {
  std::string message = error.message;
  if (message.empty() || message.back() != '.') message += '.';
  wchar_t address[32];
  std::swprintf(address, 32, L"%p", reinterpret_cast<void*>(&StartUp));
  std::wstring text = L"Exception " + WideText(error.kind) + L" in module " + ModuleFileName() +
                      L" at " + address + L".\n" + WideText(message);
  MessageBoxW(nullptr, text.c_str(), L"Application Error", MB_ICONSTOP | MB_OK | MB_TASKMODAL);
  std::exit(1);
}

// ---- One panel at a time ----

// Two panels would each take every press. The window of the one that runs carries this mark;
// a second start in the session hands it its numbers and ends.
constexpr ULONG_PTR kNewValues = 0x41434E56;  // WM_COPYDATA: "threshold [dwell]" for the running panel
constexpr int kRunningPanelWaitMs = 5000;     // a panel just started shows its window within this

// The session's panel, when another process holds the mark's name (a panel with UI access
// holds it above this one's reach: refused, it is there all the same); null when none runs
// or it shows no window in time (it would be no working panel).
HWND OtherPanel() {
  static const bool held = [] {
    const HANDLE name = CreateMutexW(nullptr, FALSE, L"Local\\Acenora.Painel");
    const DWORD error = GetLastError();
    return (name && error == ERROR_ALREADY_EXISTS) || (!name && error == ERROR_ACCESS_DENIED);
  }();
  if (!held) return nullptr;
  HWND running = RunningPanel();
  for (int waited = 0; !running && waited < kRunningPanelWaitMs; waited += 100) {
    Sleep(100);
    running = RunningPanel();
  }
  return running;
}

bool HandedToRunningPanel(const std::vector<std::string>& arguments) {
  HWND running = OtherPanel();
  if (!running) return false;
  std::string values;
  for (size_t i = 0; i < arguments.size() && i < 2; ++i) values += (i ? " " : "") + arguments[i];
  COPYDATASTRUCT data{kNewValues, static_cast<DWORD>(values.size()), values.data()};
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                      kRunningPanelWaitMs, &answer);
  return true;
}

// Numbers that are not whole are passed over: the running panel keeps its own.
bool TakeNewValues(const COPYDATASTRUCT& data) {
  if (data.dwData != kNewValues) return false;
  const std::string values(static_cast<const char*>(data.lpData), data.cbData);
  const size_t blank = values.find(' ');
  const std::optional<int32_t> volume = ParseWholeNumber(values.substr(0, blank));
  const std::optional<int32_t> delay =
      blank == std::string::npos ? std::nullopt : ParseWholeNumber(values.substr(blank + 1));
  if (volume) Threshold = UsableThreshold(*volume);
  if (delay) DwellMs = *delay;
  PlacePanel(PanelAtBottom);  // shown, where a caregiver who started it again looks
  return true;
}

void MarkAsThePanel() {
  SetPropW(ConsoleWindow, PanelMark, reinterpret_cast<HANDLE>(1));
  ChangeWindowMessageFilterEx(ConsoleWindow, WM_COPYDATA, MSGFLT_ALLOW, nullptr);
  ConsoleCopyData = TakeNewValues;
}

// ---- Option scanner ----

// The first option of every pass may stay lit longer, for a person slow to start a press.
int OptionTicks(int option) { return DwellTicks() + (option == 1 ? FirstItemExtraTicks() : 0); }

void DrawMenu(int menu) {
  for (int option = 1; option <= OptionCount[menu]; ++option) ShowOptionLabel(menu, option, false);
}

void HidePanel() { ShowWindow(ConsoleWindow, SW_HIDE); }

// The scan every handler makes: from option 1, then the panel out of the way.
int ScanMenu() {
  ResumeOption = 1;
  int option = ScanOptions(CurrentMenu);
  HidePanel();
  return option;
}

POINT CursorPosition() {
  POINT point{0, 0};
  GetCursorPos(&point);
  return point;
}

RECT WorkArea() {
  RECT area{0, 0, 0, 0};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

// ---- Menu 1 ----

constexpr int AimOption = 100;  // "Aponta", which menu 1 shows first with the grid

bool IsMouseMove(int option) { return option >= 2 && option <= 5; }

// With the grid on, menu 1 is shown as the pointing menu: "Aponta", then its own options.
int ScanMouseMenu() {
  if (!PointingOn) return ScanMenu();
  CurrentMenu = PointingMouseMenu;
  const int option = ScanMenu();
  CurrentMenu = 1;
  return option == 1 ? AimOption : option - 1;
}

// The wheel turns a notch a tick, as the moves repeat, until the next press.
void RollWheelUntilSwitch(POINT at, bool down) {
  do WheelAt(at.x, at.y, down);
  while (QuietFor(100));
}

// A drag starts only once its drop point is chosen: no button is held down while the
// person scans for it, and a drop grid let close drags nothing.
void DragFrom(POINT from) {
  POINT to{};
  if (!PointWithGrid(to)) return;
  HideGrid();
  DragFromTo(from.x, from.y, to.x, to.y);
}

void ActOnPoint(int action, POINT at) {
  switch (action) {
    case 1: ClickAt(at.x, at.y); break;
    case 2: DoubleClickAt(at.x, at.y); break;
    case 3: RightClickAt(at.x, at.y); break;
    case 4: DragFrom(at); break;
    case 5: RollWheelUntilSwitch(at, true); break;
    case 6: RollWheelUntilSwitch(at, false); break;
    default: break;  // 7 "Cancela"
  }
}

// The grid, then what to do at its point; menu 1 scans again from "Aponta" after it.
void AimAndAct() {
  POINT at{};
  if (!PointWithGrid(at)) return;
  CurrentMenu = PointActionMenu;
  const int action = ScanMenu();
  CurrentMenu = 1;
  HideGrid();
  ActOnPoint(action, at);
}

// One pass of a menu-1 option at the cursor; true when the option leaves the menu. The step
// is in pixels at 96 DPI: on a screen at 150 % it moves as far as the person sees it at 100 %.
bool ActOnMouseOption(int option, POINT at, int32_t& step) {
  const int pixels = ScaledPixels(step);
  switch (option) {
    case 1: ClickAt(at.x, at.y); return false;
    case 2: SetCursorPos(at.x, at.y - pixels); return false;
    case 3: SetCursorPos(at.x, at.y + pixels); return false;
    case 4: SetCursorPos(at.x - pixels, at.y); return false;
    case 5: SetCursorPos(at.x + pixels, at.y); return false;
    case 6: CurrentMenu = 2; return true;
    case 7: step = step == 10 ? 3 : 10; return false;
    case 8: CurrentMenu = 3; return true;
    case 9: CurrentMenu = 0; KeyboardLayout = LettersLayout; return true;
    case 11: CurrentMenu = 6; return true;
    default: return false;  // 10 "Visualiza": the screen is left free to look at
  }
}

// A move repeats every tick; anything else happens once and then the panel waits hidden.
bool RunMouseOption(int option, int32_t& step) {
  if (option == AimOption) {
    AimAndAct();
    return false;
  }
  bool done = false;
  for (;;) {
    done = ActOnMouseOption(option, CursorPosition(), step) || done;
    ResumeOption = 1;
    if (!IsMouseMove(option)) option = 0;
    Delay(100);
    if (SwitchPressed() || CurrentMenu != 1) return done;
  }
}

// ---- Menu 2 ----

void ActOnOtherClick(int option, POINT at) {
  switch (option) {
    case 1: DoubleClickAt(at.x, at.y); break;
    case 2: RightClickAt(at.x, at.y); break;
    case 3: CtrlClickAt(at.x, at.y); break;
    case 4: ShiftClickAt(at.x, at.y); break;
    case 5: {
      RECT area = WorkArea();  // a taskbar may lie on any side
      SetCursorPos((area.left + area.right) / 2, (area.top + area.bottom) / 2);
      break;
    }
    case 6: MoveMouseTo(ScaledPixels(25), ScaledPixels(25)); break;
    case 7: {
      RECT frame{0, 0, 0, 0};
      GetWindowRect(GetForegroundWindow(), &frame);
      MoveMouseTo(frame.left + ScaledPixels(25), frame.top + ScaledPixels(25));
      break;
    }
    default: break;  // 8 "Ignora"
  }
}

// ---- The shell's windows ----

// No foreground window at all counts as the shell's: the keys would reach the desktop.
bool ShellInFront() {
  HWND front = GetForegroundWindow();
  char name[64] = {};
  return front == nullptr || GetClassNameA(front, name, sizeof name) == 0 || IsShellWindowClass(name);
}

// ---- Menu 3 ----

// True when the option leaves the menu.
bool ActOnWindowOption(int option) {
  switch (option) {
    case 1: CurrentMenu = 1; return true;
    case 2: SendVirtKey(VK_NEXT, false, false, 100); return false;
    case 3: SendVirtKey(VK_PRIOR, false, false, 100); return false;
    case 4: SendVirtKey(VK_HOME, true, false, 100); return false;
    case 5:
      if (!ShellInFront()) SendVirtKey(VK_F4, false, true, 100);  // "Fecha"
      return false;
    case 6: CurrentMenu = 5; return true;
    case 7: CurrentMenu = 4; return true;
    case 8:
      PanelAtBottom = !PanelAtBottom;
      PlacePanel(PanelAtBottom);
      return false;
    case 9: SendVirtKey(VK_TAB, false, true, 500); return false;
    default: return false;
  }
}

// ---- Menu 4 ----

// True when the option leaves the menu.
bool ActOnNavigationOption(int option) {
  switch (option) {
    case 1: CurrentMenu = 1; return true;
    case 2: SendVirtKey(VK_RETURN, false, false, 100); return false;
    case 3: RepeatKeyUntilSwitch(VK_TAB, false, 10); return false;
    case 4: RepeatKeyUntilSwitch(VK_TAB, true, 10); return false;
    case 5: SendVirtKey(VK_F10, false, false, 10); return false;
    case 6: RepeatKeyUntilSwitch(VK_RIGHT, false, 1000); return false;
    case 7: RepeatKeyUntilSwitch(VK_LEFT, false, 1000); return false;
    case 8: RepeatKeyUntilSwitch(VK_UP, false, 1000); return false;
    case 9: RepeatKeyUntilSwitch(VK_DOWN, false, 1000); return false;
    case 10: SendVirtKey(VK_LEFT, false, true, 100); return false;
    case 11: SendVirtKey(VK_RIGHT, false, true, 100); return false;
    default: return false;
  }
}

// ---- Menu 5 ----

void ActOnWindowSize(int option) {
  static const int showCommands[] = {-1, -1, SW_MINIMIZE, SW_SHOWNORMAL, SW_SHOWMAXIMIZED};
  if (option < 2 || option > 4 || ShellInFront()) return;  // 1 "Deixa igual"
  ShowWindow(GetForegroundWindow(), showCommands[option]);
}

// ---- Menu 6 ----

void MoveBelowWorkArea(int x) {
  RECT area = WorkArea();
  SetCursorPos(x, area.bottom + 10);
}

// Ctrl+Esc opens the Start menu on every version, wherever the taskbar is or is centred.
void OpenStartMenu() {
  PlayInit(10);
  PlayVirtKey(VK_ESCAPE, 1, 0, 0, 100);
  StartWhenCtrlUp();
}

// On the taskbar's notification end wherever it lies; below the work area without one.
void MoveToTray() {
  APPBARDATA taskbar{};
  taskbar.cbSize = sizeof taskbar;
  if (!SHAppBarMessage(ABM_GETTASKBARPOS, &taskbar) || taskbar.uEdge > ABE_BOTTOM) {
    MoveBelowWorkArea(WorkArea().right - 20);
    return;
  }
  static const TaskbarEdge edges[] = {TaskbarEdge::Left, TaskbarEdge::Top, TaskbarEdge::Right,
                                      TaskbarEdge::Bottom};
  const RECT& r = taskbar.rc;
  const ScreenPoint at = TrayPoint(edges[taskbar.uEdge], {r.left, r.top, r.right, r.bottom});
  SetCursorPos(at.x, at.y);
}

void ActOnProgramsOption(int option) {
  switch (option) {
    case 2: OpenMyDocuments(); break;
    case 3: OpenStartMenu(); break;
    case 4: RunProgram(SearchPortal); break;
    case 5: RunLocutor(); break;
    case 6: RunProgram("notepad"); break;
    case 7: RunProgram(NewsSite); break;
    case 8: OpenMail(); break;
    case 9: RunProgram("explorer"); break;
    case 10: MoveToTray(); break;
    default: break;  // 1 "Mouse"
  }
}

// ---- Menu 7 ----

int LayoutOfChoice(int option) {
  static const int layouts[] = {0, 0, 6, 1, 2, 5, 3, 4};
  if (option == 3) return LettersLayout;  // "Alfa": the letters the person types with
  return option >= 1 && option <= 7 ? layouts[option] : 0;
}

}  // namespace

// ---- Start-up and main loop ----

// A person who cannot touch the computer cannot wake it, and waking can show a sign-in
// screen the switch cannot reach: the display and the system stay on while the panel runs.
// The shell's calls need the thread in a single-threaded apartment. A box of the system's
// (a drive with no disk) would stop the one thread until someone clicks it.
static void PrepareThread() {
  SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED | ES_DISPLAY_REQUIRED);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
}

// At every poll of the switch, so a notice comes and goes while the panel scans, and no
// other topmost window hides the panel for long.
static void RefreshPanel() {
  FollowPrompt();
  Notices.microphoneDeaf = MicrophoneDeaf();
  RefreshCaption();
  SeamSampleBlind(Notices.adminInFront);
  KeepPanelOnTop();
}

// No taskbar button to appear and vanish at every show and hide, no place in Alt+Tab. The
// style takes effect when the window is shown again. The first show of a program takes the
// starting shortcut's "Minimised" or "Maximised", which must not stay with the panel.
static void BecomeToolWindow() {
  if (IsIconic(ConsoleWindow) || IsZoomed(ConsoleWindow)) ShowWindow(ConsoleWindow, SW_RESTORE);
  ShowWindow(ConsoleWindow, SW_HIDE);
  SetWindowLongPtrA(ConsoleWindow, GWL_EXSTYLE,
                    GetWindowLongPtrA(ConsoleWindow, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
  ShowWindow(ConsoleWindow, SW_SHOW);  // active, for the prompts
}

// Once the prompts are answered, a click on the panel must not take the focus from the
// person's program.
static void NeverActivate() {
  SetWindowLongPtrA(ConsoleWindow, GWL_EXSTYLE,
                    GetWindowLongPtrA(ConsoleWindow, GWL_EXSTYLE) | WS_EX_NOACTIVATE);
}

void StartUp() {
  PrepareThread();
  ScreenCols = 80;
  ScreenRows = 12;
  ClearScreen();
  MarkAsThePanel();
  BecomeToolWindow();
  MeasureWorkArea();
  ConsoleDpiChanged = RedockAfterRescale;
  SwitchPolled = RefreshPanel;
  SwitchNotice = ShowNotice;
  ReadSpeakingSettings();
  std::vector<std::string> arguments = CommandLineArguments();
  int32_t unused = 0;
  HasArguments = !arguments.empty() || SettingsGiveStartUpValues(unused, unused);
  SplashMode = true;
  PanelAtBottom = true;
  PlacePanel(true);
  SetForeground(14);
  ShowPanelTitle(PanelCaption);
  WriteStartUpScreen();
  TakeStartUpValues(arguments);
  NeverActivate();
  SplashMode = false;
  ReadSwitchChoice(Threshold);
  ReadSwitchFilters();
  ReadKeyboardSettings();
  ReadTimingSettings();
  ReadPointingSettings();
  CaptureOpen(CaptureRate, 8, 1, CaptureBufferBytes);
  ClearScreen();
  KeyboardLayout = 0;
  CurrentMenu = 1;
  RepeatArmed = false;
}

void RunMainLoopOnce() {
  if (CurrentMenu == 0 && KeyboardLayout == 0) CurrentMenu = 1;
  switch (CurrentMenu) {
    case 1: MouseMenu(); break;
    case 2: OtherClicksMenu(); break;
    case 3: WindowMenu(); break;
    case 4: NavigationMenu(); break;
    case 5: WindowSizeMenu(); break;
    case 6: ProgramsMenu(); break;
    case 7: KeyboardChoiceMenu(); break;
    default:
      ScanKeyboard();
      ShowPanelTitle(PanelCaption);  // the keyboard showed its keys there
      PlacePanel(PanelAtBottom);
      break;
  }
}

void MainLoop() {
  for (;;) RunMainLoopOnce();
}

int AcenoraMain() {
  ConsoleInit();
  if (HandedToRunningPanel(CommandLineArguments())) return 0;
  try {
    StartUp();
  } catch (const StartUpValueError& error) {
    ShowStartUpError(error);
  }
  MainLoop();
  return 0;
}

// ---- Option scanner ----

int ScanOptions(int menu) {
  if (menu < 1 || menu > AllMenuCount) return 0;
  int count = OptionCount[menu];
  WaitQuiet();  // a switch still sounding from the last choice must not choose again
  AdaptDelayBetweenScans();
  ClearScreen();
  PlacePanel(PanelAtBottom);
  ShowWindow(ConsoleWindow, SW_SHOWNA);
  DrawMenu(menu);
  int previous = count;
  int current = ResumeOption >= 1 && ResumeOption <= count ? ResumeOption : 1;
  LitItems lit;
  for (;;) {
    // Marked before it shows: a press seen once it shows is never dated before it.
    lit.Light(current, SeamMarkNow());
    ShowOptionLabel(menu, previous, false);
    ShowOptionLabel(menu, current, true);
    Say(OptionLabel(menu, current));
    previous = current;
    if (DwellNextItem(OptionTicks(current))) {
      const int chosen = lit.LitAt(PressBeganMs);
      NoteChoice(ChoiceKind::Option, lit.LitSinceAt(PressBeganMs), chosen == 1);
      ShowOptionLabel(menu, current, false);
      ShowOptionLabel(menu, chosen, true);  // shown lit while the hit dies away
      WaitQuiet();
      HidePanel();
      return chosen;
    }
    current = current % count + 1;
  }
}

// ---- Menu handlers ----

void MouseMenu() {
  int32_t step = 3;
  bool done = false;
  ResumeOption = 1;
  while (!done) done = RunMouseOption(ScanMouseMenu(), step);
}

void OtherClicksMenu() {
  int option = ScanMenu();
  POINT at = CursorPosition();
  Delay(200);
  ActOnOtherClick(option, at);
  CurrentMenu = 1;
}

void WindowMenu() {
  bool done = false;
  ResumeOption = 1;
  while (!done) {
    int option = ScanMenu();
    Delay(200);
    done = ActOnWindowOption(option) || done;
    Delay(200);
    ResumeOption = 1;
  }
}

void NavigationMenu() {
  bool done = false;
  while (!done) {
    int option = ScanMenu();
    WaitQuiet();
    done = ActOnNavigationOption(option) || done;
    WaitQuiet();
  }
}

void WindowSizeMenu() {
  int option = ScanMenu();
  CurrentMenu = 1;
  Delay(200);  // the panel is hidden, so the user's window is the foreground one
  ActOnWindowSize(option);
}

void ProgramsMenu() {
  int option = ScanMenu();
  CurrentMenu = 1;
  ActOnProgramsOption(option);
}

void KeyboardChoiceMenu() {
  int option = ScanMenu();
  KeyboardLayout = LayoutOfChoice(option);
  if (option >= 2 && option <= 7) CurrentMenu = 0;
  else if (option == 1) CurrentMenu = 1;
  PlacePanel(PanelAtBottom);
}

// Without the shell's own messages: its "cannot find" box would stop the panel's one thread
// until someone clicked it. What cannot be opened is said on the panel instead.
static bool OpenThroughShell(const std::wstring& target) {
  SHELLEXECUTEINFOW open{};
  open.cbSize = sizeof open;
  open.fMask = SEE_MASK_FLAG_NO_UI;
  open.lpVerb = L"open";
  open.lpFile = target.c_str();
  open.nShow = SW_SHOW;
  return ShellExecuteExW(&open) != FALSE;
}

static std::string WithoutQuotes(std::string name) {
  std::erase(name, '"');
  return name;
}

bool RunProgram(const std::string& target) {
  if (OpenThroughShell(WideText(target))) return true;
  ShowNotice(NotFoundNotice(WithoutQuotes(target)));
  return false;
}

// Ours beside the panel first (the zips), then whatever the shell knows by that name (the
// setup registers ours; a user's own also wins over nothing).
void RunLocutor() {
  const std::wstring program = ProgramPath();
  const std::wstring beside = program.substr(0, program.find_last_of(L"\\/") + 1) + L"locutor.exe";
  if (GetFileAttributesW(beside.c_str()) != INVALID_FILE_ATTRIBUTES && OpenThroughShell(beside))
    return;
  RunProgram("locutor");
}

// The person's mail program: Outlook where it is installed, else whatever program the user
// chose for mail addresses.
void OpenMail() {
  if (OpenThroughShell(L"outlook") || OpenThroughShell(L"mailto:")) return;
  ShowNotice(NotFoundNotice("correio"));
}

// The user's Documents folder, wherever the platform keeps it; empty when it has none.
std::wstring DocumentsFolder() {
  PWSTR path = nullptr;
  std::wstring folder;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &path))) folder = path;
  CoTaskMemFree(path);
  return folder;
}

// A folder named "Meus documentos" in the current directory wins; without one the quoted
// name would open nothing, so the user's own Documents folder opens instead.
void OpenMyDocuments() {
  const DWORD attributes = GetFileAttributesA(MyDocumentsName);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    RunProgram(std::string("\"") + MyDocumentsName + "\"");
    return;
  }
  const std::wstring documents = DocumentsFolder();
  if (documents.empty() || !OpenThroughShell(documents)) ShowNotice(NotFoundNotice(MyDocumentsName));
}
