// The Locutor's voice. The program links the platform's own speech (sapi/); a test build
// links a recorder in its place, as this one seam between the Locutor and the machine.
#pragma once
#include <string>

#include "locutor/logic/phrase_list.h"

// What there is to speak with: a Portuguese voice, only voices of other languages, voices
// but no sound device to hear them on, or no voice at all.
enum class VoiceFound { Portuguese, OtherLanguage, NoSound, None };

VoiceFound StartSpeech(const VoiceSettings& settings);
bool Speak(const std::wstring& text);             // at once, cutting what was said; false: not said
void StopSpeaking();                              // silence now
bool Speaking();                                  // what was given is still being said
