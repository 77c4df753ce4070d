#include "settings/ujanela.h"

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "console/ObCrt.h"
#include "meter/logic/level_stats.h"
#include "meter/logic/level_view.h"
#include "meter/logic/timing_view.h"
#include "settings/logic/settings_fields.h"
#include "settings/uconfig.h"
#include "starter/ustarter.h"
#include "switch/logic/capture_math.h"
#include "switch/uaudio.h"
#include "switch/utempos.h"

namespace {

constexpr wchar_t kClass[] = L"AcenoraConfig";
constexpr int kWidth = 760, kHeight = 580;  // the client area at 96 DPI
constexpr int kRowHeight = 30, kFirstRow = 44;
constexpr int kAllTabs = -1;
enum Id : int { IdTabs = 100, IdApply, IdUseVolume, IdUseDelay, IdForget, IdPreview, IdFirstField = 200 };

struct Placed {
  HWND window;
  RECT at;  // at 96 DPI
  int tab;  // the tab it shows on, or kAllTabs
};

struct FieldRow {
  const SettingField* field;
  HWND control, hint;
  std::string shown;  // as read, or as last written
  bool refused = false;
};

HWND Window = nullptr, Tabs = nullptr, Status = nullptr, Level = nullptr, Preview = nullptr;
HFONT Font = nullptr;
UINT Dpi = 96;
std::vector<Placed> Controls;
std::vector<FieldRow> Rows;
LevelStats Heard;
int HeardTick = 0, Suggestion = -1;
TimingFigures Figures;
unsigned char HeardArea[CaptureBufferBytes];

int Scaled(int value) { return MulDiv(value, static_cast<int>(Dpi), 96); }

UINT WindowDpi(HWND window) {
  using DpiOf = UINT(WINAPI*)(HWND);
  static const auto dpiOf =
      reinterpret_cast<DpiOf>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32"), "GetDpiForWindow")));
  if (dpiOf) return dpiOf(window);
  const HDC screen = GetDC(nullptr);
  const UINT dpi = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSY));
  ReleaseDC(nullptr, screen);
  return dpi;
}

void MakeFont() {
  if (Font) DeleteObject(Font);
  Font = CreateFontW(-MulDiv(9, static_cast<int>(Dpi), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, L"Segoe UI");
}

void Place(const Placed& placed) {
  const RECT& at = placed.at;
  SetWindowPos(placed.window, nullptr, Scaled(at.left), Scaled(at.top), Scaled(at.right - at.left),
               Scaled(at.bottom - at.top), SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(placed.window, WM_SETFONT, reinterpret_cast<WPARAM>(Font), TRUE);
}

HWND Add(const wchar_t* kind, const std::string& text, DWORD style, RECT at, int tab, int id = 0) {
  const HWND control = CreateWindowExW(0, kind, WideText(text).c_str(), WS_CHILD | WS_CLIPSIBLINGS | style, 0, 0, 0, 0,
                                       Window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                       GetModuleHandleW(nullptr), nullptr);
  Controls.push_back({control, at, tab});
  Place(Controls.back());
  return control;
}

// ---- Fields ----

HWND AddControl(const SettingField& field, const std::string& value, int y, int tab, int id) {
  const DWORD tabStop = WS_TABSTOP | WS_VISIBLE;
  switch (field.kind) {
    case FieldKind::YesNo: {
      const HWND box = Add(L"BUTTON", field.label, BS_AUTOCHECKBOX | tabStop, {20, y, 440, y + 22}, tab, id);
      SendMessageW(box, BM_SETCHECK, value == FieldChoices(field)[0] ? BST_CHECKED : BST_UNCHECKED, 0);
      return box;
    }
    case FieldKind::Choice: {
      Add(L"STATIC", std::string(field.label) + ":", SS_LEFT | WS_VISIBLE, {20, y + 3, 325, y + 23}, tab);
      const HWND list = Add(L"COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | tabStop, {330, y, 440, y + 240}, tab, id);
      std::vector<std::string> choices = FieldChoices(field);
      if (!FieldProblem(field, value).empty()) choices.push_back(value);  // as the caregiver wrote it
      for (const std::string& choice : choices) SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideText(choice).c_str()));
      SendMessageW(list, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(WideText(value).c_str()));
      return list;
    }
    default:
      Add(L"STATIC", std::string(field.label) + ":", SS_LEFT | WS_VISIBLE, {20, y + 3, 325, y + 23}, tab);
      return Add(L"EDIT", value, WS_BORDER | ES_AUTOHSCROLL | tabStop, {330, y, 440, y + 22}, tab, id);
  }
}

int TabOf(const char* name) {
  for (int tab = 0; tab < SettingTabCount; ++tab)
    if (std::string(SettingTabs[tab]) == name) return tab;
  return 0;
}

// The Volume and Delay the person's panel starts with come from its shortcut, where the setup
// put them; the rest from the settings file.
std::string CurrentValue(const SettingField& field, const std::string& volume, const std::string& delay) {
  if (&field == FindField("ACIONADOR", "VOLUME") && !volume.empty()) return volume;
  if (&field == FindField("VARREDURA", "DELAY") && !delay.empty()) return delay;
  return ReadSetting(field.section, field.key, field.fallback);
}

// The fields of each tab one under another; the row after the last is returned for what else
// the tab shows.
std::vector<int> AddFields() {
  std::string volume, delay;
  PanelValuesIn(PanelShortcutArguments(), volume, delay);
  std::vector<int> nextRow(SettingTabCount, 0);
  for (const SettingField& field : SettingFields()) {
    const int tab = TabOf(field.tab), y = kFirstRow + nextRow[tab]++ * kRowHeight;
    const std::string value = CurrentValue(field, volume, delay);
    const int id = IdFirstField + static_cast<int>(Rows.size());
    const HWND control = AddControl(field, value, y, tab, id);
    const HWND hint = Add(L"STATIC", FieldHint(field), SS_LEFT | WS_VISIBLE, {450, y + 1, 745, y + 29}, tab);
    Rows.push_back({&field, control, hint, value});
  }
  return nextRow;
}

std::string TextOf(HWND control) {
  wchar_t text[256] = {};
  GetWindowTextW(control, text, 256);
  return NarrowText(text);
}

std::string ValueOf(const FieldRow& row) {
  if (row.field->kind != FieldKind::YesNo) return TextOf(row.control);
  const bool checked = SendMessageW(row.control, BM_GETCHECK, 0, 0) == BST_CHECKED;
  return FieldChoices(*row.field)[checked ? 0 : 1];
}

FieldRow& RowOf(const char* section, const char* key) {
  for (FieldRow& row : Rows)
    if (row.field == FindField(section, key)) return row;
  return Rows.front();
}

// ---- Tabs ----

void ShowTab(int tab) {
  TabCtrl_SetCurSel(Tabs, tab);
  for (const Placed& placed : Controls)
    if (placed.tab != kAllTabs) ShowWindow(placed.window, placed.tab == tab ? SW_SHOWNA : SW_HIDE);
}

void StepTab(int step) {
  ShowTab((TabCtrl_GetCurSel(Tabs) + step + SettingTabCount) % SettingTabCount);
  SetFocus(Tabs);
}

// ---- What each tab shows besides its fields ----

std::string LevelText() {
  if (!CaptureRunning()) return "Sem microfone: o acionador de som n\xE3o ouve.";
  const MeterReading reading = ReadMeter(Heard, HeardTick, true, false, 0);
  Suggestion = reading.suggestion;
  const std::string level = "Microfone agora: n\xEDvel " + std::to_string(reading.peak);
  if (reading.suggestion < 0) return level + ". Sil\xEAncio 10 s, depois o som 3 vezes, e o medidor sugere.";
  return level + "; sugest\xE3o do medidor: " + std::to_string(reading.suggestion) + ".";
}

void ListenToMicrophone() {
  int peak = 0;
  bool heard = false;
  while (CaptureReady()) peak = SamplePeak(HeardArea, CaptureRead(HeardArea), peak), heard = true;
  if (heard) HearPeak(Heard, ++HeardTick, peak);
  const std::string text = LevelText();
  if (TextOf(Level) != text) SetWindowTextW(Level, WideText(text).c_str());
}

std::string TimingText() {
  if (Figures.suggestedMs == 0) return TimingCaption(Figures);
  auto ms = [](int value) { return std::to_string(value) + " ms"; };
  return "Metade dos toques em at\xE9 " + ms(Figures.medianMs) + ", quase todos em at\xE9 " + ms(Figures.p95Ms) +
         "; Delay sugerido: " + ms(Figures.suggestedMs) + ".";
}

void AddExtras(const std::vector<int>& rows) {
  auto below = [&](const char* tab, int extra) { return kFirstRow + rows[TabOf(tab)] * kRowHeight + extra; };
  int y = below("Acionador", 10);
  Level = Add(L"STATIC", "", SS_LEFT | WS_VISIBLE, {20, y, 540, y + 22}, TabOf("Acionador"));
  Add(L"BUTTON", "Usar a sugest\xE3o", BS_PUSHBUTTON | WS_TABSTOP | WS_VISIBLE, {550, y - 3, 745, y + 23}, TabOf("Acionador"), IdUseVolume);
  y = below("Tempo", 10);
  Figures = FiguresOf(ReadChoiceRecords());
  Add(L"STATIC", TimingText(), SS_LEFT | WS_VISIBLE, {20, y, 540, y + 22}, TabOf("Tempo"));
  const HWND useDelay = Add(L"BUTTON", "Usar o Delay sugerido", BS_PUSHBUTTON | WS_TABSTOP | WS_VISIBLE,
                            {550, y - 3, 745, y + 23}, TabOf("Tempo"), IdUseDelay);
  EnableWindow(useDelay, Figures.suggestedMs > 0);
  y = below("Teclado", 10);
  Add(L"BUTTON", "Esquecer as palavras aprendidas", BS_PUSHBUTTON | WS_TABSTOP | WS_VISIBLE,
      {20, y, 300, y + 26}, TabOf("Teclado"), IdForget);
  y = below("Apar\xEAncia", 6);
  Preview = Add(L"STATIC", "Como o painel fica", SS_OWNERDRAW | WS_VISIBLE, {20, y, 745, y + 76}, TabOf("Apar\xEAncia"), IdPreview);
}

// ---- The panel's look, from the fields as they stand ----

int NumberIn(const char* key, int fallback) {
  const std::string value = ValueOf(RowOf("VIDEO", key));
  return FieldProblem(*FindField("VIDEO", key), value).empty() ? std::stoi(value) : fallback;
}

void DrawPreview(const DRAWITEMSTRUCT& item) {
  const bool fixed = ValueOf(RowOf("VIDEO", "CORESFIXAS")) == "S";
  const COLORREF text = fixed ? ConsolePalette[NumberIn("CORLETRA", 7)] : ConsolePalette[14];
  const COLORREF back = fixed ? ConsolePalette[NumberIn("CORFUNDO", 0)] : ConsolePalette[0];
  const std::string face = ValueOf(RowOf("VIDEO", "FONTE"));
  const HFONT font = face.empty() ? static_cast<HFONT>(GetStockObject(SYSTEM_FIXED_FONT))
                                  : CreateFontW(-NumberIn("ALTURALETRA", 18), NumberIn("LARGURALETRA", 12), 0, 0,
                                                NumberIn("PESOLETRA", 700), FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0,
                                                FIXED_PITCH, WideText(face).c_str());
  const HBRUSH fill = CreateSolidBrush(back);
  FillRect(item.hDC, &item.rcItem, fill);
  DeleteObject(fill);
  const HGDIOBJ old = SelectObject(item.hDC, font);
  SetTextColor(item.hDC, fixed ? back : text);
  SetBkColor(item.hDC, fixed ? text : ConsolePalette[4]);
  TextOutW(item.hDC, item.rcItem.left + 4, item.rcItem.top + 4, L" Clica ", 7);
  SetTextColor(item.hDC, text);
  SetBkColor(item.hDC, back);
  TEXTMETRICW metrics{};
  GetTextMetricsW(item.hDC, &metrics);
  TextOutW(item.hDC, item.rcItem.left + 4, item.rcItem.top + 4 + metrics.tmHeight, L" Sobe ", 6);
  SelectObject(item.hDC, old);
  if (!face.empty()) DeleteObject(font);
}

// ---- Applying ----

void Say(const std::string& text) { SetWindowTextW(Status, WideText(text).c_str()); }

bool AnyRefused() {
  int first = -1;
  for (FieldRow& row : Rows) {
    const std::string value = ValueOf(row);
    const std::string problem = value == row.shown ? "" : FieldProblem(*row.field, value);
    row.refused = !problem.empty();
    SetWindowTextW(row.hint, WideText(row.refused ? problem : FieldHint(*row.field)).c_str());
    if (row.refused && first < 0) first = static_cast<int>(&row - Rows.data());
  }
  if (first < 0) return false;
  ShowTab(TabOf(Rows[first].field->tab));
  SetFocus(Rows[first].control);
  return true;
}

std::vector<SettingChange> Changes() {
  std::vector<SettingChange> changes;
  for (const FieldRow& row : Rows)
    if (ValueOf(row) != row.shown) changes.push_back({row.field->section, row.field->key, ValueOf(row)});
  return changes;
}

std::string PanelValues() {
  return ValueOf(RowOf("ACIONADOR", "VOLUME")) + " " + ValueOf(RowOf("VARREDURA", "DELAY"));
}

// A panel still running was beyond this window's reach (an administrator's, or one with UI
// access) or would not end.
std::string PanelLeft() {
  return RunningPanel() ? " O painel aberto n\xE3o p\xF4" "de ser fechado: feche-o e abra-o de novo para que valha." : "";
}

bool StartsPanelAgain(const std::wstring& program) {
  return !program.empty() && StartPanelAsUser(program, WideText(PanelValues())) == PanelStarted;
}

std::string WrittenText(const SettingsWritten& written) {
  if (written.path.empty()) return "Nada foi gravado: o ORBITA.INI n\xE3o p\xF4" "de ser escrito.";
  std::string text = "Gravado em " + NarrowText(written.path) + ".";
  if (written.instead)
    text += " O painel l\xEA primeiro " + NarrowText(written.refused) +
            ", que s\xF3 um administrador pode mudar: abra as Configura\xE7\xF5" "es como administrador para que valha.";
  return text;
}

bool Apply() {
  if (AnyRefused()) {
    Say("Nada foi gravado: corrija o que est\xE1 escrito em vermelho ao lado do campo.");
    return false;
  }
  const std::vector<SettingChange> changes = Changes();
  if (changes.empty()) {
    Say("Nada mudou.");
    return true;
  }
  const std::wstring panel = CloseRunningPanel();
  const SettingsWritten written = WriteSettingChanges(changes);
  const std::string volume = ValueOf(RowOf("ACIONADOR", "VOLUME")), delay = ValueOf(RowOf("VARREDURA", "DELAY"));
  const int shortcuts =
      RewritePanelShortcuts([&](const std::string& given) { return PanelArguments(given, volume, delay); });
  if (!written.path.empty())
    for (FieldRow& row : Rows) row.shown = ValueOf(row);
  std::string text = WrittenText(written) + " Volume e Delay em " + std::to_string(shortcuts) + " atalho(s) do painel.";
  if (!panel.empty()) text += StartsPanelAgain(panel) ? " O painel foi aberto de novo com os novos valores." : " O painel n\xE3o abriu de novo: abra-o pelo atalho.";
  Say(panel.empty() ? text + PanelLeft() : text);
  return !written.path.empty();
}

void ForgetWords() {
  if (MessageBoxW(Window, WideText("Esquecer todas as palavras que o teclado aprendeu com a pessoa? Isto n\xE3o se desfaz.").c_str(),
                  L"Acenora", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
    return;
  const std::wstring panel = CloseRunningPanel();  // it keeps them, and writes them at its end
  if (RunningPanel()) return Say("Nada foi esquecido:" + PanelLeft());
  const bool emptied = WriteWholeFile(UserFilePath(L"palavras.txt"), "");
  Say(emptied ? "As palavras aprendidas foram esquecidas." : "N\xE3o foi poss\xEDvel esvaziar o arquivo das palavras.");
  StartsPanelAgain(panel);
}

void UseSuggestion(const char* section, const char* key, int value) {
  if (value <= 0) return;
  SetWindowTextW(RowOf(section, key).control, std::to_wstring(value).c_str());
}

// ---- The window ----

void Build() {
  Tabs = Add(WC_TABCONTROLW, "", WS_TABSTOP | WS_VISIBLE, {8, 8, 752, 500}, kAllTabs, IdTabs);
  for (int tab = 0; tab < SettingTabCount; ++tab) {
    std::wstring name = WideText(SettingTabs[tab]);
    TCITEMW item{TCIF_TEXT, 0, 0, name.data(), 0, -1, 0};
    SendMessageW(Tabs, TCM_INSERTITEMW, tab, reinterpret_cast<LPARAM>(&item));
  }

  AddExtras(AddFields());
  Status = Add(L"STATIC", "As mudan\xE7" "as valem quando se aplica.", SS_LEFT | WS_VISIBLE, {12, 506, 500, 574}, kAllTabs);
  Add(L"BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_VISIBLE, {510, 540, 585, 568}, kAllTabs, IDOK);
  Add(L"BUTTON", "Cancelar", BS_PUSHBUTTON | WS_TABSTOP | WS_VISIBLE, {592, 540, 667, 568}, kAllTabs, IDCANCEL);
  Add(L"BUTTON", "Aplicar", BS_PUSHBUTTON | WS_TABSTOP | WS_VISIBLE, {674, 540, 749, 568}, kAllTabs, IdApply);
  // Under every field it holds, so it never paints over them.
  SetWindowPos(Tabs, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ShowTab(0);
  CaptureOpen(CaptureRate, 8, 1, CaptureBufferBytes);
  ListenToMicrophone();
  SetTimer(Window, 1, 100, nullptr);
}

void Rescale(UINT dpi, const RECT& suggested) {
  Dpi = dpi;
  MakeFont();
  for (const Placed& placed : Controls) Place(placed);
  SetWindowPos(Window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void OnCommand(int id, int code) {
  if (id == IDOK && Apply()) DestroyWindow(Window);
  else if (id == IDCANCEL) DestroyWindow(Window);
  else if (id == IdApply) Apply();
  else if (id == IdUseVolume) UseSuggestion("ACIONADOR", "VOLUME", Suggestion);
  else if (id == IdUseDelay) UseSuggestion("VARREDURA", "DELAY", Figures.suggestedMs);
  else if (id == IdForget) ForgetWords();
  else if (id >= IdFirstField && (code == EN_CHANGE || code == BN_CLICKED || code == CBN_SELCHANGE) && Preview)
    InvalidateRect(Preview, nullptr, TRUE);
}

LRESULT OnColour(HDC dc, HWND control) {
  for (const FieldRow& row : Rows)
    if (row.hint == control && row.refused) SetTextColor(dc, RGB(192, 0, 0));
  SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_NOTIFY:
      if (reinterpret_cast<NMHDR*>(lParam)->code == TCN_SELCHANGE) ShowTab(TabCtrl_GetCurSel(Tabs));
      return 0;
    case WM_TIMER: ListenToMicrophone(); return 0;
    case WM_DRAWITEM: DrawPreview(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case WM_CTLCOLORSTATIC: return OnColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DPICHANGED: Rescale(HIWORD(wParam), *reinterpret_cast<RECT*>(lParam)); return 0;
    case WM_CLOSE: DestroyWindow(window); return 0;
    case WM_DESTROY: CaptureClose(); PostQuitMessage(0); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

bool CreateMainWindow() {
  WNDCLASSW type{};
  type.lpfnWndProc = WindowProc;
  type.hInstance = GetModuleHandleW(nullptr);
  type.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
  type.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  type.hIcon = LoadIconW(type.hInstance, MAKEINTRESOURCEW(1));
  type.lpszClassName = kClass;
  RegisterClassW(&type);
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  Window = CreateWindowExW(WS_EX_CONTROLPARENT, kClass, WideText("Configura\xE7\xF5" "es do Acenora").c_str(), style,
                           CW_USEDEFAULT, CW_USEDEFAULT, kWidth, kHeight, nullptr, nullptr, type.hInstance, nullptr);
  if (!Window) return false;
  Dpi = WindowDpi(Window);
  MakeFont();
  RECT frame{0, 0, Scaled(kWidth), Scaled(kHeight)};
  AdjustWindowRectEx(&frame, style, FALSE, WS_EX_CONTROLPARENT);
  SetWindowPos(Window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER);
  Build();
  return true;
}

// Ctrl+Tab and Ctrl+Shift+Tab go from tab to tab, as in every tabbed dialog.
bool TabKey(const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_TAB || GetKeyState(VK_CONTROL) >= 0) return false;
  StepTab(GetKeyState(VK_SHIFT) < 0 ? -1 : 1);
  return true;
}

}  // namespace

int ConfigMain() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  if (!CreateMainWindow()) return 1;
  ShowWindow(Window, SW_SHOWNORMAL);
  SetFocus(Tabs);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (TabKey(message) || IsDialogMessageW(Window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
