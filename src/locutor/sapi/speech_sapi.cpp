// The platform's speech (SAPI 5): a Brazilian Portuguese voice where one is installed, or the
// one the settings name, otherwise the default voice. Speaking is asynchronous, so the window
// never waits for a phrase to end.
#include "locutor/speech.h"

#include <windows.h>
// The speech classes' and interfaces' identifiers are defined here: no import library has them.
#include <initguid.h>
#include <sapi.h>

#include <cwctype>

#include "console/ObCrt.h"

namespace {

ISpVoice* Voice = nullptr;

constexpr const wchar_t* kPortugueseBrazil = L"Language=416";

bool Contains(std::wstring text, std::wstring part) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
  for (wchar_t& c : part) c = static_cast<wchar_t>(std::towlower(c));
  return text.find(part) != std::wstring::npos;
}

// The first installed voice whose attributes match and, when asked, whose name holds `part`.
ISpObjectToken* FindVoice(const wchar_t* attributes, const std::wstring& part) {
  ISpObjectTokenCategory* category = nullptr;
  if (FAILED(CoCreateInstance(CLSID_SpObjectTokenCategory, nullptr, CLSCTX_ALL,
                              IID_ISpObjectTokenCategory, reinterpret_cast<void**>(&category))))
    return nullptr;
  IEnumSpObjectTokens* tokens = nullptr;
  ISpObjectToken* found = nullptr;
  if (SUCCEEDED(category->SetId(SPCAT_VOICES, FALSE)) &&
      SUCCEEDED(category->EnumTokens(attributes, nullptr, &tokens))) {
    ISpObjectToken* token = nullptr;
    while (!found && tokens->Next(1, &token, nullptr) == S_OK) {
      wchar_t* name = nullptr;
      const bool named = SUCCEEDED(token->GetStringValue(nullptr, &name)) && name;
      if (part.empty() || (named && Contains(name, part))) found = token;
      else token->Release();
      CoTaskMemFree(name);
    }
    tokens->Release();
  }
  category->Release();
  return found;
}

bool AnyVoice() {
  ISpObjectToken* any = FindVoice(nullptr, L"");
  if (any) any->Release();
  return any != nullptr;
}

}  // namespace

bool StartSpeech(const VoiceSettings& settings) {
  if (!Voice && FAILED(CoCreateInstance(CLSID_SpVoice, nullptr, CLSCTX_ALL, IID_ISpVoice,
                                        reinterpret_cast<void**>(&Voice))))
    Voice = nullptr;
  if (!Voice || !AnyVoice()) return false;
  ISpObjectToken* chosen = settings.voice.empty() ? nullptr : FindVoice(nullptr, WideText(settings.voice));
  if (!chosen) chosen = FindVoice(kPortugueseBrazil, L"");
  if (chosen) {
    Voice->SetVoice(chosen);
    chosen->Release();
  }
  Voice->SetRate(settings.rate);
  Voice->SetVolume(static_cast<USHORT>(settings.volume));
  return Speak(L"");  // a voice that cannot speak (an engine left unfinished) is none
}

bool Speak(const std::wstring& text) {
  return Voice &&
         SUCCEEDED(Voice->Speak(text.c_str(), SPF_ASYNC | SPF_PURGEBEFORESPEAK | SPF_IS_NOT_XML, nullptr));
}

void StopSpeaking() {
  if (Voice) Voice->Speak(nullptr, SPF_ASYNC | SPF_PURGEBEFORESPEAK, nullptr);
}
