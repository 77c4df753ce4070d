// The level meter as a caregiver uses it, on the real default microphone: sounds of known
// amplitude are played on the default output, which the test sound server's microphone
// hears unchanged; the meter's caption is read back, and the panel is then started with
// the suggested threshold. A second run, with no sound server, finds no microphone.
#include <gtest/gtest.h>
#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "e2e/desktop.h"
#include "support/probe_process.h"
#include "speaking/logic/prompt_sound.h"
#include "switch/logic/reaction_times.h"

namespace {

constexpr int Rate = 11025;
const std::string LevelWord = "N\xEDvel ", SuggestionWord = "sugest\xE3o ";

// ---- Sounds of exact amplitude, 8-bit unsigned at 11025 Hz, 128 being silence ----

using Samples = std::vector<unsigned char>;

size_t SamplesOf(int ms) { return static_cast<size_t>(Rate) * ms / 1000; }

void AddSquare(Samples& s, int amplitude, int ms) {
  for (size_t i = 0; i < SamplesOf(ms); ++i)
    s.push_back(static_cast<unsigned char>(128 + ((i / 11) % 2 ? amplitude : -amplitude)));
}

// Uniform noise within +-peak that reaches it both ways; the same each run.
void AddNoise(Samples& s, int peak, int ms) {
  uint32_t seed = 12345;
  for (size_t i = 0; i < SamplesOf(ms); ++i) {
    seed = seed * 1103515245u + 12345u;
    int value = static_cast<int>((seed >> 16) % (2 * peak + 1)) - peak;
    if (i % 1000 == 0) value = i % 2000 ? peak : -peak;
    s.push_back(static_cast<unsigned char>(128 + value));
  }
}

// A clap: a sharp crack at the peak dying away within 80 ms, in place of the noise.
void PutClap(Samples& s, int atMs, int peak) {
  size_t start = SamplesOf(atMs), length = SamplesOf(80);
  for (size_t i = 0; i < length && start + i < s.size(); ++i) {
    int envelope = peak * static_cast<int>(length - i) / static_cast<int>(length);
    s[start + i] = static_cast<unsigned char>(128 + ((i / 3) % 2 ? envelope : -envelope));
  }
}

// Plays samples on the default output until it is destroyed. They go out as 16-bit
// samples of the same value: the output fills a late buffer with zeros, which is
// silence in 16 bits but a full-scale click in 8.
class Player {
 public:
  explicit Player(const Samples& samples) {
    for (unsigned char sample : samples) samples_.push_back(static_cast<int16_t>((sample - 128) * 256));
    WAVEFORMATEX format{WAVE_FORMAT_PCM, 1, Rate, 2 * Rate, 2, 16, 0};
    if (waveOutOpen(&device_, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != 0) return;
    header_.lpData = reinterpret_cast<LPSTR>(samples_.data());
    header_.dwBufferLength = static_cast<DWORD>(2 * samples_.size());
    waveOutPrepareHeader(device_, &header_, sizeof header_);
    playing_ = waveOutWrite(device_, &header_, sizeof header_) == 0;
  }
  ~Player() {
    if (device_ == nullptr) return;
    waveOutReset(device_);
    waveOutUnprepareHeader(device_, &header_, sizeof header_);
    waveOutClose(device_);
  }
  bool Playing() const { return playing_; }
  bool Done() const { return (header_.dwFlags & WHDR_DONE) != 0; }

 private:
  std::vector<int16_t> samples_;
  HWAVEOUT device_ = nullptr;
  WAVEHDR header_{};
  bool playing_ = false;
};

// ---- The meter's caption ----

// The number after word in the caption; -1 when the word is not there.
int NumberAfter(const std::string& caption, const std::string& word) {
  size_t at = caption.find(word);
  if (at == std::string::npos) return -1;
  return std::atoi(caption.c_str() + at + word.size());
}

class Meter {
 public:
  explicit Meter(const std::string& arguments = "")
      : process_(BesideThisProgram("acenora-nivel.exe"), arguments) {}
  bool WaitForCaption(const std::string& start, int timeoutMs) {
    window_ = process_.WaitForWindow(
        "ObWinCrt", [&](const std::string& c) { return c.rfind(start, 0) == 0; }, timeoutMs);
    return window_ != nullptr;
  }
  std::string Caption() const { return WindowCaption(window_); }
  int Level() const { return NumberAfter(Caption(), LevelWord); }
  int Suggestion() const { return NumberAfter(Caption(), SuggestionWord); }
  bool Running() const { return process_.Running(); }
  void Type(char key) const { PostMessageA(window_, WM_CHAR, static_cast<WPARAM>(key), 0); }
  DWORD Close() {
    PostMessageA(window_, WM_CLOSE, 0, 0);
    return process_.ExitCode(10000);
  }

 private:
  ProbeProcess process_;
  HWND window_ = nullptr;
};

struct Reading {
  DWORD at;  // ms since the reading began
  int level;
};

// Levels read from the caption about every 50 ms for ms, while what plays goes on.
std::vector<Reading> ReadLevels(const Meter& meter, DWORD ms) {
  std::vector<Reading> levels;
  DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    levels.push_back({GetTickCount() - start, meter.Level()});
    e2e::PumpFor(50);
  }
  return levels;
}

std::string Describe(const std::vector<Reading>& levels) {
  std::string text;
  for (const Reading& r : levels) text += std::to_string(r.at) + ":" + std::to_string(r.level) + ' ';
  return text;
}

// One meter serves the scenarios in order, as one sitting of a caregiver would.
class MeterOnTheMicrophone : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    meter = std::make_unique<Meter>();
    listening = meter->WaitForCaption(LevelWord, 30000);
  }
  static void TearDownTestSuite() { meter.reset(); }
  void SetUp() override { ASSERT_TRUE(listening) << "no meter listening to a microphone"; }

  static inline std::unique_ptr<Meter> meter;
  static inline bool listening = false;
  static inline int suggestion = -1;
};

TEST_F(MeterOnTheMicrophone, ASquareWaveOfAmplitude64Reads64AndSilenceReads0) {
  Samples square;
  AddSquare(square, 64, 1500);  // shorter than the 2 s after which a sound is the room
  Player player(square);
  ASSERT_TRUE(player.Playing());
  // Levels between the silences before and after. The output's delay varies, and it may
  // lose the first few hundred milliseconds of what it plays.
  std::vector<Reading> levels = ReadLevels(*meter, 4000);
  int heard = 0;
  DWORD last = 0;
  for (const Reading& r : levels) {
    if (r.level == 0) continue;
    EXPECT_NEAR(r.level, 64, 1) << Describe(levels);
    ++heard;
    last = r.at;
  }
  EXPECT_GE(heard, 5) << "the square wave was hardly heard: " << Describe(levels);
  EXPECT_EQ(levels.front().level, 0) << "silence before the sound";
  EXPECT_LE(last, levels.back().at - 500) << "no silence after the sound: " << Describe(levels);
  std::printf("square wave of 64, then silence: %s\n", Describe(levels).c_str());
}

TEST_F(MeterOnTheMicrophone, TenSecondsOfNoiseThenThreeClapsSuggestAVolumeBetweenThem) {
  Samples scene;
  AddNoise(scene, 20, 12400);
  for (int clapMs : {10300, 11000, 11700}) PutClap(scene, clapMs, 100);
  Player player(scene);
  ASSERT_TRUE(player.Playing());
  ASSERT_TRUE(e2e::WaitUntil([&] { return player.Done(); }, 20000));
  e2e::PumpFor(500);
  suggestion = meter->Suggestion();
  EXPECT_GT(suggestion, 20) << meter->Caption();
  EXPECT_LT(suggestion, 100) << meter->Caption();
  std::printf("suggestion after noise 20 and claps 100: %d (%s)\n", suggestion,
              meter->Caption().c_str());
}

// The prompts' page: R records what the microphone hears, here 0.6 s of a square wave between
// silences, until 3 s have passed; the file kept holds the sound alone and plays back.
TEST_F(MeterOnTheMicrophone, GRecordsASoundIntoAPromptFileThatPlaysBackAndXDeletesIt) {
  const std::string file = std::string(std::getenv("APPDATA")) + "\\Acenora\\falas\\Clica.wav";
  DeleteFileA(file.c_str());
  auto captionHas = [&](const std::string& part) {
    return e2e::WaitUntil([&] { return meter->Caption().find(part) != std::string::npos; }, 5000);
  };
  meter->Type('g');
  ASSERT_TRUE(captionHas("Gravar falas - 1 de ")) << meter->Caption();
  EXPECT_TRUE(captionHas(": Clica (sem grava\xE7\xE3o)")) << meter->Caption();
  meter->Type('r');
  ASSERT_TRUE(captionHas("(gravando)")) << meter->Caption();
  Samples sound;
  AddSquare(sound, 0, 600);
  AddSquare(sound, 80, 600);
  AddSquare(sound, 0, 600);
  Player player(sound);
  ASSERT_TRUE(captionHas("Clica (gravada, ")) << meter->Caption();

  const std::string bytes = e2e::FileText(file);
  const std::optional<WavParts> parts = ParseWav(bytes);
  ASSERT_TRUE(parts) << "no prompt file of PCM sound: " << bytes.size() << " bytes";
  EXPECT_EQ(parts->bitsPerSample, 16);
  EXPECT_NEAR(parts->DurationMs(), 700, 300) << "0.6 s of sound and at most 0.1 s either side";
  int peak = 0;
  for (size_t at = parts->dataAt; at + 1 < parts->dataAt + parts->dataSize; at += 2)
    peak = std::max(peak, std::abs(static_cast<int16_t>(static_cast<unsigned char>(bytes[at]) | bytes[at + 1] << 8)));
  EXPECT_NEAR(peak, 80 * 256, 256);
  EXPECT_TRUE(PlaySoundA(file.c_str(), nullptr, SND_FILENAME | SND_SYNC | SND_NODEFAULT)) << "it does not play";

  meter->Type('x');
  EXPECT_TRUE(captionHas(": Clica (sem grava\xE7\xE3o)")) << meter->Caption();
  EXPECT_EQ(GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES);
  meter->Type('v');
  EXPECT_TRUE(captionHas(LevelWord)) << meter->Caption();
}

TEST_F(MeterOnTheMicrophone, ClosingTheWindowEndsTheMeterWithExitCode0) {
  EXPECT_EQ(meter->Close(), 0u);
}

// The panel started with that suggestion, as the caregiver would type it: the room's noise
// goes on for five seconds, then come claps. More than one, as a loaded machine's sound
// system now and then loses a stretch of what it records.
TEST_F(MeterOnTheMicrophone, ThePanelWithTheSuggestionIsChosenByAClapAndNotByTheNoise) {
  ASSERT_GT(suggestion, 20) << "no suggestion to start the panel with";
  ASSERT_TRUE(e2e::StartPanel(std::to_string(suggestion) + " 1000"));
  ASSERT_TRUE(e2e::WaitUntil([] { return e2e::PanelVisible() && e2e::RedBandHeight() > 0; },
                             20000)) << "the panel does not scan";
  Samples scene;
  AddNoise(scene, 20, 9000);
  for (int clapMs : {5000, 6500, 8000}) PutClap(scene, clapMs, 100);
  Player player(scene);
  ASSERT_TRUE(player.Playing());
  DWORD start = GetTickCount();
  bool hid = e2e::WaitUntil([] { return !e2e::PanelVisible(); }, 12000);
  DWORD hiddenAfter = GetTickCount() - start;
  std::printf("Volume %d: the panel hid %lu ms after the sound began, its first clap at 5000 ms\n",
              suggestion, static_cast<unsigned long>(hiddenAfter));
  EXPECT_TRUE(hid) << "the clap did not choose";
  EXPECT_GE(hiddenAfter, 5000u) << "the noise chose an option";
  EXPECT_EQ(e2e::ClosePanel(), 0u);
}

// The sound switch as the person uses it: a 60 ms sound early, midway and late in the span in
// which "Sobe" is lit chooses "Sobe", which stays lit while the sound dies away, and the
// cursor goes up until the next press. The sound is heard a little after it is played, on
// the way out and back in, so the latest is played 250 ms before the span ends.
TEST_F(MeterOnTheMicrophone, AShortSoundAnywhereInTheSpanOfSobeChoosesSobe) {
  ASSERT_TRUE(e2e::InstallPanelSettings()) << "cannot write ORBITA.INI";
  ASSERT_TRUE(e2e::StartPanel("40 1000"));
  Samples sound;
  AddSquare(sound, 100, 60);
  AddSquare(sound, 0, 300);
  for (DWORD after : {20u, 400u, 750u}) {
    SCOPED_TRACE("a sound " + std::to_string(after) + " ms after Sobe lit");
    SetCursorPos(300, 500);
    ASSERT_TRUE(e2e::WaitForLitStart({2, 0}, 20000)) << e2e::Situation();
    e2e::PumpFor(after);
    Player player(sound);
    ASSERT_TRUE(player.Playing());
    int shownLit = 0;
    EXPECT_TRUE(e2e::WaitUntil([&] {
      if (!e2e::PanelVisible()) return true;
      if (int row = e2e::ReadLit().row) shownLit = row;
      return false;
    }, 3000)) << "the sound was not taken: " << e2e::Situation();
    EXPECT_EQ(shownLit, 2) << "not Sobe shown lit after the sound";
    POINT cursor{};
    EXPECT_TRUE(e2e::WaitUntil([&] { GetCursorPos(&cursor); return cursor.y <= 500 - 9; }, 3000))
        << "the cursor does not go up: " << e2e::Situation();
    e2e::HoldSwitch(100);
    ASSERT_TRUE(e2e::WaitUntil([] { return e2e::PanelVisible() && e2e::RedBandHeight() > 0; },
                               5000)) << e2e::Situation();
  }
  EXPECT_EQ(e2e::ClosePanel(), 0u);
  e2e::RestorePanelSettings();
}

// Run only with no sound server (see CMakeLists.txt).
TEST(MeterWithoutMicrophone, SaysSoKeepsTryingAndEndsWithExitCode0) {
  Meter meter;
  ASSERT_TRUE(meter.WaitForCaption("Sem microfone - sem sugest\xE3o", 30000)) << meter.Caption();
  e2e::PumpFor(3500);  // through a retry
  EXPECT_TRUE(meter.Running());
  EXPECT_EQ(meter.Caption(), "Sem microfone - sem sugest\xE3o");
  EXPECT_EQ(meter.Close(), 0u);
}

// 48 choices, each begun 500 ms after its item lit, but the first of each pass, slower and
// left out: a suggestion of 600 ms, which "A" puts in the panel's shortcut, its Volume kept.
TEST(MeterWithoutMicrophone, TheReactionTimePageSuggestsADelayAndPutsItInThePanelsShortcut) {
  std::vector<ChoiceRecord> records;
  for (int i = 0; i < 48; ++i)
    records.push_back({1765000000 + i, false, ChoiceKind::Key, i % 6 ? 500 : 2500, 1500, i % 6 == 0});
  const std::string times = std::string(getenv("APPDATA")) + "\\Acenora\\tempos.csv";
  CreateDirectoryA((std::string(getenv("APPDATA")) + "\\Acenora").c_str(), nullptr);
  std::ofstream(times, std::ios::binary) << TextOfRecords(records);
  e2e::ShortcutArguments(e2e::PanelShortcut(), L"60 1500");
  Meter meter("/tempo");
  ASSERT_TRUE(meter.WaitForCaption("Tempo de rea\xE7\xE3o - Delay sugerido: 600 ms", 30000)) << meter.Caption();
  meter.Type('a');
  EXPECT_TRUE(e2e::WaitUntil([] { return e2e::ShortcutArguments(e2e::PanelShortcut()) == L"60 600"; }, 5000));
  EXPECT_EQ(meter.Close(), 0u);
  DeleteFileW(e2e::PanelShortcut().c_str());
  DeleteFileA(times.c_str());
}

}  // namespace
