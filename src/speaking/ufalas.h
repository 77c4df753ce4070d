// Items said aloud as they light, for a person who cannot watch the panel ([VARREDURA]
// FALAR=1): the prompt a caregiver recorded for the text, else the platform's speech in the
// voice of section FALA. The lit item waits for its prompt; the sound switch is deaf to it.
#pragma once
#include <string>

extern bool SayingItems;  // FALAR=1
// FALAR, PAUSAFALA and section FALA; the speech is started when items are said.
void ReadSpeakingSettings();
// Ends the prompt playing, then says text, when items are said; "" says nothing.
void Say(const std::string& text);
// At every poll: a prompt that has ended lets the sound switch hear again.
void FollowPrompt();
std::wstring PromptFilePath(const std::string& text);  // in the user's folder, "" when it has none
// The recording of text written whole as its prompt; false when it could not be.
bool SavePrompt(const std::string& text, const std::string& wavFile);
void DeletePrompt(const std::string& text);
