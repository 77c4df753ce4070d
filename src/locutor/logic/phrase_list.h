// The Locutor's phrases, newest first: the line the person has typed joins the list, a
// phrase of the list comes back into the line, and the list as the text of its file. Knows
// nothing of windows, files or speech.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

constexpr size_t PhrasesKept = 100;

// What a first run offers, for the caregiver to edit in the file.
std::vector<std::string> EverydayPhrases();
// A spoken phrase first; an earlier copy of it and the oldest past PhrasesKept go.
void PutFirst(std::vector<std::string>& phrases, const std::string& phrase);
// The file's text: one phrase a line, UTF-8. Lines that are not UTF-8, blank or too long are
// passed over; a line cut short at the end is kept as far as it is whole.
std::vector<std::string> PhrasesFromText(std::string_view text);
std::string TextOfPhrases(const std::vector<std::string>& phrases);

// Walking the list from the line: "Cim" goes to older phrases, "Bai" back to newer, and past
// the newest to the empty line. -1 is the line itself.
int OlderPhrase(int shown, size_t count);
int NewerPhrase(int shown);

struct VoiceSettings {
  std::string voice;  // part of a voice's name; empty: the Brazilian Portuguese one, or the default
  int rate = 0;       // -10 to 10
  int volume = 100;   // 0 to 100
  int fontSize = 32;  // of the line, in points
};
// The section LOCUTOR's values as read; what is not a whole number in range takes the default.
VoiceSettings VoiceSettingsFrom(const std::string& voice, const std::string& rate,
                                const std::string& volume, const std::string& fontSize);
