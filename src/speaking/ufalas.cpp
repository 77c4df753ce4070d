#include "speaking/ufalas.h"

#include <windows.h>

#include "console/ObCrt.h"
#include "locutor/speech.h"
#include "scanning/logic/number_reading.h"
#include "seam/seam.h"
#include "speaking/logic/spoken_items.h"
#include "speaking/utocador.h"
#include "switch/logic/switch_presses.h"
#include "switch/uctlsom.h"

bool SayingItems = false;

namespace {

constexpr int32_t kDefaultPauseMs = 500;
constexpr int64_t kDeafAfterMs = 200;           // the room's echo of the voice
constexpr int64_t kRecordingLateMs = 1000;      // a device that never says it has played all
constexpr int64_t kLongestSpeechMs = 10000;     // an engine that never says it is done
const char* const kNoVoiceNotice = "Sem voz neste computador: grave as falas no Medidor";

enum class Voice { Recorded, Speech };
Voice Playing = Voice::Recorded;
bool SpeechReady = false;
bool ToldNoVoice = false;
int64_t PromptStartMs = 0;
int64_t PromptDueEndMs = 0;            // given up on then, ended or not
int64_t PromptEndMs = NoPrompt;        // PromptPlaying while it plays

void PromptEnded(int64_t atMs) {
  PromptEndMs = atMs;
  DeafenSoundSwitch(PromptStartMs, atMs + kDeafAfterMs);
}

void StopPrompt() {
  if (PromptEndMs != PromptPlaying) return;
  if (Playing == Voice::Recorded) StopWav();
  else StopSpeaking();
  PromptEnded(SeamNowMs());
}

bool StillPlaying() { return Playing == Voice::Recorded ? WavPlaying() : Speaking(); }

int64_t LitItemPromptEnd() {
  FollowPrompt();
  return PromptEndMs;
}

void Began(Voice voice, int64_t longestMs) {
  Playing = voice;
  PromptStartMs = SeamNowMs();
  PromptDueEndMs = PromptStartMs + longestMs;
  PromptEndMs = PromptPlaying;
  DeafenSoundSwitch(PromptStartMs, PromptPlaying);
}

void TellNoVoice() {
  if (ToldNoVoice) return;
  ToldNoVoice = true;
  if (SwitchNotice) SwitchNotice(kNoVoiceNotice);
}

// A pause not understood, or longer than ten seconds, is the default one.
int32_t PauseMs() {
  const std::optional<int32_t> pause = ParseWholeNumber(ReadSetting("VARREDURA", "PAUSAFALA", ""));
  return pause && *pause >= 0 && *pause <= 10000 ? *pause : kDefaultPauseMs;
}

}  // namespace

void ReadSpeakingSettings() {
  SayingItems = ReadSetting("VARREDURA", "FALAR", "0") == "1";
  if (!SayingItems) return;
  PromptPauseMs = PauseMs();
  LitPromptEnd = LitItemPromptEnd;
  const VoiceSettings voice = VoiceSettingsFrom(ReadSetting("FALA", "VOZ", ""),
                                                ReadSetting("FALA", "VELOCIDADE", ""), "", "");
  const VoiceFound found = StartSpeech(voice);
  SpeechReady = found == VoiceFound::Portuguese || found == VoiceFound::OtherLanguage;
}

void Say(const std::string& text) {
  if (!SayingItems) return;
  StopPrompt();
  PromptEndMs = NoPrompt;
  if (text.empty()) return;
  const int64_t recordedMs = PlayWavFile(PromptFilePath(text));
  if (recordedMs >= 0) return Began(Voice::Recorded, recordedMs + kRecordingLateMs);
  if (SpeechReady && Speak(WideText(text))) return Began(Voice::Speech, kLongestSpeechMs);
  TellNoVoice();
}

void FollowPrompt() {
  if (PromptEndMs != PromptPlaying) return;
  const int64_t now = SeamNowMs();
  if (StillPlaying() && now < PromptDueEndMs) return;
  StopPrompt();
}

std::wstring PromptFilePath(const std::string& text) {
  const std::wstring folder = UserFilePath(L"falas");
  if (folder.empty()) return L"";
  return folder + L"\\" + WideText(PromptFileName(text));
}

bool SavePrompt(const std::string& text, const std::string& wavFile) {
  const std::wstring folder = UserFilePath(L"falas");
  if (folder.empty()) return false;
  CreateDirectoryW(folder.c_str(), nullptr);
  return WriteWholeFile(PromptFilePath(text), wavFile);
}

void DeletePrompt(const std::string& text) { DeleteFileW(PromptFilePath(text).c_str()); }
