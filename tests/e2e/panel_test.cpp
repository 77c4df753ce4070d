// The panel as its user meets it: started with and without its two numbers, its start-up
// screen, the options lit in turn on red (or, with fixed colours, in those colours swapped),
// docked inside the work area whatever its font, and menu actions chosen with the Ctrl
// switch acting on the user's own windows. Everything is read back from the desktop.
#include "desktop.h"
#include "panel_settings_environment.h"
#include "pointing/logic/grid.h"
#include "speaking/logic/prompt_sound.h"
#include "target_window.h"

#include <gtest/gtest.h>

#include <mmsystem.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

using namespace e2e;

namespace {

constexpr int Dwell = 500;
// Menu 5 has 13 columns, but no window of the console is narrower than 16 of its cells.
constexpr Shape MouseMenuShape{16, 11}, OtherClicksShape{19, 8}, WindowMenuShape{16, 9},
    WindowSizeShape{16, 4};
const char* const Title = "Acenora - v2.0";

bool WaitForShape(Shape shape, DWORD ms = 15000) {
  return WaitUntil([&] { return PanelVisible() && PanelShape() == shape; }, ms);
}

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

// The rows lit one after another, `count` of them, as the scan moves on within ms;
// empty if it does not. Each must follow the one before in the 11-option mouse menu.
std::vector<int> LitRowsMoving(size_t count, DWORD ms) {
  std::vector<int> seen;
  Lit last = ReadLit();
  if (!WaitUntil([&] {
        Lit now = ReadLit();
        if (now.row != 0 && !(now == last)) seen.push_back(now.row);
        last = now;
        return seen.size() >= count;
      }, ms))
    return {};
  for (size_t i = 1; i < seen.size(); ++i)
    EXPECT_EQ(seen[i], seen[i - 1] % 11 + 1) << "lit rows out of order at step " << i;
  return seen;
}

// The panel lies wholly inside the work area, its right edge on the work area's, its
// bottom on the work area's (a panel is sized, then docked: allow for the step between).
void ExpectDockedBottomRight(const char* what) {
  RECT work = WorkArea();
  WaitUntil([&] {
    RECT r = PanelRect();
    return r.right == work.right && r.bottom == work.bottom;
  }, 2000);
  RECT panel = PanelRect();
  EXPECT_TRUE(InsideWorkArea(panel)) << what << " leaves the work area: " << Situation();
  EXPECT_EQ(panel.right, work.right) << what << ": " << Situation();
  EXPECT_EQ(panel.bottom, work.bottom) << what << ": " << Situation();
}

// Menu 1 -> "Comanda janela" (8) -> "Tamanho" (6): menu 5, four rows.
void OpenWindowSizeMenu(Shape windowMenu, Shape windowSize) {
  ASSERT_TRUE(ChooseOption(8)) << Situation();
  ASSERT_TRUE(WaitForShape(windowMenu)) << Situation();
  ASSERT_TRUE(ChooseOption(6)) << Situation();
  ASSERT_TRUE(WaitForShape(windowSize)) << Situation();
}

// One panel program, started with threshold 250 (out of reach of any sound, so only Ctrl
// is the switch) and a short dwell, serves the scenarios of this suite in order.
class PanelWithArguments : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    SetDwell(Dwell);
    started = StartPanel("250 " + std::to_string(Dwell));
    if (started) {
      // The caption is set once the start-up panel is placed; its lines follow at once.
      WaitUntil([] { return Caption(PanelWindow()) == Title; }, 3000);
      splashCaption = Caption(PanelWindow());
      splashTitleWhite = WaitUntil([] { return RowHasColour(4, RGB(255, 255, 255), 10); }, 1500);
      splash = PanelRect();
      splashTextYellow = RowHasColour(2, RGB(255, 255, 0), 10);
      splashOtherRowsWhite = RowHasColour(2, RGB(255, 255, 255), 1) ||
                             RowHasColour(3, RGB(255, 255, 255), 1);
      LearnFrame(30, 9);
    }
  }
  static void TearDownTestSuite() { ClosePanel(); }

  void SetUp() override {
    ASSERT_TRUE(started) << "acenora.exe did not start or showed no window";
    ASSERT_TRUE(WaitForShape(MouseMenuShape, 20000)) << "mouse menu not shown: " << Situation();
  }

  // Menu 1 -> "Comanda janela" (8): the window menu.
  static void OpenWindowMenu() {
    ASSERT_TRUE(ChooseOption(8)) << Situation();
    ASSERT_TRUE(WaitForShape(WindowMenuShape)) << Situation();
  }

  static inline bool started = false;
  static inline RECT splash{};
  static inline std::string splashCaption;
  static inline bool splashTitleWhite = false, splashTextYellow = false,
                     splashOtherRowsWhite = true;
};

TEST_F(PanelWithArguments, StartUpScreenIsDockedBottomRightThenTheMouseMenuReplacesIt) {
  RECT work = WorkArea();
  EXPECT_EQ(splashCaption, Title);
  EXPECT_EQ(splash.right, work.right) << "start-up panel not at the right edge";
  EXPECT_EQ(splash.bottom, work.bottom) << "start-up panel not at the bottom";
  EXPECT_TRUE(splashTitleWhite) << "the title line (row 4) is not written in white";
  EXPECT_TRUE(splashTextYellow) << "the project line (row 2) is not written in yellow";
  EXPECT_FALSE(splashOtherRowsWhite) << "white outside the title line";

  RECT menu = PanelRect();
  EXPECT_EQ(Width(splash) - Width(menu), (30 - 16) * 10) << Situation();
  EXPECT_EQ(Height(menu) - Height(splash), (11 - 9) * 21) << Situation();
  EXPECT_EQ(menu.right, work.right) << Situation();
  EXPECT_EQ(menu.bottom, work.bottom) << Situation();
  EXPECT_EQ(Caption(PanelWindow()), Title);
}

TEST_F(PanelWithArguments, OptionsLightOneAfterAnotherOnARedRowAcrossThePanel) {
  ASSERT_FALSE(LitRowsMoving(4, 20000).empty()) << Situation();
  EXPECT_EQ(ReadLit().key, 0) << "an option line shows a green key";
  EXPECT_EQ(RedBandHeight(), CellSize().height) << "exactly one text row is on red";
  EXPECT_TRUE(RowHasColour(ReadLit().row, RGB(255, 255, 0), 5)) << "lit label not yellow";
}

TEST_F(PanelWithArguments, ClicaClicksTheWindowUnderTheCursorAndThePanelWaitsHidden) {
  TargetWindow target;
  ASSERT_TRUE(OpenTargetWindow(target, "Alvo do clique", 60, 80, 400, 300));
  POINT centre = CentreOf(target);
  SetCursorPos(centre.x, centre.y);

  ASSERT_TRUE(ChooseOption(1)) << Situation();
  EXPECT_TRUE(WaitUntil([&] { return !target.clicks.empty(); }, 5000)) << Situation();
  if (!target.clicks.empty()) {
    EXPECT_EQ(target.clicks[0].x, centre.x);
    EXPECT_EQ(target.clicks[0].y, centre.y);
  }
  EXPECT_EQ(target.clicks.size(), 1u) << "one click expected";
  EXPECT_FALSE(WaitUntil([] { return PanelVisible(); }, 1500))
      << "the panel came back without the switch";

  HoldSwitch(200);
  EXPECT_TRUE(WaitForShape(MouseMenuShape, 5000)) << Situation();
  EXPECT_TRUE(WaitUntil([] { return ReadLit() == Lit{1, 0}; }, 3000))
      << "the menu does not start again at option 1: " << Situation();
  DestroyTargetWindow(target);
}

TEST_F(PanelWithArguments, DireitaMovesTheCursorRightInStepsOfThreeUntilTheSwitch) {
  SetCursorPos(200, 300);
  ASSERT_TRUE(ChooseOption(5)) << Situation();  // "Direita"
  POINT cursor{};
  EXPECT_TRUE(WaitUntil([&] {
    GetCursorPos(&cursor);
    return cursor.x >= 200 + 5 * 3;
  }, 5000)) << "the cursor does not move right: " << Situation();
  EXPECT_EQ(cursor.y, 300);

  HoldSwitch(200);
  ASSERT_TRUE(WaitForShape(MouseMenuShape, 5000)) << Situation();
  POINT stopped{}, later{};
  GetCursorPos(&stopped);
  PumpFor(600);
  GetCursorPos(&later);
  EXPECT_EQ(later.x, stopped.x) << "the cursor still moves after the switch";
  EXPECT_EQ((stopped.x - 200) % 3, 0) << "moved " << stopped.x - 200 << " pixels";
  EXPECT_EQ(stopped.y, 300);
}

// Taps of 40 ms at six moments of Sobe's span, the first tick and the last among them, and
// a tap of 80 ms and a hold of 200 ms in its last tick: each chooses Sobe, shown lit while
// the hit dies away, and the move it starts goes up until the next press.
TEST_F(PanelWithArguments, EveryPressShortOrLateChoosesTheOptionLitWhenItBegan) {
  struct Press { DWORD hold, after; };
  for (Press press : {Press{40, 20}, Press{40, 130}, Press{40, 250}, Press{40, 330},
                      Press{40, Dwell - 150}, Press{40, Dwell - 80}, Press{80, Dwell - 80},
                      Press{200, Dwell - 80}}) {
    SCOPED_TRACE("hold " + std::to_string(press.hold) + " ms at " + std::to_string(press.after) + " ms");
    SetCursorPos(300, 500);
    ASSERT_TRUE(WaitForLitStart({2, 0}, 20000)) << Situation();
    PumpFor(press.after);
    HoldSwitch(press.hold);
    int shownLit = 0;
    EXPECT_TRUE(WaitUntil([&] {
      if (!PanelVisible()) return true;
      if (int row = ReadLit().row) shownLit = row;
      return false;
    }, 3000)) << "the press was not taken: " << Situation();
    EXPECT_EQ(shownLit, 2) << "not Sobe shown lit after the press";
    POINT cursor{};
    EXPECT_TRUE(WaitUntil([&] { GetCursorPos(&cursor); return cursor.y <= 500 - 3 * 3; }, 3000))
        << "the cursor does not go up: " << Situation();
    EXPECT_EQ(cursor.x, 300);
    HoldSwitch(100);
    ASSERT_TRUE(WaitForShape(MouseMenuShape, 5000)) << Situation();
  }
}

TEST_F(PanelWithArguments, MouseCentroTelaPutsTheCursorAtTheWorkAreaCentre) {
  SetCursorPos(30, 40);
  ASSERT_TRUE(ChooseOption(6)) << Situation();  // "Outros Cliques"
  ASSERT_TRUE(WaitForShape(OtherClicksShape)) << Situation();
  ASSERT_TRUE(ChooseOption(5)) << Situation();  // "Mouse centro tela"
  RECT work = WorkArea();
  POINT cursor{};
  EXPECT_TRUE(WaitUntil([&] {
    GetCursorPos(&cursor);
    return cursor.x == work.right / 2 && cursor.y == work.bottom / 2;
  }, 5000)) << Situation();
  EXPECT_TRUE(WaitForShape(MouseMenuShape)) << "menu 2 did not return to menu 1: "
                                            << Situation();
}

TEST_F(PanelWithArguments, ReposicionaMovesThePanelToTheTopAndBackToTheBottom) {
  RECT work = WorkArea();
  ASSERT_NO_FATAL_FAILURE(OpenWindowMenu());
  RECT before = PanelRect();
  ASSERT_TRUE(ChooseOption(8)) << Situation();  // "Reposiciona"
  EXPECT_TRUE(WaitUntil([&] {
    RECT r = PanelRect();
    return PanelVisible() && r.top == 0 && r.right == work.right;
  }, 5000)) << "not docked at the top: " << Situation();
  EXPECT_TRUE(WaitForShape(WindowMenuShape)) << Situation();

  ASSERT_TRUE(ChooseOption(8)) << Situation();
  EXPECT_TRUE(WaitUntil([&] {
    RECT r = PanelRect();
    return PanelVisible() && r.bottom == work.bottom && r.right == work.right;
  }, 5000)) << "not docked at the bottom again: " << Situation();
  RECT after = PanelRect();
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);

  ASSERT_TRUE(ChooseOption(1)) << Situation();  // "Mouse"
}

TEST_F(PanelWithArguments, FechaClosesTheForegroundWindowWithAltF4) {
  TargetWindow target;
  ASSERT_TRUE(OpenTargetWindow(target, "Janela a fechar", 80, 120, 360, 260));
  ASSERT_TRUE(Focus(target.window)) << Situation();
  ASSERT_NO_FATAL_FAILURE(OpenWindowMenu());
  ASSERT_TRUE(ChooseOption(5)) << Situation();  // "Fecha"
  EXPECT_TRUE(WaitUntil([&] { return target.closeRequests > 0; }, 5000)) << Situation();
  EXPECT_EQ(target.closeRequests, 1);
  EXPECT_TRUE(WaitForShape(WindowMenuShape)) << "the window menu goes on scanning: "
                                             << Situation();
  DestroyTargetWindow(target);
  ASSERT_TRUE(ChooseOption(1)) << Situation();  // "Mouse"
}

TEST_F(PanelWithArguments, MinimizaIconisesTheForegroundWindow) {
  TargetWindow target;
  ASSERT_TRUE(OpenTargetWindow(target, "Janela a minimizar", 100, 100, 360, 260));
  ASSERT_TRUE(Focus(target.window)) << Situation();
  ASSERT_NO_FATAL_FAILURE(OpenWindowMenu());
  ASSERT_TRUE(ChooseOption(6)) << Situation();  // "Tamanho"
  ASSERT_TRUE(WaitForShape(WindowSizeShape)) << Situation();
  ExpectDockedBottomRight("menu 5");
  EXPECT_FALSE(IsIconic(target.window));
  ASSERT_TRUE(ChooseOption(2)) << Situation();  // "Minimiza"
  EXPECT_TRUE(WaitUntil([&] { return IsIconic(target.window) != 0; }, 5000)) << Situation();
  EXPECT_TRUE(WaitForShape(MouseMenuShape)) << "menu 5 did not return to menu 1: "
                                            << Situation();
  DestroyTargetWindow(target);
}

// Started again while it runs, as a caregiver double-clicking its icon would: the second
// start ends with 0, one panel stays, and it scans at the second start's Delay.
TEST_F(PanelWithArguments, ASecondStartHandsItsNumbersToThePanelThatRunsAndEnds) {
  auto startAgain = [&](int dwell) {
    PROCESS_INFORMATION second{};
    if (!StartProgram("\"" + TestFolder() + "acenora.exe\" 250 " + std::to_string(dwell), second)) return 99ul;
    DWORD code = 99;
    if (WaitForSingleObject(second.hProcess, 15000) == WAIT_OBJECT_0) GetExitCodeProcess(second.hProcess, &code);
    EndProgram(second);
    return code;
  };
  EXPECT_EQ(startAgain(1500), 0ul);
  const HWND first = FindWindowExA(nullptr, nullptr, "ObWinCrt", nullptr);
  EXPECT_TRUE(first && !FindWindowExA(nullptr, first, "ObWinCrt", nullptr)) << "not one panel";
  ASSERT_TRUE(WaitForLitStart({2, 0}, 15000)) << Situation();
  ASSERT_TRUE(WaitForLitStart({3, 0}, 5000)) << Situation();
  const DWORD lit = GetTickCount();
  ASSERT_TRUE(WaitForLitStart({4, 0}, 5000)) << Situation();
  EXPECT_GE(GetTickCount() - lit, 1300u) << "still the first start's Delay of " << Dwell << " ms";
  EXPECT_EQ(startAgain(Dwell), 0ul);
  ASSERT_TRUE(WaitForShape(MouseMenuShape, 5000)) << Situation();
}

TEST_F(PanelWithArguments, ClosingThePanelEndsTheProgramWithExitCode0) {
  EXPECT_EQ(ClosePanel(), 0u);
  EXPECT_FALSE(PanelRunning());
}

// Settings that fix the colours to white on blue and leave the console its stock font; the
// program is started with a negative threshold, which must not take every poll for a hit.
class PanelWithFixedColours : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(InstallPanelSettings(StockFont, "CORESFIXAS=S\r\nCORFUNDO=1\r\nCORLETRA=15\r\n"));
    SetDwell(Dwell);
    ReadLitOn(White);
    started = StartPanel("-5 " + std::to_string(Dwell));
    if (!started) return;
    DWORD start = GetTickCount();
    // The caption is set once the start-up panel is placed.
    WaitUntil([] { return Caption(PanelWindow()) == Title; }, 3000);
    LearnFrame(30, 9);
    menuShown = WaitUntil([] { return PanelVisible() && PanelShape() == MouseMenuShape; }, 10000);
    menuAfterMs = GetTickCount() - start;
  }
  static void TearDownTestSuite() {
    ClosePanel();
    ReadLitOnRed();
    InstallPanelSettings();
  }
  void SetUp() override {
    ASSERT_TRUE(started) << "acenora.exe did not start or showed no window";
    ASSERT_TRUE(WaitForShape(MouseMenuShape, 20000)) << "mouse menu not shown: " << Situation();
  }

  static constexpr COLORREF White = RGB(255, 255, 255), Blue = RGB(0, 0, 255);
  static inline bool started = false, menuShown = false;
  static inline DWORD menuAfterMs = 0;
};

TEST_F(PanelWithFixedColours, ANegativeThresholdStillLetsTheMenuScanAfterTheStartUpPause) {
  EXPECT_TRUE(menuShown) << Situation();
  EXPECT_LT(menuAfterMs, 3000u) << "the mouse menu came " << menuAfterMs << " ms after the window";
}

TEST_F(PanelWithFixedColours, TheLitOptionShowsInTheColoursSwappedAndMovesDownTheMenu) {
  const std::vector<int> seen = LitRowsMoving(3, 15000);
  ASSERT_FALSE(seen.empty()) << "no lit option moving: " << Situation();
  // Read at once, while the option just lit stays lit: the whole line is lit, the other
  // lines keep the configured background, nothing is red.
  const int lit = seen.back();
  EXPECT_EQ(CellCentre(lit, MouseMenuShape.columns), White) << Situation();
  for (int row = 1; row <= MouseMenuShape.rows; ++row) {
    if (row == lit) continue;
    EXPECT_EQ(CellCentre(row, 1), Blue) << "row " << row;
    EXPECT_EQ(CellCentre(row, MouseMenuShape.columns), Blue) << "row " << row;
    EXPECT_FALSE(RowHasColour(row, RGB(255, 0, 0), 1)) << "red on row " << row;
  }
}

TEST_F(PanelWithFixedColours, WithTheStockFontMenu5LiesInsideTheWorkAreaAtItsRightEdge) {
  ExpectDockedBottomRight("menu 1");
  ASSERT_NO_FATAL_FAILURE(OpenWindowSizeMenu(WindowMenuShape, WindowSizeShape));
  ExpectDockedBottomRight("menu 5");
  ASSERT_TRUE(ChooseOption(1)) << Situation();  // "Deixa igual": back to menu 1
}

// A settings file asking for a font 16 pixels wide: 80 of its cells are wider than the
// screen, so the console's first window is cut to the screen's width.
class PanelWithWideFont : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(InstallPanelSettings({PanelFontFace, 16, 21}, ""));
    SetDwell(Dwell);
    started = StartPanel("250 " + std::to_string(Dwell));
    if (!started) return;
    WaitUntil([] { return Caption(PanelWindow()) == Title; }, 3000);
    splash = PanelRect();
    LearnFrame(30, 9);
  }
  static void TearDownTestSuite() {
    ClosePanel();
    InstallPanelSettings();
  }

  static inline bool started = false;
  static inline RECT splash{};
};

TEST_F(PanelWithWideFont, EveryPanelLiesInsideTheWorkAreaAtItsRightEdge) {
  ASSERT_TRUE(started) << "acenora.exe did not start or showed no window";
  ASSERT_EQ(CellSize().width, 16) << "the font is not 16 pixels wide";
  RECT work = WorkArea();
  EXPECT_TRUE(InsideWorkArea(splash)) << "start-up panel leaves the work area";
  EXPECT_EQ(splash.right, work.right);
  ASSERT_TRUE(WaitForShape(MouseMenuShape, 20000)) << "mouse menu not shown: " << Situation();
  ExpectDockedBottomRight("menu 1");
  EXPECT_EQ(Width(splash) - Width(PanelRect()), (30 - 16) * 16) << Situation();
  ASSERT_NO_FATAL_FAILURE(OpenWindowSizeMenu(WindowMenuShape, WindowSizeShape));
  ExpectDockedBottomRight("menu 5");
}

// Without arguments the program asks for both numbers on its own panel.
TEST(PanelWithoutArguments, AsksForVolumeAndDelayAndScansWithTheTypedDwell) {
  ASSERT_TRUE(StartPanel("")) << "acenora.exe did not start or showed no window";
  EXPECT_TRUE(WaitUntil([] { return Caption(PanelWindow()) == Title; }, 3000));
  RECT prompt = PanelRect();
  RECT work = WorkArea();
  EXPECT_EQ(prompt.right, work.right);
  EXPECT_EQ(prompt.bottom, work.bottom);
  // It waits for the answer: still the start-up panel well after the two-second pause.
  PumpFor(3000);
  EXPECT_EQ(Width(PanelRect()), Width(prompt)) << "went on without an answer: " << Situation();

  ASSERT_TRUE(Focus(PanelWindow())) << Situation();
  TypeText("  250 e mais nada");  // the rest of the line is ignored
  PressKey(VK_RETURN);
  PumpFor(500);
  EXPECT_EQ(Width(PanelRect()), Width(prompt)) << "did not ask for the delay: " << Situation();
  TypeText("300");
  PressKey(VK_RETURN);

  LearnFrame(30, 11);
  ASSERT_TRUE(WaitForShape(MouseMenuShape, 10000)) << Situation();
  RECT menu = PanelRect();
  EXPECT_EQ(Width(prompt) - Width(menu), (30 - 16) * 10) << "start-up panel not 30 columns";
  EXPECT_EQ(Height(prompt), Height(menu)) << "start-up panel not 11 rows";

  // Eight changes of the lit option at 300 ms take about 2.4 s; the default of 1000 ms
  // would take at least 8 s.
  EXPECT_LT(EightLitChangesMs(), 7000u) << "the typed dwell of 300 ms is not used";
  EXPECT_EQ(ClosePanel(), 0u);
}

// Started without its numbers, as from the zip, with both kept in the settings file: it asks
// nothing, and scans at that Delay (eight changes at 300 ms, where the prompt would wait).
TEST(PanelWithoutArguments, TakesVolumeAndDelayFromTheSettingsFileAndAsksNothing) {
  ASSERT_TRUE(AddToPanelSettings("[ACIONADOR]\r\nVOLUME=250\r\n[VARREDURA]\r\nDELAY=300\r\n"));
  ASSERT_TRUE(StartPanel("")) << "acenora.exe did not start or showed no window";
  EXPECT_TRUE(WaitUntil([] { return Caption(PanelWindow()) == Title; }, 3000));
  LearnFrame(30, 9);
  ASSERT_TRUE(WaitForShape(MouseMenuShape, 10000)) << "it waits for an answer: " << Situation();
  EXPECT_LT(EightLitChangesMs(), 7000u) << "the settings' Delay of 300 ms is not used";
  EXPECT_EQ(ClosePanel(), 0u);
  InstallPanelSettings();
}

// A first number that is not a whole number stops the program with the error box.
TEST(PanelWithBadNumber, ShowsTheErrorBoxAndEndsWithExitCode1) {
  ASSERT_TRUE(StartPanel("x")) << "acenora.exe did not start or showed no window";
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    return (box = FindProcessWindow(PanelProcessId(), "#32770", "Application Error")) != nullptr;
  }, 15000)) << "no \"Application Error\" box: " << Situation();

  std::string text;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char buffer[512] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(child, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer),
                        SMTO_ABORTIFHUNG, 2000, &ignored);
    text += buffer;
    text += '\n';
  }
  EXPECT_NE(text.find("'x' is not a valid integer value"), std::string::npos) << text;

  ASSERT_TRUE(Focus(box)) << Situation();
  PressKey(VK_RETURN);
  if (!WaitUntil([&] { return !IsWindow(box); }, 3000))
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5000)) << "the box stays";

  // The panel stays open, captioned as ended, until its user closes it.
  EXPECT_TRUE(WaitUntil([] {
    return Caption(PanelWindow()).rfind("(Programa terminado - ", 0) == 0;
  }, 5000)) << Situation();
  EXPECT_TRUE(PanelRunning());
  EXPECT_EQ(ClosePanel(), 1u);
}

// With the grid: menu 1 opens on "Aponta", and the grid's own rules tell where the pointer
// rests for each row and cell, so the test presses as a person watching it would. The right
// mouse button is a switch too, beside Ctrl.
class PanelWithTheGrid : public ::testing::Test {
 protected:
  static constexpr Shape PointingMenuShape{16, 12}, ActionMenuShape{16, 7};
  static void SetUpTestSuite() {
    SetDwell(Dwell);
    started = AddToPanelSettings("[MOUSE]\r\nAPONTAR=1\r\n[ACIONADOR]\r\nMOUSE=direito\r\n") &&
              StartPanel("250 " + std::to_string(Dwell)) &&
              WaitUntil([] { return Caption(PanelWindow()) == Title; }, 3000);
    if (started) LearnFrame(30, 9);
  }
  static void TearDownTestSuite() {
    ClosePanel();
    InstallPanelSettings();
  }
  void SetUp() override {
    ASSERT_TRUE(started);
    ASSERT_TRUE(WaitForShape(PointingMenuShape, 20000)) << "no \"Aponta\" menu: " << Situation();
    ASSERT_TRUE(OpenTargetWindow(target, "Alvo", 100, 100, 600, 400));
  }
  void TearDown() override { DestroyTargetWindow(target); }

  // Level after level, the row and then the cell that hold `to`, each pressed once the
  // pointer rests on it. Each row or cell pass is awaited at its first item: the pointer goes
  // back to the chosen one while a press dies away, which must not be taken for the next.
  // False when the pointer is not where the grid's rules put it within 15 s.
  static bool FollowGridTo(POINT to) {
    const RECT work = WorkArea();
    GridScan scan = StartGrid({work.left, work.top, work.right, work.bottom}, GridPrecision(24, 96));
    auto pointerAt = [](GridPoint want) {
      return WaitUntil([&] {
        POINT at{};
        GetCursorPos(&at);
        return at.x == want.x && at.y == want.y;
      }, 15000);
    };
    while (!GridEnded(scan)) {
      int item = 1;
      while (item < GridSide && !(scan.row == 0 ? to.y < GridItem(scan, item).bottom : to.x < GridItem(scan, item).right))
        ++item;
      const GridPoint first = GridPointer(scan, 1), want = GridPointer(scan, item);
      if (!pointerAt(first) || !pointerAt(want)) return false;
      HoldSwitch(60);
      ChooseGridItem(scan, item);
    }
    return true;
  }

  // One press while `option` is lit, never a second: a press taken for another one would
  // land in the grid that follows.
  static void ChooseOnce(int option) {
    ASSERT_TRUE(WaitForLitStart({option, 0}, 20000)) << Situation();
    HoldSwitch(60);
    ASSERT_TRUE(WaitUntil([] { return !PanelVisible(); }, 5000)) << Situation();
  }

  // "Aponta", the grid to `to`, then the action menu's `action`.
  static void PointAndChoose(POINT to, int action) {
    ASSERT_NO_FATAL_FAILURE(ChooseOnce(1));
    ASSERT_TRUE(FollowGridTo(to)) << "the grid did not follow its rules to " << to.x << "," << to.y << ": " << Situation();
    ASSERT_TRUE(WaitForShape(ActionMenuShape)) << "no action menu: " << Situation();
    ASSERT_NO_FATAL_FAILURE(ChooseOnce(action));
  }

  static bool Near(POINT a, POINT b) { return std::abs(a.x - b.x) <= 12 && std::abs(a.y - b.y) <= 12; }

  static inline bool started = false;
  TargetWindow target;
};

TEST_F(PanelWithTheGrid, ApontaThenClicaClicksA24PixelSquareOnceAndMenu1ScansAgainFromAponta) {
  const POINT square{437, 291};
  PointAndChoose(square, 1);  // "Clica"
  EXPECT_TRUE(WaitUntil([&] { return !target.clicks.empty(); }, 5000)) << Situation();
  PumpFor(500);
  ASSERT_EQ(target.clicks.size(), 1u) << "one click expected";
  EXPECT_TRUE(Near(target.clicks[0], square)) << target.clicks[0].x << "," << target.clicks[0].y;
  EXPECT_TRUE(WaitForShape(PointingMenuShape, 10000)) << Situation();
  EXPECT_TRUE(WaitUntil([] { return ReadLit() == Lit{1, 0}; }, 3000)) << Situation();
}

TEST_F(PanelWithTheGrid, ArrastaPressesAtTheFirstPointMovesWithTheButtonHeldAndReleasesAtTheSecond) {
  const POINT from{180, 200}, to{560, 420};
  // A test process held back on a loaded machine can press late and lose the grid's thread:
  // the grid closes by itself, or lands elsewhere and is cancelled; the drag is tried again.
  bool dropped = false;
  for (int attempt = 0; attempt < 2 && !dropped; ++attempt) {
    target = TargetWindow{target.window};  // what an earlier attempt did is forgotten
    ASSERT_TRUE(WaitForShape(PointingMenuShape, 60000)) << Situation();
    ASSERT_NO_FATAL_FAILURE(ChooseOnce(1));
    const bool picked = FollowGridTo(from) && WaitForShape(ActionMenuShape);
    if (picked) ChooseOnce(4);  // "Arrasta": the grid again, for the drop point
    else if (WaitForShape(ActionMenuShape, 20000)) ChooseOnce(7);  // "Cancela"
    dropped = picked && FollowGridTo(to);
  }
  ASSERT_TRUE(dropped) << "the drop grid did not follow its rules twice: " << Situation();
  EXPECT_TRUE(WaitUntil([&] { return !target.releases.empty(); }, 5000)) << "no button-up";
  ASSERT_EQ(target.clicks.size(), 1u) << "one button-down expected";
  EXPECT_TRUE(Near(target.clicks[0], from));
  EXPECT_TRUE(Near(target.releases.back(), to));
  EXPECT_GE(target.heldMoves, 5) << "no drag between the two";
  EXPECT_EQ(GetAsyncKeyState(VK_LBUTTON) & 0x8000, 0) << "the button is left down";
}

// A right-button switch over the user's window: its taps choose "Visualiza" and bring the
// panel back, and the window never gets a right button.
TEST_F(PanelWithTheGrid, ARightButtonSwitchChoosesAndTheWindowUnderThePointerNeverGetsIt) {
  const POINT centre = CentreOf(target);
  SetCursorPos(centre.x, centre.y);
  auto tapRight = [] {
    INPUT click[2]{};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    SendInput(1, &click[0], sizeof(INPUT));
    PumpFor(60);
    SendInput(1, &click[1], sizeof(INPUT));
  };
  ASSERT_TRUE(WaitForLitStart({11, 0}, 20000)) << Situation();  // "Visualiza"
  tapRight();
  EXPECT_TRUE(WaitUntil([] { return !PanelVisible(); }, 5000)) << "the button chose nothing: " << Situation();
  PumpFor(1000);
  tapRight();
  EXPECT_TRUE(WaitForShape(PointingMenuShape, 5000)) << "the panel did not come back: " << Situation();
  EXPECT_EQ(target.rightButtons, 0) << "the switch's button reached the window";
}

TEST_F(PanelWithTheGrid, RolaAbaixoTurnsTheWheelUntilThePress) {
  PointAndChoose({350, 300}, 5);  // "Rola abaixo"
  EXPECT_TRUE(WaitUntil([&] { return target.wheelNotches <= -3; }, 5000)) << target.wheelNotches;
  HoldSwitch(60);
  PumpFor(400);
  const int stopped = target.wheelNotches;
  PumpFor(1000);
  EXPECT_EQ(target.wheelNotches, stopped) << "the wheel turns on after the press";
  EXPECT_TRUE(WaitForShape(PointingMenuShape, 10000)) << Situation();
}

// Said as they light: prompts recorded for "Sobe" (1.2 s) and "Esquerda" (0.4 s), loud square
// waves, played where the microphone hears them while the panel listens at a low Volume.
// Wine's speech says nothing, so the options without a prompt stay lit for the Delay.
class PanelSayingItems : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    SetDwell(Dwell);
    started = WritePrompt("Sobe", 1200) && WritePrompt("Esquerda", 400) &&
              AddToPanelSettings("[VARREDURA]\r\nFALAR=1\r\n") && StartPanel("20 " + std::to_string(Dwell)) &&
              WaitUntil([] { return Caption(PanelWindow()) == Title; }, 3000);
    if (started) LearnFrame(30, 9);
  }
  static void TearDownTestSuite() {
    ClosePanel();
    InstallPanelSettings();
    DeleteFileA(PromptPath("Sobe").c_str());
    DeleteFileA(PromptPath("Esquerda").c_str());
  }
  void SetUp() override {
    ASSERT_TRUE(started);
    ASSERT_TRUE(WaitForShape(MouseMenuShape, 20000)) << Situation();
  }

  static std::string PromptPath(const std::string& text) {
    return std::string(std::getenv("APPDATA")) + "\\Acenora\\falas\\" + text + ".wav";
  }
  // A square wave of amplitude 90 in 8-bit terms.
  static bool WritePrompt(const std::string& text, int ms) {
    CreateDirectoryA((std::string(std::getenv("APPDATA")) + "\\Acenora").c_str(), nullptr);
    CreateDirectoryA((std::string(std::getenv("APPDATA")) + "\\Acenora\\falas").c_str(), nullptr);
    std::vector<int16_t> samples(11025 * ms / 1000);
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = (i / 11) % 2 ? 90 * 256 : -90 * 256;
    const std::string wav = WavFileOf(samples, 11025);
    std::ofstream(PromptPath(text), std::ios::binary) << wav;
    return FileText(PromptPath(text)).size() == wav.size();
  }

  static inline bool started = false;
};

// The microphone as the panel hears it: the loudest sample of each 50 ms buffer, dated when
// it is read.
class Listener {
 public:
  Listener() {
    WAVEFORMATEX format{WAVE_FORMAT_PCM, 1, 11025, 11025, 1, 8, 0};
    if (waveInOpen(&device_, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) return;
    for (int i = 0; i < kBuffers; ++i) Queue(i);
    waveInStart(device_);
  }
  ~Listener() {
    if (!device_) return;
    waveInReset(device_);
    for (WAVEHDR& header : headers_) waveInUnprepareHeader(device_, &header, sizeof header);
    waveInClose(device_);
  }
  void Poll() {
    for (WAVEHDR* header = &headers_[next_]; device_ && (header->dwFlags & WHDR_DONE); header = &headers_[next_]) {
      int peak = 0;
      for (DWORD i = 0; i < header->dwBytesRecorded; ++i)
        peak = std::max(peak, std::abs(static_cast<unsigned char>(header->lpData[i]) - 128));
      peaks_.push_back({GetTickCount(), peak});
      waveInUnprepareHeader(device_, header, sizeof *header);
      Queue(next_);
      next_ = (next_ + 1) % kBuffers;
    }
  }
  // The loudest read from a moment after from until to.
  int PeakBetween(DWORD from, DWORD to) const {
    int peak = -1;
    for (const auto& [at, level] : peaks_)
      if (at > from + 150 && at <= to) peak = std::max(peak, level);
    return peak;
  }

 private:
  static constexpr int kBuffers = 8;
  void Queue(int i) {
    headers_[i] = WAVEHDR{};
    headers_[i].lpData = data_[i];
    headers_[i].dwBufferLength = sizeof data_[i];
    waveInPrepareHeader(device_, &headers_[i], sizeof headers_[i]);
    waveInAddBuffer(device_, &headers_[i], sizeof headers_[i]);
  }
  HWAVEIN device_ = nullptr;
  WAVEHDR headers_[kBuffers]{};
  char data_[kBuffers][551]{};
  int next_ = 0;
  std::vector<std::pair<DWORD, int>> peaks_;
};

struct LitSpan {
  int option;
  DWORD from, to;
};

// Options lit in turn for ms, with when each lit and went out; empty if the panel hid.
std::vector<LitSpan> LitSpans(Listener& listener, DWORD ms) {
  std::vector<LitSpan> spans;
  const DWORD start = GetTickCount();
  Lit last = ReadLit();
  while (GetTickCount() - start < ms) {
    listener.Poll();
    if (!PanelVisible()) return {};
    const Lit now = ReadLit();
    if (!(now == last)) {
      if (!spans.empty()) spans.back().to = GetTickCount();
      if (now.row) spans.push_back({now.row, GetTickCount(), 0});
      last = now;
    }
    PumpFor(10);
  }
  if (!spans.empty() && spans.back().to == 0) spans.pop_back();
  return spans;
}

TEST_F(PanelSayingItems, AnOptionWithAPromptStaysLitForItAndThePauseItsSoundReachesTheMicrophoneAndChoosesNothing) {
  Listener listener;
  ASSERT_TRUE(WaitForLitStart({1, 0}, 20000)) << Situation();
  const std::vector<LitSpan> spans = LitSpans(listener, 2 * (11 * Dwell + 1700 + 900) + 2000);
  ASSERT_FALSE(spans.empty()) << "the panel hid: its own voice chose";
  int sobe = 0, esquerda = 0, others = 0;
  for (const LitSpan& span : spans) {
    const DWORD lit = span.to - span.from;
    const int peak = listener.PeakBetween(span.from, span.to);
    if (span.option == 2) {
      ++sobe;
      EXPECT_GE(lit, 1650u) << "Sobe went out before its 1.2 s prompt and the 0.5 s pause";
      EXPECT_LE(lit, 2300u);
      EXPECT_GE(peak, 60) << "Sobe's prompt was not heard";
    } else if (span.option == 4) {
      ++esquerda;
      EXPECT_GE(lit, 850u) << "Esquerda went out before its 0.4 s prompt and the pause";
      EXPECT_LE(lit, 1400u);
    } else {
      ++others;
      EXPECT_GE(lit, 400u) << "option " << span.option;
      EXPECT_LE(lit, 750u) << "option " << span.option << " has no prompt: the Delay alone";
      if (span.option == 3 || span.option >= 6) {
        EXPECT_LT(peak, 20) << "option " << span.option << " was not silent";
      }
    }
  }
  EXPECT_TRUE(sobe >= 2 && esquerda >= 2 && others >= 12) << sobe << " " << esquerda << " " << others << " spans";
}

// Ctrl while "Sobe" is still being said, past its Delay: Sobe is chosen and the pointer goes up.
TEST_F(PanelSayingItems, ACtrlPressDuringAPromptChoosesThatOption) {
  SetCursorPos(300, 400);
  ASSERT_TRUE(WaitForLitStart({2, 0}, 20000)) << Situation();
  PumpFor(800);
  ASSERT_EQ(ReadLit(), (Lit{2, 0})) << Situation();
  HoldSwitch(100);
  ASSERT_TRUE(WaitUntil([] { return !PanelVisible(); }, 3000)) << Situation();
  POINT cursor{};
  EXPECT_TRUE(WaitUntil([&] {
    GetCursorPos(&cursor);
    return cursor.y <= 400 - 9;
  }, 5000)) << "the pointer does not go up: " << Situation();
  EXPECT_EQ(cursor.x, 300);
  HoldSwitch(200);
  EXPECT_TRUE(WaitForShape(MouseMenuShape, 5000)) << Situation();
}

}  // namespace
