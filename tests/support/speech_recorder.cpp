// The Locutor's speech for tests: every phrase it is given is added, as a UTF-8 line, to the
// file ACENORA_SPEECH_RECORD names; there is always a voice.
#include "locutor/speech.h"

#include <windows.h>

#include <cstdlib>
#include <fstream>

VoiceFound StartSpeech(const VoiceSettings&) { return VoiceFound::Portuguese; }

bool Speak(const std::wstring& text) {
  const char* record = std::getenv("ACENORA_SPEECH_RECORD");
  if (!record) return true;
  char bytes[4096] = {};
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes, sizeof bytes - 1, nullptr, nullptr);
  std::ofstream(record, std::ios::app | std::ios::binary) << bytes << "\n";
  return true;
}

void StopSpeaking() {}

bool Speaking() { return false; }
