// The Locutor's voice. The program links the platform's own speech (sapi/); a test build
// links a recorder in its place, as this one seam between the Locutor and the machine.
#pragma once
#include <string>

#include "locutor/logic/phrase_list.h"

bool StartSpeech(const VoiceSettings& settings);  // false: no voice to speak with
bool Speak(const std::wstring& text);             // at once, cutting what was said; false: not said
void StopSpeaking();                              // silence now
