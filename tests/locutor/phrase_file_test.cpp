// The Locutor's phrase file as a caregiver or a power cut may leave it: a first run offers
// the everyday phrases, a file cut short or holding bytes that are not text gives what can
// be read, and a write stopped between its two steps leaves the old list whole.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "locutor/logic/phrase_list.h"
#include "locutor/ulocutor.h"

namespace {

using Phrases = std::vector<std::string>;

std::wstring TestFile() {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + L"frases-teste.txt";
}

void Write(const std::wstring& path, const std::string& bytes) {
  std::ofstream(path.c_str(), std::ios::binary | std::ios::trunc) << bytes;
}

TEST(PhraseFile, AFirstRunOffersTheEverydayPhrasesAndAPhraseSaidAgainComesFirstOnce) {
  const std::wstring path = TestFile();
  DeleteFileW(path.c_str());
  Phrases phrases = LoadPhrases(path);
  EXPECT_EQ(phrases, EverydayPhrases());
  PutFirst(phrases, "Obrigado");
  EXPECT_EQ(phrases, (Phrases{"Obrigado", "Sim", "N\xC3\xA3o", "Estou com dor", "Chame algu\xC3\xA9m, por favor"}));
  for (int i = 0; i < 150; ++i) PutFirst(phrases, "frase " + std::to_string(i));
  EXPECT_EQ(phrases.size(), PhrasesKept);
  EXPECT_EQ(phrases.back(), "frase 50") << "the oldest go first";
}

TEST(PhraseFile, ACutOrJunkFileGivesWhatCanBeReadAndAnInterruptedWriteLeavesTheOldList) {
  const std::wstring path = TestFile();
  const std::string whole = "\xEF\xBB\xBFSim\r\nN\xC3\xA3o\r\n\xFF\xFE\x01junk\r\n\r\nA\xC3\xA1\xC3";
  const Phrases lines{"Sim", "N\xC3\xA3o", "A\xC3\xA1"};  // the text lines, whole
  for (size_t cut = 0; cut <= whole.size(); ++cut) {
    Write(path, whole.substr(0, cut));
    for (const std::string& phrase : LoadPhrases(path))
      EXPECT_TRUE(!phrase.empty() && std::any_of(lines.begin(), lines.end(), [&](auto& line) {
        return line.rfind(phrase, 0) == 0;
      })) << "cut at " << cut << ": '" << phrase << "'";
  }
  Write(path, whole);
  EXPECT_EQ(LoadPhrases(path), (Phrases{"Sim", "N\xC3\xA3o", "A\xC3\xA1"}));

  ASSERT_TRUE(SavePhrases(path, {"Velha", "Lista"}));
  Write(path + L".novo", "Nova\r\nLis");  // the power went before the new list took its place
  EXPECT_EQ(LoadPhrases(path), (Phrases{"Velha", "Lista"}));
  ASSERT_TRUE(SavePhrases(path, {"Nova"}));  // the next write replaces the leftover
  EXPECT_EQ(LoadPhrases(path), (Phrases{"Nova"}));
  EXPECT_EQ(GetFileAttributesW((path + L".novo").c_str()), INVALID_FILE_ATTRIBUTES);
  DeleteFileW(path.c_str());
}

TEST(LocutorSettings, BadValuesTakeTheDefaults) {
  const VoiceSettings good = VoiceSettingsFrom("Maria", "-3", "80", "48");
  const VoiceSettings bad = VoiceSettingsFrom("", "11", "cem", "");
  EXPECT_EQ(std::tuple(good.voice, good.rate, good.volume, good.fontSize), std::tuple("Maria", -3, 80, 48));
  EXPECT_EQ(std::tuple(bad.rate, bad.volume, bad.fontSize), std::tuple(0, 100, 32));
}

}  // namespace
