// The Locutor's window and its phrase file. The line is a plain edit control, so the panel's
// keyboard types there as anywhere else; Enter, the arrows and Esc are taken from it.
#include "locutor/ulocutor.h"

#include <windows.h>

#include "console/ObCrt.h"
#include "locutor/logic/phrase_list.h"
#include "locutor/speech.h"

namespace {

constexpr const wchar_t* kClassName = L"AcenoraLocutor";
constexpr const char* kNoVoice =
    "Sem voz neste computador: as frases ficam guardadas, mas n\xE3o s\xE3o faladas.";
constexpr const char* kNoPortugueseVoice =
    "Nenhuma voz em portugu\xEAs: o Locutor fala com outra voz. Para adicionar uma: "
    "Configura\xE7\xF5" "es > Hora e idioma > Fala > Adicionar vozes > Portugu\xEAs (Brasil).";
constexpr const char* kNoSound =
    "Sem sa\xED" "da de som: ligue alto-falantes ou fones de ouvido. As frases ficam guardadas.";
constexpr const char* kNotSaid =
    "A voz n\xE3o falou: verifique o som do computador. A frase ficou guardada.";
constexpr int kStatusPoints = 11;
constexpr size_t kLargestFile = 1 << 20;

HWND Window = nullptr, Line = nullptr, Status = nullptr, List = nullptr;
WNDPROC LineProcedure = nullptr;
HFONT LineFont = nullptr, StatusFont = nullptr;
int LinePoints = 32;
UINT Dpi = 96;                 // of the monitor the window is on
VoiceFound Found = VoiceFound::None;
std::vector<std::string> Phrases;
int Shown = -1;  // the phrase of the list in the line; -1: the person's own line
bool Speaking = false;

std::wstring FromUtf8(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  wide.resize(MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                  wide.data(), static_cast<int>(wide.size())));
  return wide;
}

std::string ToUtf8(const std::wstring& text) {
  std::string bytes(text.size() * 3, '\0');
  bytes.resize(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                   bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr));
  return bytes;
}

std::wstring LineText() {
  std::wstring text(GetWindowTextLengthW(Line) + 1, L'\0');
  text.resize(GetWindowTextW(Line, text.data(), static_cast<int>(text.size())));
  return text;
}

void ShowInLine(const std::wstring& text) {
  SetWindowTextW(Line, text.c_str());
  SendMessageW(Line, EM_SETSEL, text.size(), text.size());
}

void ShowPhrases() {
  SendMessageW(List, LB_RESETCONTENT, 0, 0);
  for (const std::string& phrase : Phrases)
    SendMessageW(List, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FromUtf8(phrase).c_str()));
}

void LayOutWhole();

// The status grows to every line its text needs, so nothing of it is cut.
void ShowStatus(const char* text) {
  SetWindowTextW(Status, WideText(text).c_str());
  LayOutWhole();
}

const char* StartNote() {
  switch (Found) {
    case VoiceFound::Portuguese: return "";
    case VoiceFound::OtherLanguage: return kNoPortugueseVoice;
    case VoiceFound::NoSound: return kNoSound;
    case VoiceFound::None: return kNoVoice;
  }
  return "";
}

const char* NotSaidNote() {
  return Found == VoiceFound::None ? kNoVoice : Found == VoiceFound::NoSound ? kNoSound : kNotSaid;
}

void SpeakLine() {
  const std::wstring text = LineText();
  if (text.find_first_not_of(L' ') == std::wstring::npos) return;
  Speaking = Speak(text);
  ShowStatus(Speaking ? StartNote() : NotSaidNote());
  PutFirst(Phrases, ToUtf8(text));
  SavePhrases(PhraseFilePath(), Phrases);
  ShowPhrases();
  Shown = -1;
  ShowInLine(L"");
}

void BringBack(int phrase) {
  Shown = phrase;
  ShowInLine(phrase < 0 ? L"" : FromUtf8(Phrases[phrase]));
  SendMessageW(List, LB_SETCURSEL, phrase, 0);
}

// Typing cuts a long phrase short.
void QuietForTyping() {
  if (!Speaking) return;
  StopSpeaking();
  Speaking = false;
}

bool OnLineKey(WPARAM key) {
  switch (key) {
    case VK_RETURN: SpeakLine(); return true;
    case VK_UP: BringBack(OlderPhrase(Shown, Phrases.size())); return true;
    case VK_DOWN: BringBack(NewerPhrase(Shown)); return true;
    case VK_ESCAPE: QuietForTyping(); BringBack(-1); return true;
    default: return false;
  }
}

LRESULT CALLBACK LineWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN && OnLineKey(wParam)) return 0;
  if (message == WM_CHAR && (wParam == L'\r' || wParam == 27)) return 0;  // no beep
  if (message == WM_CHAR) QuietForTyping();
  return CallWindowProcW(LineProcedure, window, message, wParam, lParam);
}

int Scaled(int pixelsAt96) { return MulDiv(pixelsAt96, static_cast<int>(Dpi), 96); }

// The line's height in its font, with room for the edit control's border.
int LineHeight() {
  TEXTMETRICW metrics{};
  HDC dc = GetDC(Line);
  HGDIOBJ earlier = SelectObject(dc, LineFont);
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, earlier);
  ReleaseDC(Line, dc);
  return metrics.tmHeight + Scaled(12);
}

// The height the status's text takes, wrapped at width.
int StatusHeight(int width) {
  const int length = GetWindowTextLengthW(Status);
  if (length == 0) return 0;
  std::wstring text(length + 1, L'\0');
  text.resize(GetWindowTextW(Status, text.data(), length + 1));
  RECT box{0, 0, width, 0};
  HDC dc = GetDC(Status);
  HGDIOBJ earlier = SelectObject(dc, StatusFont);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, earlier);
  ReleaseDC(Status, dc);
  return box.bottom;
}

void LayOut(int width, int height) {
  const int margin = Scaled(8), gap = Scaled(6), inner = width - 2 * margin;
  const int lineHeight = LineHeight(), statusHeight = StatusHeight(inner);
  MoveWindow(Line, margin, margin, inner, lineHeight, TRUE);
  const int statusTop = margin + lineHeight + gap, listTop = statusTop + statusHeight + gap;
  MoveWindow(Status, margin, statusTop, inner, statusHeight, TRUE);
  MoveWindow(List, margin, listTop, inner, height - listTop - margin, TRUE);
}

void LayOutWhole() {
  RECT client{};
  GetClientRect(Window, &client);
  LayOut(client.right, client.bottom);
}

HFONT MakeFont(int points, int weight) {
  return CreateFontW(-MulDiv(points, static_cast<int>(Dpi), 72), 0, 0, 0, weight, FALSE, FALSE, FALSE,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, L"Segoe UI");
}

// The fonts at the window's scale: made again when it moves to a monitor of another.
void UseFonts() {
  for (HFONT font : {LineFont, StatusFont})
    if (font) DeleteObject(font);
  LineFont = MakeFont(LinePoints, FW_BOLD);
  StatusFont = MakeFont(kStatusPoints, FW_NORMAL);
  SendMessageW(Line, WM_SETFONT, reinterpret_cast<WPARAM>(LineFont), TRUE);
  for (HWND text : {Status, List}) SendMessageW(text, WM_SETFONT, reinterpret_cast<WPARAM>(StatusFont), TRUE);
}

void OnDpiChanged(WPARAM dpis, const RECT* suggested) {
  Dpi = HIWORD(dpis);
  UseFonts();
  SetWindowPos(Window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
               suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  LayOutWhole();
}

void OnCreate(HWND window) {
  Window = window;
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  Line = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                         0, 0, 0, 0, window, nullptr, instance, nullptr);
  Status = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 0, 0, 0, 0, window,
                           nullptr, instance, nullptr);
  List = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                         WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 0, 0, 0, 0,
                         window, nullptr, instance, nullptr);
  LineProcedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(Line, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LineWindowProc)));
}

LRESULT CALLBACK LocutorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: OnCreate(window); return 0;
    case WM_SIZE: LayOut(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_SETFOCUS: SetFocus(Line); return 0;
    case WM_DPICHANGED: OnDpiChanged(wParam, reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

VoiceSettings ReadVoiceSettings() {
  return VoiceSettingsFrom(ReadSetting("LOCUTOR", "VOZ", ""), ReadSetting("LOCUTOR", "VELOCIDADE", ""),
                           ReadSetting("LOCUTOR", "VOLUME", ""), ReadSetting("LOCUTOR", "TAMANHOLETRA", ""));
}

bool OpenWindow(const VoiceSettings& settings) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = LocutorWindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  windowClass.hIcon = LoadIconW(windowClass.hInstance, MAKEINTRESOURCEW(1));
  RegisterClassW(&windowClass);
  if (!CreateWindowExW(0, kClassName, L"Locutor", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                       CW_USEDEFAULT, 760, 460, nullptr, nullptr, windowClass.hInstance, nullptr))
    return false;
  Dpi = DpiOf(Window);
  LinePoints = settings.fontSize;
  UseFonts();
  SetWindowPos(Window, nullptr, 0, 0, Scaled(760), Scaled(460), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  LayOutWhole();
  return true;
}

}  // namespace

std::wstring PhraseFilePath() { return UserFilePath(L"frases.txt"); }

std::vector<std::string> LoadPhrases(const std::wstring& path) {
  std::string bytes;
  if (!ReadWholeFile(path, kLargestFile, bytes))
    return GetLastError() == ERROR_FILE_NOT_FOUND ? EverydayPhrases() : std::vector<std::string>{};
  return PhrasesFromText(bytes);
}

bool SavePhrases(const std::wstring& path, const std::vector<std::string>& phrases) {
  return WriteWholeFile(path, TextOfPhrases(phrases));
}

int LocutorMain() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const VoiceSettings settings = ReadVoiceSettings();
  Phrases = LoadPhrases(PhraseFilePath());
  if (!OpenWindow(settings)) return 1;
  ShowPhrases();
  Found = StartSpeech(settings);
  ShowStatus(StartNote());
  ShowWindow(Window, SW_SHOWNORMAL);
  SetForegroundWindow(Window);
  SetFocus(Line);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
