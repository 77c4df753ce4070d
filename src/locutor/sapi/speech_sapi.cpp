// The platform's speech (SAPI 5): a Brazilian Portuguese voice where one is installed, or the
// one the settings name, otherwise the default voice. Voices added through Windows' own
// settings are listed apart from SAPI 5's, and are looked among too. Speaking is
// asynchronous, so the window never waits for a phrase to end.
#include "locutor/speech.h"

#include <windows.h>
#include <mmsystem.h>
// The speech classes' and interfaces' identifiers are defined here: no import library has them.
#include <initguid.h>
#include <sapi.h>

#include <cwctype>

#include "console/ObCrt.h"

namespace {

ISpVoice* Voice = nullptr;

constexpr const wchar_t* kPortugueseBrazil = L"Language=416";
// SAPI 5's own voices, then those of Windows' settings, which most voices work from too.
constexpr const wchar_t* kVoiceLists[] = {
    SPCAT_VOICES, L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Speech_OneCore\\Voices"};

bool Contains(std::wstring text, std::wstring part) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
  for (wchar_t& c : part) c = static_cast<wchar_t>(std::towlower(c));
  return text.find(part) != std::wstring::npos;
}

bool Named(ISpObjectToken* token, const std::wstring& part) {
  if (part.empty()) return true;
  wchar_t* name = nullptr;
  const bool named = SUCCEEDED(token->GetStringValue(nullptr, &name)) && name && Contains(name, part);
  CoTaskMemFree(name);
  return named;
}

// The first voice of the list whose attributes match and, when asked, whose name holds
// `part`, and which the voice takes.
bool UseVoiceFrom(const wchar_t* list, const wchar_t* attributes, const std::wstring& part) {
  ISpObjectTokenCategory* category = nullptr;
  if (FAILED(CoCreateInstance(CLSID_SpObjectTokenCategory, nullptr, CLSCTX_ALL,
                              IID_ISpObjectTokenCategory, reinterpret_cast<void**>(&category))))
    return false;
  IEnumSpObjectTokens* tokens = nullptr;
  bool used = false;
  if (SUCCEEDED(category->SetId(list, FALSE)) && SUCCEEDED(category->EnumTokens(attributes, nullptr, &tokens))) {
    ISpObjectToken* token = nullptr;
    while (!used && tokens->Next(1, &token, nullptr) == S_OK) {
      used = Named(token, part) && SUCCEEDED(Voice->SetVoice(token));
      token->Release();
    }
    tokens->Release();
  }
  category->Release();
  return used;
}

bool UseVoice(const wchar_t* attributes, const std::wstring& part) {
  for (const wchar_t* list : kVoiceLists)
    if (UseVoiceFrom(list, attributes, part)) return true;
  return false;
}

// The voice in use speaks Brazilian Portuguese: its language list holds 416.
bool SpeaksPortuguese() {
  ISpObjectToken* token = nullptr;
  if (FAILED(Voice->GetVoice(&token)) || !token) return false;
  ISpDataKey* attributes = nullptr;
  wchar_t* language = nullptr;
  const bool portuguese = SUCCEEDED(token->OpenKey(L"Attributes", &attributes)) &&
                          SUCCEEDED(attributes->GetStringValue(L"Language", &language)) && language &&
                          Contains(language, L"416");
  CoTaskMemFree(language);
  if (attributes) attributes->Release();
  token->Release();
  return portuguese;
}

}  // namespace

VoiceFound StartSpeech(const VoiceSettings& settings) {
  if (!Voice && FAILED(CoCreateInstance(CLSID_SpVoice, nullptr, CLSCTX_ALL, IID_ISpVoice,
                                        reinterpret_cast<void**>(&Voice))))
    Voice = nullptr;
  if (!Voice) return VoiceFound::None;
  const bool named = !settings.voice.empty() && UseVoice(nullptr, WideText(settings.voice));
  if (!named) UseVoice(kPortugueseBrazil, L"");  // else the default voice stays
  ISpObjectToken* inUse = nullptr;
  if (FAILED(Voice->GetVoice(&inUse)) || !inUse) return VoiceFound::None;
  inUse->Release();
  Voice->SetRate(settings.rate);
  Voice->SetVolume(static_cast<USHORT>(settings.volume));
  if (waveOutGetNumDevs() == 0) return VoiceFound::NoSound;
  if (!Speak(L"")) return VoiceFound::None;  // an engine left unfinished speaks nothing
  return SpeaksPortuguese() ? VoiceFound::Portuguese : VoiceFound::OtherLanguage;
}

bool Speak(const std::wstring& text) {
  return Voice && waveOutGetNumDevs() > 0 &&
         SUCCEEDED(Voice->Speak(text.c_str(), SPF_ASYNC | SPF_PURGEBEFORESPEAK | SPF_IS_NOT_XML, nullptr));
}

void StopSpeaking() {
  if (Voice) Voice->Speak(nullptr, SPF_ASYNC | SPF_PURGEBEFORESPEAK, nullptr);
}

bool Speaking() { return Voice && Voice->WaitUntilDone(0) == S_FALSE; }
