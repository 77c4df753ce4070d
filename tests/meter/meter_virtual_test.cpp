// The meter program on virtual time: its console, its caption and the capture ring over a
// simulated device, tick by tick, as the caregiver would see them.
#include <gtest/gtest.h>

#include <string>

#include "console/ObCrt.h"
#include "meter/univel.h"
#include "support/virtual_seam.h"
#include "support/wide_caption.h"
#include "switch/logic/capture_math.h"
#include "switch/uaudio.h"

namespace {

constexpr uint8_t Square64 = 192;

std::string Caption() { return CaptionOf(ConsoleWindow); }

std::string ScreenRow(int row) {
  return std::string(reinterpret_cast<const char*>(CellChars) + (row - 1) * ScreenCols, ScreenCols);
}

void RunTicks(int count) {
  for (int i = 0; i < count; ++i) RunMeterTick();
}

class MeterProgram : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ConsoleInit();
    ScreenCols = 80;
    ScreenRows = MeterRows;
    ClearScreen();
  }
  // With the window gone the console's end handler lets the test program end.
  static void TearDownTestSuite() {
    if (WindowOpen) DestroyWindow(ConsoleWindow);
  }
  void SetUp() override {
    vt::Reset();
    MeterStats = LevelStats{};
    MeterTick = 0;
    SilentTicks = 0;
    TypedGiven = false;
  }
  void TearDown() override { CaptureClose(); }
};

TEST_F(MeterProgram, WithoutAMicrophoneItSaysSoAndLooksAgainUntilOneComes) {
  vt::SetNoDevice(true);
  OpenMicrophone();
  ShowMeter();
  EXPECT_EQ(Caption(), "Sem microfone - sem sugest\xE3o");
  EXPECT_NE(ScreenRow(12).find("Sem microfone: tentando de novo a cada 3 s"), std::string::npos);
  RunTicks(ReopenPolls - 1);
  vt::SetNoDevice(false);  // plugged in: found at the next look, not before
  EXPECT_FALSE(CaptureRunning());
  RunTicks(1);
  EXPECT_TRUE(CaptureRunning());
  vt::Sound(vt::NowMs(), 1000, Square64);
  RunTicks(8);
  EXPECT_EQ(Caption(), "N\xEDvel 64 - sem sugest\xE3o");
  EXPECT_NE(ScreenRow(12).find("Microfone: ouvindo"), std::string::npos);

  vt::Hold(SwitchInput::Mouse, vt::NowMs() + 30, vt::NowMs() + 90);  // a switch set beside the sound
  RunTicks(2);
  EXPECT_EQ(Caption(), "N\xEDvel 64 - sem sugest\xE3o - toques do acionador: 1 (mouse)");

  vt::LoseDevice();  // unplugged while recording: noticed once its buffers stop coming
  RunTicks(StallPolls);
  EXPECT_EQ(Caption(), "Sem microfone - sem sugest\xE3o - toques do acionador: 1 (mouse)");
  vt::SetNoDevice(false);
  RunTicks(ReopenPolls);
  EXPECT_TRUE(CaptureRunning());
}

TEST_F(MeterProgram, AThresholdGivenOnTheCommandLineIsMarkedAndAnythingElseIsNot) {
  char program[] = "acenora-nivel.exe", typed[] = "45", word[] = "alto";
  char* withNumber[] = {program, typed, nullptr};
  char* withWord[] = {program, word, nullptr};
  __argc = 2;
  __argv = withNumber;
  TakeMeterArguments();
  EXPECT_TRUE(TypedGiven);
  EXPECT_EQ(TypedThreshold, 45);
  ShowMeter();
  EXPECT_EQ(ScreenRow(BarRow)[BarColumn - 1 + 22], '|');
  __argv = withWord;
  TakeMeterArguments();
  EXPECT_FALSE(TypedGiven);
}

}  // namespace
