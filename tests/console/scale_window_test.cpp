// The panel on a screen at 150 %: run with the prefix at 144 DPI, aware of each monitor's
// scale as the programs' manifest declares. A configured font's sizes are meant at 96 DPI,
// so the cells come out one and a half times as big, and the panel docks inside the work
// area; moved to a monitor at 200 %, the cells double and it docks again.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "console/ObCrt.h"
#include "scanning/core/uvars.h"
#include "scanning/core/uwindow.h"

namespace {

std::string SettingsPath() {
  char folder[MAX_PATH] = {};
  GetWindowsDirectoryA(folder, MAX_PATH);
  return std::string(folder) + "\\ORBITA.INI";
}

// The configured font's cell as a program unaware of the scale gets it: its size at 96 DPI.
SIZE CellAt96() {
  HFONT font = CreateFontA(24, 12, 0, 0, 700, FALSE, FALSE, FALSE, ANSI_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, "DejaVu Sans Mono");
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ earlier = SelectObject(dc, font);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, earlier);
  DeleteDC(dc);
  DeleteObject(font);
  return {metrics.tmAveCharWidth, metrics.tmHeight + metrics.tmExternalLeading};
}

void ExpectDockedInsideTheWorkArea(const char* when) {
  RECT work{}, frame{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(ConsoleWindow, &frame);
  EXPECT_EQ(frame.right, work.right) << when;
  EXPECT_EQ(frame.bottom, work.bottom) << when;
  EXPECT_GE(frame.left, work.left) << when;
  EXPECT_GE(frame.top, work.top) << when;
  const PanelBox expected = PanelPlacement(true);
  EXPECT_EQ(frame.right - frame.left, expected.width) << when << ": sized in its cells";
  EXPECT_EQ(frame.bottom - frame.top, expected.height) << when;
}

TEST(ConsoleScale, CellsFollowTheScaleAndThePanelDocksInsideTheWorkArea) {
  SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  ASSERT_EQ(SystemDpi(), 144u) << "the prefix is not at 144 DPI";
  const SIZE at96 = CellAt96();
  std::ofstream(SettingsPath()) << "[VIDEO]\r\nFONTE=DejaVu Sans Mono\r\nLARGURALETRA=12\r\n"
                                   "ALTURALETRA=24\r\nPESOLETRA=700\r\n";
  ScreenCols = 80;
  ScreenRows = 12;
  ClearScreen();
  DeleteFileA(SettingsPath().c_str());
  EXPECT_NEAR(CharWidth, at96.cx * 1.5, 1) << "at 96 DPI " << at96.cx;
  EXPECT_NEAR(CharHeight, at96.cy * 1.5, 1) << "at 96 DPI " << at96.cy;
  CurrentMenu = 1;
  SplashMode = false;
  PanelAtBottom = true;
  MeasureWorkArea();
  PlacePanel(true);
  ExpectDockedInsideTheWorkArea("at 144 DPI");

  ConsoleDpiChanged = RedockAfterRescale;
  RECT suggested{100, 100, 400, 400};
  SendMessageW(ConsoleWindow, WM_DPICHANGED, MAKEWPARAM(192, 192),
               reinterpret_cast<LPARAM>(&suggested));
  EXPECT_NEAR(CharWidth, at96.cx * 2, 1);
  EXPECT_NEAR(CharHeight, at96.cy * 2, 1);
  ExpectDockedInsideTheWorkArea("moved to a monitor at 192 DPI");
  DestroyWindow(ConsoleWindow);
}

}  // namespace
