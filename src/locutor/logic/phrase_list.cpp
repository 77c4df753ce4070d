#include "locutor/logic/phrase_list.h"

#include <algorithm>

#include "scanning/logic/number_reading.h"

namespace {

constexpr size_t kLongestPhrase = 1000;

// The length of the valid UTF-8 at the start of text, whole characters only.
size_t Utf8Prefix(std::string_view text) {
  size_t at = 0;
  while (at < text.size()) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const size_t length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3
                        : (lead >> 3) == 30 ? 4 : 0;
    if (length == 0 || at + length > text.size()) break;
    bool whole = true;
    for (size_t i = 1; i < length; ++i)
      whole = whole && (static_cast<unsigned char>(text[at + i]) & 0xC0) == 0x80;
    if (!whole || (length == 2 && lead < 0xC2)) break;
    at += length;
  }
  return at;
}

bool Usable(std::string_view line) {
  return !line.empty() && line.size() <= kLongestPhrase &&
         line.find_first_not_of(' ') != std::string_view::npos &&
         std::none_of(line.begin(), line.end(),
                      [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

int NumberIn(const std::string& text, int low, int high, int fallback) {
  const std::optional<int32_t> value = ParseWholeNumber(text);
  return value && *value >= low && *value <= high ? *value : fallback;
}

}  // namespace

std::vector<std::string> EverydayPhrases() {
  return {"Sim", "N\xC3\xA3o", "Obrigado", "Estou com dor", "Chame algu\xC3\xA9m, por favor"};
}

void PutFirst(std::vector<std::string>& phrases, const std::string& phrase) {
  std::erase(phrases, phrase);
  phrases.insert(phrases.begin(), phrase);
  if (phrases.size() > PhrasesKept) phrases.resize(PhrasesKept);
}

std::vector<std::string> PhrasesFromText(std::string_view text) {
  std::vector<std::string> phrases;
  while (!text.empty() && phrases.size() < PhrasesKept) {
    const size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    const bool last = end == text.size();
    text.remove_prefix(last ? end : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    // A byte-order mark (an editor's, at the file's start) is no part of a phrase.
    while (line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
    const size_t valid = Utf8Prefix(line);
    if (valid != line.size() && !(last && valid > 0)) continue;
    line = line.substr(0, valid);
    if (Usable(line) && std::find(phrases.begin(), phrases.end(), line) == phrases.end())
      phrases.emplace_back(line);
  }
  return phrases;
}

std::string TextOfPhrases(const std::vector<std::string>& phrases) {
  std::string text;
  for (const std::string& phrase : phrases) text += phrase + "\r\n";
  return text;
}

int OlderPhrase(int shown, size_t count) {
  return shown + 1 < static_cast<int>(count) ? shown + 1 : shown;
}

int NewerPhrase(int shown) { return shown >= 0 ? shown - 1 : -1; }

VoiceSettings VoiceSettingsFrom(const std::string& voice, const std::string& rate,
                                const std::string& volume, const std::string& fontSize) {
  VoiceSettings settings;
  settings.voice = voice;
  settings.rate = NumberIn(rate, -10, 10, settings.rate);
  settings.volume = NumberIn(volume, 0, 100, settings.volume);
  settings.fontSize = NumberIn(fontSize, 8, 200, settings.fontSize);
  return settings;
}
