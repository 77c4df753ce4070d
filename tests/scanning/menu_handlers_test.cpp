// The seven menus as the user drives them with the switch: what each option does to the
// cursor, the user's windows and the key and mouse replays, and which menu comes next.
// Time is virtual and the playback library only records; the cursor is the real one.
#include "scanning/acenora.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "injection/obmacro.h"
#include "keyboard/uteclado.h"
#include "panel_user.h"
#include "scanning/core/uopcoes.h"
#include "scanning_fixture.h"
#include "switch/uaudio.h"
#include "switch/uctlsom.h"

namespace {

using Calls = std::vector<PlayCall>;

// What the playback library is asked for when the action is done directly.
Calls RecordedBy(const std::function<void()>& action) {
  Calls saved = PlayCalls;
  ClearPlayCalls();
  action();
  Calls recorded = PlayCalls;
  PlayCalls = saved;
  return recorded;
}

Calls operator+(Calls a, const Calls& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

RECT WorkArea() {
  RECT area{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

// Where the platform puts the cursor when asked for a point below the screen.
int ClampedY(int y) { return std::min(y, GetSystemMetrics(SM_CYSCREEN) - 1); }

bool SamePoint(POINT a, POINT b) { return a.x == b.x && a.y == b.y; }

// Taskbars on the left and on top: the work area starts at (100, 40) while this lives.
class WorkAreaPastTaskbars {
 public:
  WorkAreaPastTaskbars() : saved_(WorkArea()) {
    RECT area{100, 40, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_SETWORKAREA, 0, &area, 0);
  }
  ~WorkAreaPastTaskbars() { SystemParametersInfoA(SPI_SETWORKAREA, 0, &saved_, 0); }

 private:
  RECT saved_;
};

// Consecutive cursor steps between ticks, as runs of equal steps (stillness left out).
struct Move {
  int dx, dy, ticks;
  bool operator==(const Move&) const = default;
};
std::vector<Move> CursorMoves(const std::vector<SeenTick>& ticks) {
  std::vector<Move> moves;
  for (size_t i = 1; i < ticks.size(); ++i) {
    int dx = ticks[i].cursor.x - ticks[i - 1].cursor.x;
    int dy = ticks[i].cursor.y - ticks[i - 1].cursor.y;
    if (dx == 0 && dy == 0) continue;
    if (!moves.empty() && moves.back().dx == dx && moves.back().dy == dy) ++moves.back().ticks;
    else moves.push_back({dx, dy, 1});
  }
  return moves;
}

// A plain window of the test's own, made the foreground window, for the window commands.
class UserWindow {
 public:
  UserWindow() {
    window_ = CreateWindowExA(0, "STATIC", "user window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 150,
                              120, 320, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    BringForward();
  }
  ~UserWindow() { DestroyWindow(window_); }
  void BringForward() {
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
    PumpMessages();
  }
  HWND handle() const { return window_; }

 private:
  HWND window_;
};

class Menus : public ScanningPanel {
 protected:
  void SetUp() override {
    ScanningPanel::SetUp();
    SetCursorPos(400, 400);
  }
  // Runs a handler for the menu with the user's steps; the user gives up after a while.
  std::vector<SeenTick> Run(int menu, void (*handler)(), std::vector<UserStep> steps) {
    CurrentMenu = menu;
    PanelUser user(std::move(steps), 200000);
    handler();
    EXPECT_TRUE(user.Done()) << "the menu returned before the user was done";
    return user.ticks;
  }
};

// ---- Menu 1 ----

// Steps are pixels at 100 %: on a screen at 150 % (this test run again at 144 DPI) they go as
// far as the person sees them go at 100 %.
TEST_F(Menus, DireitaStepsThreePixelsATickUntilTheSwitchThenTenAfterMouseRapido) {
  if (const char* dpi = std::getenv("ACENORA_EXPECT_DPI"))
    ASSERT_EQ(SystemDpi(), static_cast<UINT>(std::atoi(dpi))) << "the prefix's scale";
  const bool at150 = SystemDpi() == 144;
  std::vector<SeenTick> ticks = Run(1, MouseMenu, {Choose(5), PressAfter(10), Choose(7), PressAfter(4),
                                                   Choose(5), PressAfter(10), Choose(6)});
  EXPECT_EQ(CurrentMenu, 2);
  // Moves start after the quiet wait that follows the choice, one each tick up to the hit.
  EXPECT_EQ(CursorMoves(ticks),
            (std::vector<Move>{{at150 ? 5 : 3, 0, 7}, {at150 ? 15 : 10, 0, 7}}));
}

TEST_F(Menus, TheStepIsThreeAgainEachTimeTheMouseMenuIsEntered) {
  Run(1, MouseMenu, {Choose(7), PressAfter(4), Choose(6)});
  SetCursorPos(400, 400);
  std::vector<SeenTick> ticks = Run(1, MouseMenu, {Choose(5), PressAfter(10), Choose(6)});
  EXPECT_EQ(CursorMoves(ticks), (std::vector<Move>{{3, 0, 7}}));
}

TEST_F(Menus, SobeDesceEsquerdaAndDireitaEachMoveTheirOwnWay) {
  std::vector<SeenTick> ticks = Run(1, MouseMenu, {Choose(2), PressAfter(6), Choose(3), PressAfter(6),
                                                   Choose(4), PressAfter(6), Choose(5), PressAfter(6),
                                                   Choose(6)});
  EXPECT_EQ(CursorMoves(ticks),
            (std::vector<Move>{{0, -3, 3}, {0, 3, 3}, {-3, 0, 3}, {3, 0, 3}}));
}

TEST_F(Menus, AfterClicaThePanelStaysHiddenUntilTheNextHitThenScansFromOption1) {
  SetCursorPos(300, 310);
  const Calls click = RecordedBy([] { ClickAt(300, 310); });
  PanelUser user({Choose(1), PressAfter(8), Choose(6)}, 200000);
  CurrentMenu = 1;
  MouseMenu();
  EXPECT_EQ(PlayCalls, click) << DescribePlayCalls();
  ASSERT_GE(user.pressedAt.size(), 2u);
  bool litAfter = false;
  for (const SeenTick& tick : user.ticks) {
    if (tick.ms > user.pressedAt[0] + 300 && tick.ms <= user.pressedAt[1]) {
      EXPECT_FALSE(tick.shown) << "shown at " << tick.ms << " ms before the next hit";
    }
    if (tick.ms > user.pressedAt[1] && tick.lit && !litAfter) {
      EXPECT_EQ(tick.lit, 1) << "the scan after the hit starts at option 1";
      litAfter = true;
    }
  }
  EXPECT_TRUE(litAfter);
}

TEST_F(Menus, VisualizaLeavesTheScreenFreeUntilTheNextHit) {
  PanelUser user({Choose(10), PressAfter(30), Choose(6)}, 200000);
  CurrentMenu = 1;
  MouseMenu();
  EXPECT_TRUE(PlayCalls.empty()) << DescribePlayCalls();
  int hiddenTicks = 0;
  for (const SeenTick& tick : user.ticks)
    if (tick.ms > user.pressedAt[0] + 300 && tick.ms <= user.pressedAt[1] && !tick.shown) ++hiddenTicks;
  EXPECT_EQ(hiddenTicks, 27) << "hidden from the end of the quiet wait to the hit";
}

TEST_F(Menus, TheMouseMenuLeadsToOtherClicksWindowCommandsTheKeyboardAndPrograms) {
  const std::pair<int, int> moves[] = {{6, 2}, {8, 3}, {9, 0}, {11, 6}};
  for (auto [option, menu] : moves) {
    KeyboardLayout = 0;
    Run(1, MouseMenu, {Choose(option)});
    EXPECT_EQ(CurrentMenu, menu) << "option " << option;
    EXPECT_EQ(KeyboardLayout, option == 9 ? 1 : 0) << "option " << option;
  }
}

// ---- Menu 2 ----

TEST_F(Menus, OtherClicksLandWhereTheCursorWasWhenChosenEvenIfItMovesInThePause) {
  const std::pair<int, void (*)(int, int)> clicks[] = {
      {1, DoubleClickAt}, {2, RightClickAt}, {3, CtrlClickAt}, {4, ShiftClickAt}};
  for (auto [option, macro] : clicks) {
    ClearPlayCalls();
    const int x = 200 + 10 * option, y = 300;
    SetCursorPos(x, y);
    const Calls expected = RecordedBy([&] { macro(x, y); });
    CurrentMenu = 2;
    PanelUser user({Choose(option)}, 200000);
    user.onTick = [&](int64_t) {
      if (!user.pressedAt.empty() && !PanelShown()) SetCursorPos(600, 500);
    };
    OtherClicksMenu();
    EXPECT_EQ(PlayCalls, expected) << "option " << option << "\n" << DescribePlayCalls();
    EXPECT_EQ(CurrentMenu, 1);
  }
}

TEST_F(Menus, TheCursorJumpsToTheScreenCentreTheScreenTopOrTheWindowTop) {
  UserWindow window;
  {
    WorkAreaPastTaskbars taskbars;
    RECT area = WorkArea();
    ASSERT_EQ(area.left, 100);
    ASSERT_EQ(area.top, 40);
    Run(2, OtherClicksMenu, {Choose(5)});
    POINT at{};
    GetCursorPos(&at);
    EXPECT_TRUE(SamePoint(at, POINT{(100 + area.right) / 2, (40 + area.bottom) / 2}))
        << at.x << "," << at.y;
    EXPECT_TRUE(PlayCalls.empty()) << "a straight platform move";
  }

  Run(2, OtherClicksMenu, {Choose(6)});
  EXPECT_EQ(PlayCalls, RecordedBy([] { MoveMouseTo(25, 25); })) << DescribePlayCalls();

  ClearPlayCalls();
  window.BringForward();
  Run(2, OtherClicksMenu, {Choose(7)});
  RECT frame{};
  GetWindowRect(GetForegroundWindow(), &frame);
  EXPECT_EQ(GetForegroundWindow(), window.handle()) << "the panel must not take the foreground";
  EXPECT_EQ(PlayCalls, RecordedBy([&] { MoveMouseTo(frame.left + 25, frame.top + 25); }))
      << DescribePlayCalls();
  EXPECT_EQ(CurrentMenu, 1);
}

TEST_F(Menus, IgnoraDoesNothingAndGoesBackToTheMouseMenu) {
  Run(2, OtherClicksMenu, {Choose(8)});
  POINT at{};
  GetCursorPos(&at);
  EXPECT_TRUE(SamePoint(at, POINT{400, 400}));
  EXPECT_TRUE(PlayCalls.empty()) << DescribePlayCalls();
  EXPECT_EQ(CurrentMenu, 1);
}

// ---- Menu 3 ----

TEST_F(Menus, WindowCommandsSendTheirKeysAndTheMenuGoesOnUntilMouse) {
  UserWindow window;  // Fecha acts only on a window of the user's
  const Calls expected =
      RecordedBy([] { SendVirtKey(VK_NEXT, false, false, 100); }) +
      RecordedBy([] { SendVirtKey(VK_PRIOR, false, false, 100); }) +
      RecordedBy([] { SendVirtKey(VK_HOME, true, false, 100); }) +
      RecordedBy([] { SendVirtKey(VK_F4, false, true, 100); }) +
      RecordedBy([] { SendVirtKey(VK_TAB, false, true, 500); });
  Run(3, WindowMenu, {Choose(2), Choose(3), Choose(4), Choose(5), Choose(9), Choose(1)});
  EXPECT_EQ(PlayCalls, expected) << DescribePlayCalls();
  EXPECT_EQ(CurrentMenu, 1);
}

TEST_F(Menus, ReposicionaMovesThePanelToTheTopAndASecondTimeBackToTheBottom) {
  CurrentMenu = 3;
  const int bottom = PanelPlacement(true).top, top = PanelPlacement(false).top;
  ASSERT_NE(bottom, top);
  std::vector<SeenTick> ticks = Run(3, WindowMenu, {Choose(8), Choose(8), Choose(1)});
  std::vector<int> places;
  for (const SeenTick& tick : ticks)
    if (tick.shown && (places.empty() || places.back() != tick.panel.top)) places.push_back(tick.panel.top);
  EXPECT_EQ(places, (std::vector<int>{bottom, top, bottom}));
  EXPECT_TRUE(PanelAtBottom);
}

TEST_F(Menus, WindowCommandsLeadToWindowSizeNavigationOrTheMouseMenu) {
  const std::pair<int, int> moves[] = {{6, 5}, {7, 4}, {1, 1}};
  for (auto [option, menu] : moves) {
    Run(3, WindowMenu, {Choose(option)});
    EXPECT_EQ(CurrentMenu, menu) << "option " << option;
  }
  EXPECT_TRUE(PlayCalls.empty()) << DescribePlayCalls();
}

// ---- Menu 4 ----

TEST_F(Menus, NavigationSendsEnterF10AndTheBrowserKeys) {
  const Calls expected = RecordedBy([] { SendVirtKey(VK_RETURN, false, false, 100); }) +
                         RecordedBy([] { SendVirtKey(VK_F10, false, false, 10); }) +
                         RecordedBy([] { SendVirtKey(VK_LEFT, false, true, 100); }) +
                         RecordedBy([] { SendVirtKey(VK_RIGHT, false, true, 100); });
  Run(4, NavigationMenu, {Choose(2), Choose(5), Choose(10), Choose(11), Choose(1)});
  EXPECT_EQ(PlayCalls, expected) << DescribePlayCalls();
  EXPECT_EQ(CurrentMenu, 1);
}

TEST_F(Menus, TabChosenAndTheSwitchFiredWithinTheFirstSecondSendsNoTab) {
  // Three quiet ticks end the scan, three more the menu's own wait; the second passes then.
  Run(4, NavigationMenu, {Choose(3), PressAfter(10), Choose(1)});
  EXPECT_TRUE(PlayCalls.empty()) << DescribePlayCalls();
}

TEST_F(Menus, ARepeatedKeyGoesOutAfterEachQuietSecondUntilTheSwitch) {
  struct Repeat { int option; uint8_t key; bool shift; int delay; };
  const Repeat repeats[] = {{3, VK_TAB, false, 10}, {4, VK_TAB, true, 10}, {6, VK_RIGHT, false, 1000},
                            {7, VK_LEFT, false, 1000}, {8, VK_UP, false, 1000}, {9, VK_DOWN, false, 1000}};
  for (const Repeat& r : repeats) {
    ClearPlayCalls();
    const Calls one = RecordedBy([&] { SendVirtKey(r.key, r.shift, false, r.delay); });
    // Keys at the 16th and the 26th tick after the choice; the hit comes at the 30th.
    Run(4, NavigationMenu, {Choose(r.option), PressAfter(30), Choose(1)});
    EXPECT_EQ(PlayCalls, one + one) << "option " << r.option << "\n" << DescribePlayCalls();
  }
}

// Continuous actions end where the press began, for Ctrl and for a sound, which is read only
// once its buffer is full: a move at most one step further at either step, and no repeated
// key after the press began.
class ContinuousActions : public Menus {
 protected:
  void SetUp() override {
    Menus::SetUp();
    Threshold = 30;
    ASSERT_EQ(CaptureOpen(CaptureRate, 8, 1, CaptureBufferBytes), 0);
  }
  void TearDown() override {
    CaptureClose();
    Menus::TearDown();
  }
  static void PressAt(bool sound, int64_t at) {
    if (sound) vt::Sound(at, 60, 255);
    else vt::HoldCtrl(at, at + 40);
  }
};

TEST_F(ContinuousActions, AMoveEndsAtMostOneStepPastWhereThePressBegan) {
  for (bool sound : {false, true}) {
    for (int step : {3, 10}) {
      CaptureClose();  // each case opens the ring afresh
      SetUp();
      const char* what = sound ? "sound" : "Ctrl";
      SCOPED_TRACE(std::string(what) + " at step " + std::to_string(step));
      int64_t pressAt = -1;
      int moves = 0;
      POINT last{400, 400};
      std::vector<UserStep> steps{Choose(5), Choose(6)};
      if (step == 10) steps.insert(steps.begin(), {Choose(7), PressAfter(4)});  // Mouse rapido
      PanelUser user(steps, 200000);
      user.onTick = [&](int64_t now) {
        POINT at{};
        GetCursorPos(&at);
        if (!SamePoint(at, last) && ++moves == 4) PressAt(sound, pressAt = now + 95);  // late in a tick
        last = at;
      };
      CurrentMenu = 1;
      MouseMenu();
      ASSERT_GT(pressAt, 0) << what;
      auto after = std::find_if(user.ticks.begin(), user.ticks.end(),
                                [&](const SeenTick& tick) { return tick.ms > pressAt; });
      ASSERT_NE(after, user.ticks.end());
      POINT end{};
      GetCursorPos(&end);
      EXPECT_GE(end.x - after->cursor.x, 0) << what << " at step " << step;
      EXPECT_LE(end.x - after->cursor.x, step) << what << " at step " << step;
    }
  }
}

TEST_F(ContinuousActions, NoRepeatedKeyGoesOutAfterThePressBegan) {
  for (bool sound : {false, true}) {
    for (int lateness : {900, 990}) {  // into the quiet second before the next key
      CaptureClose();  // each case opens the ring afresh
      SetUp();
      std::vector<int64_t> sentAt;
      OnPlayStart = [&] { sentAt.push_back(vt::NowMs()); };
      int64_t pressAt = -1;
      PanelUser user({Choose(6), Choose(1)}, 200000);
      user.onTick = [&](int64_t now) {
        if (pressAt < 0 && sentAt.size() == 2 && now + 100 > sentAt[1] + lateness)
          PressAt(sound, pressAt = sentAt[1] + lateness);
      };
      CurrentMenu = 4;
      NavigationMenu();
      OnPlayStart = nullptr;
      ASSERT_GT(pressAt, 0);
      EXPECT_EQ(sentAt.size(), 2u) << (sound ? "sound" : "Ctrl") << " at " << lateness << " ms";
      for (int64_t at : sentAt) EXPECT_LT(at, pressAt);
    }
  }
}

// The desktop and the taskbars: Alt+F4 there opens the shut-down dialog, with "shut down"
// chosen, so Fecha and the size options leave them alone.
TEST_F(Menus, FechaAndTheSizeOptionsDoNothingWithTheDesktopOrATaskbarInFront) {
  for (const char* shell : {"Progman", "WorkerW", "Shell_TrayWnd", "Shell_SecondaryTrayWnd"}) {
    WNDCLASSA standIn{};
    standIn.lpfnWndProc = DefWindowProcA;
    standIn.hInstance = GetModuleHandleA(nullptr);
    standIn.lpszClassName = shell;
    RegisterClassA(&standIn);
    HWND window = CreateWindowExA(0, shell, "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300,
                                  200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(window);
    PumpMessages();
    ASSERT_EQ(GetForegroundWindow(), window) << shell;
    ClearPlayCalls();
    Run(3, WindowMenu, {Choose(5), Choose(1)});
    EXPECT_TRUE(PlayCalls.empty()) << shell << ": " << DescribePlayCalls();
    for (int option = 2; option <= 4; ++option) {
      Run(5, WindowSizeMenu, {Choose(option)});
      EXPECT_FALSE(IsIconic(window) || IsZoomed(window)) << shell << ", option " << option;
    }
    DestroyWindow(window);
  }
}

// ---- Menu 5 ----
// ---- Menu 5 ----

TEST_F(Menus, WindowSizeActsOnTheUsersWindowAndGoesBackToTheMouseMenu) {
  UserWindow window;
  Run(5, WindowSizeMenu, {Choose(2)});
  EXPECT_TRUE(IsIconic(window.handle())) << "Minimiza";
  EXPECT_EQ(CurrentMenu, 1);

  window.BringForward();
  Run(5, WindowSizeMenu, {Choose(4)});
  EXPECT_TRUE(IsZoomed(window.handle())) << "Maximiza";

  Run(5, WindowSizeMenu, {Choose(3)});
  EXPECT_FALSE(IsZoomed(window.handle())) << "Normaliza";
  EXPECT_FALSE(IsIconic(window.handle())) << "Normaliza";

  RECT before{}, after{};
  GetWindowRect(window.handle(), &before);
  Run(5, WindowSizeMenu, {Choose(1)});
  GetWindowRect(window.handle(), &after);
  EXPECT_TRUE(EqualRect(&before, &after)) << "Deixa igual";
  EXPECT_EQ(CurrentMenu, 1);
}

// ---- Menu 6 ----

// Ctrl+Esc opens the Start menu wherever the taskbar is; with no taskbar to be found, as on
// this bare desktop, Bandeja puts the cursor below the work area's right end, unclicked.
TEST_F(Menus, MenuIniciarOpensTheStartMenuAndBandejaGoesToTheTray) {
  RECT area = WorkArea();
  POINT before{}, at{};
  GetCursorPos(&before);
  Run(6, ProgramsMenu, {Choose(3)});
  GetCursorPos(&at);
  const Calls ctrlEscape{{"PlayInit", {10}}, {"PlayVirtKey", {VK_ESCAPE, 1, 0, 0, 100}}, {"PlayStart", {}}};
  EXPECT_EQ(PlayCalls, ctrlEscape) << DescribePlayCalls();
  EXPECT_TRUE(SamePoint(at, before)) << "the cursor moved to " << at.x << "," << at.y;
  EXPECT_EQ(CurrentMenu, 1);

  ClearPlayCalls();
  Run(6, ProgramsMenu, {Choose(10)});
  GetCursorPos(&at);
  EXPECT_TRUE(SamePoint(at, POINT{area.right - 20, ClampedY(area.bottom + 10)})) << at.x << "," << at.y;
  EXPECT_TRUE(PlayCalls.empty()) << DescribePlayCalls();
  EXPECT_EQ(CurrentMenu, 1);
}

TEST_F(Menus, MouseInMyProgramsGoesBackWithoutDoingAnything) {
  Run(6, ProgramsMenu, {Choose(1)});
  POINT at{};
  GetCursorPos(&at);
  EXPECT_TRUE(SamePoint(at, POINT{400, 400}));
  EXPECT_TRUE(PlayCalls.empty());
  EXPECT_EQ(CurrentMenu, 1);
}

// The stand-in program's folder, and whether it left its mark within 20 s (the mark is
// taken away).
std::string TestFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of("\\/") + 1);
}

bool MarkLeft() {
  const std::string mark = TestFolder() + "launched.txt";
  bool launched = false;
  for (int waited = 0; waited < 20000 && !launched; waited += 100) {
    Sleep(100);
    launched = GetFileAttributesA(mark.c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  DeleteFileA(mark.c_str());
  return launched;
}

TEST_F(Menus, RunProgramOpensANameInDoubleQuotesThroughTheShellWithoutWaitingForIt) {
  DeleteFileA((TestFolder() + "launched.txt").c_str());
  const int64_t before = vt::NowMs();
  RunProgram("\"" + TestFolder() + "launch_marker.exe\"");
  EXPECT_EQ(vt::NowMs(), before) << "the launch is not waited for on the ticks";
  EXPECT_TRUE(MarkLeft()) << "the program was not started";
}

// This prefix has no Outlook: the program registered for mail addresses opens, a stand-in
// here in place of the prefix's own, which is put back.
TEST_F(Menus, CorreioWithoutOutlookOpensTheUsersMailProgram) {
  const char* key = "mailto\\shell\\open\\command";
  char saved[1024] = {};
  DWORD size = sizeof saved;
  const bool had = RegGetValueA(HKEY_CLASSES_ROOT, key, nullptr, RRF_RT_REG_SZ, nullptr, saved,
                                &size) == ERROR_SUCCESS;
  const std::string command = "\"" + TestFolder() + "launch_marker.exe\" \"%1\"";
  ASSERT_EQ(RegSetKeyValueA(HKEY_CLASSES_ROOT, key, nullptr, REG_SZ, command.c_str(),
                            static_cast<DWORD>(command.size() + 1)), ERROR_SUCCESS);
  DeleteFileA((TestFolder() + "launched.txt").c_str());
  OpenMail();
  EXPECT_TRUE(MarkLeft()) << "the mail program did not open";
  if (had) RegSetKeyValueA(HKEY_CLASSES_ROOT, key, nullptr, REG_SZ, saved, size);
  else RegDeleteKeyValueA(HKEY_CLASSES_ROOT, key, nullptr);
}

// A visible window of another process whose caption holds the text, as a folder the shell
// opened shows it.
struct CaptionSearch {
  std::string text;
  HWND found = nullptr;
};

BOOL CALLBACK MatchCaption(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<CaptionSearch*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char caption[256] = {};
  GetWindowTextA(window, caption, sizeof caption);
  if (process == GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
  if (std::string(caption).find(search->text) == std::string::npos) return TRUE;
  search->found = window;
  return FALSE;
}

// Waits for the shell's window showing the folder, then closes it.
bool FolderOpened(const std::string& name) {
  CaptionSearch search{name};
  for (int waited = 0; waited < 20000 && !search.found; waited += 100) {
    Sleep(100);
    EnumWindows(MatchCaption, reinterpret_cast<LPARAM>(&search));
  }
  if (search.found) PostMessageA(search.found, WM_CLOSE, 0, 0);
  return search.found != nullptr;
}

std::string LastPart(const std::wstring& path) {
  std::string narrow(path.begin() + path.find_last_of(L"\\/") + 1, path.end());
  return narrow;
}

TEST_F(Menus, MeusDocumentosOpensTheFolderOfThatNameHereElseTheUsersDocumentsFolder) {
  const char* const here = "Meus documentos";
  ASSERT_EQ(GetFileAttributesA(here), INVALID_FILE_ATTRIBUTES) << "the test needs a folder without it";
  const std::wstring documents = DocumentsFolder();
  ASSERT_FALSE(documents.empty());
  EXPECT_TRUE(GetFileAttributesW(documents.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
  Run(6, ProgramsMenu, {Choose(2)});
  EXPECT_TRUE(FolderOpened(LastPart(documents))) << "the Documents folder was not opened";

  ASSERT_TRUE(CreateDirectoryA(here, nullptr));
  Run(6, ProgramsMenu, {Choose(2)});
  EXPECT_TRUE(FolderOpened(here)) << "the folder in the current directory was not opened";
  RemoveDirectoryA(here);
}

// ---- Menu 7 ----

TEST_F(Menus, EachKeyboardChoiceSetsItsLayoutAndThePanelIsPlacedForIt) {
  const int layouts[] = {0, 0, 6, 1, 2, 5, 3, 4};
  for (int option = 1; option <= 7; ++option) {
    KeyboardLayout = layouts[option] == 6 ? 1 : 6;  // anything but the expected layout
    Run(7, KeyboardChoiceMenu, {Choose(option)});
    EXPECT_EQ(KeyboardLayout, layouts[option]) << "option " << option;
    EXPECT_EQ(CurrentMenu, option == 1 ? 1 : 0) << "option " << option;
    EXPECT_TRUE(PanelShown()) << "option " << option;
    RECT frame{};
    GetWindowRect(ConsoleWindow, &frame);
    const PanelBox expected = PanelPlacement(PanelAtBottom);
    // Heights are capped by the console at its own rows, so the width tells the layouts apart.
    EXPECT_EQ(frame.right - frame.left, expected.width) << "option " << option;
  }
}

// ---- Main loop ----

TEST_F(Menus, EachMenuNumberRunsItsOwnMenu) {
  // Option 1 of every menu leaves it, except in menu 2, whose option 8 does nothing.
  for (int menu = 1; menu <= MenuCount; ++menu) {
    CurrentMenu = menu;
    std::string firstRow;
    PanelUser user({Choose(menu == 2 ? 8 : menu == 1 ? 6 : 1)}, 200000);
    user.onTick = [&](int64_t) {
      if (firstRow.empty() && PanelShown()) firstRow = PanelRow(1);
    };
    RunMainLoopOnce();
    EXPECT_NE(firstRow.find(OptionLabel(menu, 1)), std::string::npos) << "menu " << menu << ": " << firstRow;
    EXPECT_EQ(CurrentMenu, menu == 1 ? 2 : 1) << "menu " << menu;
  }
}

TEST_F(Menus, WithNoKeyboardToScanTheLoopFallsBackToTheMouseMenu) {
  CurrentMenu = 0;
  KeyboardLayout = 0;
  std::string firstRow;
  PanelUser user({Choose(8)}, 200000);
  user.onTick = [&](int64_t) {
    if (firstRow.empty() && PanelShown()) firstRow = PanelRow(1);
  };
  RunMainLoopOnce();
  EXPECT_NE(firstRow.find("Clica"), std::string::npos) << firstRow;
  EXPECT_EQ(CurrentMenu, 3);
}

// The row and key of a token on a layout's rows, 1-based.
std::pair<int, int> KeyOf(int layout, const std::string& token) {
  for (int row = 1; row <= KeyboardRows[layout]; ++row) {
    std::string text = KeyboardRowText(layout, row);
    for (size_t cell = 0; cell < text.size(); cell += 4) {
      std::string key = text.substr(cell, 4);
      key.erase(key.find_last_not_of(' ') + 1);
      key.erase(0, key.find_first_not_of(' '));
      if (key == token) return {row, static_cast<int>(cell / 4) + 1};
    }
  }
  return {0, 0};
}

TEST_F(Menus, LeavingTheKeyboardRestoresTheCaptionAndPlacesThePanelForTheKeyboardMenu) {
  SetWindowTextA(ConsoleWindow, "Acenora - v2.0");
  CurrentMenu = 0;
  KeyboardLayout = 1;
  const auto [row, key] = KeyOf(1, "Sel");
  ASSERT_NE(row, 0) << "no Sel key on the lower-case layout";
  PanelUser user({Choose(row), ChooseKey(key)}, 200000);
  RunMainLoopOnce();
  EXPECT_TRUE(user.Done());
  EXPECT_EQ(CurrentMenu, 7);
  EXPECT_EQ(KeyboardLayout, 0);
  char caption[64] = {};
  GetWindowTextA(ConsoleWindow, caption, sizeof caption);
  EXPECT_STREQ(caption, "Acenora - v2.0");
  RECT frame{};
  GetWindowRect(ConsoleWindow, &frame);
  const PanelBox expected = PanelPlacement(PanelAtBottom);
  EXPECT_EQ(frame.right - frame.left, expected.width) << "still sized for the keyboard";
}

}  // namespace
