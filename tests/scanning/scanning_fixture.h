// The panel as the program sets it up, on virtual time with the playback library recorded:
// an 80 x 12 console in yellow, the work area measured, and a fresh clock for each test.
#pragma once
#include <gtest/gtest.h>

#include "console/ObCrt.h"
#include "scanning/core/uvars.h"
#include "scanning/core/uwindow.h"
#include "support/playback_recorder.h"
#include "support/virtual_seam.h"
#include "switch/uctlsom.h"

class ScanningPanel : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // Aware of each monitor's scale, as the programs' manifest declares.
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    ConsoleInit();
    ScreenCols = 80;
    ScreenRows = 12;
    ClearScreen();
    MeasureWorkArea();
    // The frame a 10 x 21 cell font leaves, whatever font this machine gave the console, so
    // every panel stays wider than the smallest window the platform allows.
    FrameWidth = 8;
    FrameHeight = 27;
  }
  void SetUp() override {
    ColoursEnabled = true;  // a settings file fixing the colours would hide every highlight
    SetBackground(0);
    SetForeground(14);
    ClearScreen();
    ShowWindow(ConsoleWindow, SW_HIDE);  // as every scan leaves it
    vt::Reset();
    ForgetPresses();
    ClearPlayCalls();
    PlayActivePolls = 2;
    SplashMode = false;
    PanelAtBottom = true;
    RepeatArmed = ShiftLatch = CtrlLatch = AltLatch = false;
    KeyboardLayout = 0;
    DwellMs = 300;
  }
  void TearDown() override { vt::OnSleep(nullptr); }
};
