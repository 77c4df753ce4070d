// A microphone that comes back, as its user meets it: a panel started while the sound server
// is down, and a panel whose microphone goes away and comes back, are chosen by a clap soon
// after the sound is there again, with nobody doing anything to the panel. The server is
// changed by the shell that runs this program (with_sound_server.sh), on request.
#include "desktop.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

using namespace e2e;

namespace {

constexpr DWORD Deadline = 10000;  // from the sound's return to the clap's choice

// Asks for one change of the sound server and waits until it has been made.
bool AskSoundServer(const std::string& step) {
  static int asked = 0;
  const char* folder = std::getenv("ACENORA_SOUND_REQUESTS");
  if (folder == nullptr) return false;
  char number[16];
  std::snprintf(number, sizeof number, "\\%04d-", ++asked);
  const std::string request = folder + std::string(number) + step;
  std::ofstream(request + ".ask").close();
  const std::string done = request + ".done";
  return WaitUntil([&] { return GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES; },
                   15000);
}

// Any choice first hides the panel. Claps every second and a half until it does; the
// milliseconds that took, or -1.
long ClapUntilChosen() {
  DWORD start = GetTickCount();
  while (GetTickCount() - start < Deadline + 5000) {
    if (!AskSoundServer("clap")) return -1;
    if (WaitUntil([] { return !PanelVisible(); }, 1500)) return GetTickCount() - start;
  }
  return -1;
}

const char* const Title = "Acenora - v2.0";

bool CaptionSaysDeaf() {
  return Caption(PanelWindow()).rfind("Microfone desligado: ver Privacidade > Microfone", 0) == 0;
}

// A press of Ctrl chooses whatever is lit; a second one ends what it began, so the panel
// scans again.
bool CtrlChoosesAndTheScanReturns() {
  HoldSwitch(200);
  if (!WaitUntil([] { return !PanelVisible(); }, 3000)) return false;
  PumpFor(1000);
  HoldSwitch(200);
  return WaitUntil([] { return PanelVisible(); }, 5000);
}

bool StaysScanning(DWORD ms) {
  return PanelRunning() && !WaitUntil([] { return !PanelVisible(); }, ms);
}

class MicrophoneRecovery : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(AskSoundServer("restore")) << "not run through with_sound_server.sh";
  }
  void TearDown() override { ClosePanel(); }

  // Threshold 60, which a clap passes and silence never does; past the start-up screen.
  static bool StartScanning() {
    if (!StartPanel("60 1000")) return false;
    PumpFor(4000);
    return PanelVisible();
  }

  static void ExpectChosenInTime(const char* after) {
    long ms = ClapUntilChosen();
    std::printf("chosen by a clap %ld ms after %s\n", ms, after);
    EXPECT_GE(ms, 0) << "no clap chose an option after " << after;
    EXPECT_LE(ms, static_cast<long>(Deadline)) << "after " << after;
    EXPECT_EQ(ClosePanel(), 0u) << "the panel did not end cleanly";
  }
};

TEST_F(MicrophoneRecovery, APanelStartedWithNoSoundServerHearsTheMicrophoneOnceItRuns) {
  ASSERT_TRUE(AskSoundServer("stop"));
  ASSERT_TRUE(StartScanning());
  EXPECT_TRUE(StaysScanning(4000)) << "the panel stopped scanning without a microphone";
  EXPECT_TRUE(CaptionSaysDeaf()) << "caption: " << Caption(PanelWindow());
  EXPECT_TRUE(CtrlChoosesAndTheScanReturns()) << "Ctrl no longer chooses";
  ASSERT_TRUE(AskSoundServer("start"));
  EXPECT_TRUE(WaitUntil([] { return Caption(PanelWindow()) == Title; }, Deadline))
      << "caption: " << Caption(PanelWindow());
  ExpectChosenInTime("the sound server started");
}

TEST_F(MicrophoneRecovery, APanelWhoseMicrophoneWentAwayHearsItOnceItIsBack) {
  ASSERT_TRUE(StartScanning());
  ASSERT_TRUE(AskSoundServer("drop-microphone"));
  EXPECT_TRUE(StaysScanning(3000)) << "the panel stopped scanning when its microphone went";
  ASSERT_TRUE(AskSoundServer("add-microphone"));
  ExpectChosenInTime("the microphone came back");
}

}  // namespace
