// Typing a Portuguese sentence into a text editor with the on-screen keyboard and the Ctrl
// switch alone: rows, then keys, chosen as they light up; layouts changed with "Mai",
// "Act" and "Alf"; then "Sel" leaves for the keyboard-choice menu. Corrections follow with
// the switch held as a slow user holds it: Backspace and the left arrow must arrive
// without that Ctrl, which would make them act on whole words.
#include "desktop.h"
#include "panel_settings_environment.h"
#include "switch/logic/reaction_times.h"

#include <oleacc.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>
#include <iterator>
#include <string>

using namespace e2e;

namespace {

constexpr int Dwell = 400;
constexpr Shape MouseMenuShape{16, 11}, LetterKeyboardShape{23, 8}, KeyboardChoiceShape{16, 7},
                FunctionKeyboardShape{19, 7};
const char* const Title = "Acenora - v2.0";

struct Press {                // one key of the on-screen keyboard, as the user picks it
  int row, key;
  const char* token;          // what the panel caption shows once it is chosen
  const wchar_t* textAfter;   // what the editor then holds
  DWORD holdMs = 0;           // how long the switch is held; 0: let go at the hit
};

constexpr DWORD SlowHold = 400;

// "Olá, ação!" from the lower-case layout: capitals for the O, back through the accented
// capitals, and the accented lower-case layout for á, ç and ã.
const Press Sentence[] = {
    {1, 2, "Mai", L""},            {2, 4, "O", L"O"},
    {2, 6, "Act", L"O"},           {1, 2, "Alf", L"O"},
    {4, 4, "l", L"Ol"},            {2, 6, "Act", L"Ol"},
    {2, 1, "\xE1", L"Ol\xE1"},           {1, 2, "Alf", L"Ol\xE1"},
    {7, 3, ",", L"Ol\xE1,"},          {3, 1, "Spc", L"Ol\xE1, "},
    {2, 1, "a", L"Ol\xE1, a"},        {2, 6, "Act", L"Ol\xE1, a"},
    {1, 3, "\xE7", L"Ol\xE1, a\xE7"},       {2, 2, "\xE3", L"Ol\xE1, a\xE7\xE3"},
    {1, 2, "Alf", L"Ol\xE1, a\xE7\xE3"},    {2, 4, "o", L"Ol\xE1, a\xE7\xE3o"},
    {8, 4, "!", L"Ol\xE1, a\xE7\xE3o!"},
};

// One character rubbed out, then a capital I with an acute from the accented capitals.
const Press Correction[] = {
    {8, 1, "Bsp", L"Ol\xE1, a\xE7\xE3o", SlowHold}, {1, 2, "Mai", L"Ol\xE1, a\xE7\xE3o"},
    {2, 6, "Act", L"Ol\xE1, a\xE7\xE3o"},           {4, 1, "\xCD", L"Ol\xE1, a\xE7\xE3o\xCD"},
};

// From the function keys: one step left, back to the letters, and an s before the I with acute.
const Press Insertion[] = {
    {3, 1, "Esq", L"Ol\xE1, a\xE7\xE3o\xCD", SlowHold}, {1, 2, "Alf", L"Ol\xE1, a\xE7\xE3o\xCD"},
    {5, 4, "s", L"Ol\xE1, a\xE7\xE3os\xCD"},
};

// The panel's own Ctrl goes out with each key of a latched repeat (Ctrl+Right at the text's
// end, from the function keys) and with a latched letter (Ctrl+A, which selects all).
const Press CtrlLatchedRepeat[] = {{1, 5, "Ctl", L"Ol\xE1, a\xE7\xE3o\xCD"},
                                   {5, 1, "Rpt", L"Ol\xE1, a\xE7\xE3o\xCD"},
                                   {3, 2, "Dir", L"Ol\xE1, a\xE7\xE3o\xCD"}};
const Press CtrlUnlatched[] = {{1, 5, "Ctl", L"Ol\xE1, a\xE7\xE3o\xCD"}};  // a named key keeps it
const Press CtrlLatchedLetter[] = {{1, 6, "Ctl", L"Ol\xE1, a\xE7\xE3os\xCD"},
                                   {2, 1, "a", L"Ol\xE1, a\xE7\xE3os\xCD"}};

bool WaitForShape(Shape shape, DWORD ms = 15000) {
  return WaitUntil([&] { return PanelVisible() && PanelShape() == shape; }, ms);
}

std::wstring EditorText(HWND edit) {
  wchar_t text[256] = {};
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(edit, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                      2000, &ignored);
  return text;
}

std::string Narrow(const std::wstring& text) {  // for failure messages only
  std::string out;
  for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
  return out;
}

class TypingIntoNotepad : public ::testing::Test {
 protected:
  void SetUp() override {
    SetDwell(Dwell);
    ASSERT_TRUE(StartProgram("notepad.exe", notepad)) << "notepad did not start";
    ASSERT_TRUE(WaitUntil([&] {
      editor = FindProcessWindow(notepad.dwProcessId, "Notepad", nullptr);
      edit = editor ? FindWindowExA(editor, nullptr, "Edit", nullptr) : nullptr;
      return edit != nullptr;
    }, 20000)) << "no notepad window with its Edit child";

    ASSERT_TRUE(StartPanel("250 " + std::to_string(Dwell)));
    ASSERT_TRUE(WaitUntil([] { return Caption(PanelWindow()) == Title; }, 5000));
    LearnFrame(30, 9);
    ASSERT_TRUE(WaitForShape(MouseMenuShape, 20000)) << Situation();
    ASSERT_TRUE(Focus(editor)) << Situation();
  }
  void TearDown() override {
    ClosePanel();
    EndProgram(notepad);
  }

  void TypeKeys(const Press* first, const Press* last) {
    for (const Press* press = first; press != last; ++press) {
      ASSERT_TRUE(ChooseKey(press->row, press->key, press->token, press->holdMs))
          << "key '" << press->token << "' (row " << press->row << ", key " << press->key
          << ") not chosen: " << Situation();
      EXPECT_TRUE(WaitUntil([&] { return EditorText(edit) == press->textAfter; }, 3000))
          << "after '" << press->token << "' the editor holds '" << Narrow(EditorText(edit))
          << "': " << Situation();
    }
  }
  void LeaveWithSel() {
    ASSERT_TRUE(ChooseKey(1, 1, "Sel")) << Situation();
    EXPECT_TRUE(WaitForShape(KeyboardChoiceShape)) << "\"Sel\" did not open menu 7: "
                                                   << Situation();
    EXPECT_TRUE(WaitUntil([] { return Caption(PanelWindow()) == Title; }, 5000)) << Situation();
  }

  PROCESS_INFORMATION notepad{};
  HWND editor = nullptr, edit = nullptr;
};

TEST_F(TypingIntoNotepad, DigitaThenKeysTypeASentenceCorrectItWithCtrlHeldAndSelLeaves) {
  ASSERT_TRUE(ChooseOption(9)) << Situation();  // "Digita"
  ASSERT_TRUE(WaitForShape(LetterKeyboardShape)) << Situation();
  EXPECT_TRUE(WaitUntil([] { return ReadLit() == Lit{1, 0}; }, 5000))
      << "the first row is not lit first: " << Situation();

  TypeKeys(std::begin(Sentence), std::end(Sentence));
  EXPECT_EQ(EditorText(edit), L"Ol\xE1, a\xE7\xE3o!");
  TypeKeys(std::begin(Correction), std::end(Correction));
  LeaveWithSel();
  EXPECT_EQ(EditorText(edit), L"Ol\xE1, a\xE7\xE3o\xCD") << "\"Sel\" typed something";

  ASSERT_TRUE(ChooseOption(2)) << Situation();  // "Funcao"
  ASSERT_TRUE(WaitForShape(FunctionKeyboardShape)) << Situation();
  // Nobody presses: the repeat goes on, and after the letter the rows scan on, for two dwells.
  TypeKeys(std::begin(CtrlLatchedRepeat), std::end(CtrlLatchedRepeat));
  EXPECT_FALSE(WaitUntil([] { return !(ReadLit() == Lit{3, 2}); }, 2 * Dwell + 300))
      << "the panel's own Ctrl stopped the repeat: " << Situation();
  HoldSwitch(200);
  EXPECT_TRUE(WaitUntil([] { return ReadLit().key == 0; }, 3000)) << Situation();
  TypeKeys(std::begin(CtrlUnlatched), std::end(CtrlUnlatched));
  TypeKeys(std::begin(Insertion), std::end(Insertion));
  TypeKeys(std::begin(CtrlLatchedLetter), std::end(CtrlLatchedLetter));
  ASSERT_TRUE(WaitUntil([] { return ReadLit().key == 0; }, 3000)) << Situation();
  EXPECT_FALSE(WaitUntil([] { return ReadLit().key != 0; }, 2 * Dwell + 300))
      << "the panel's own Ctrl chose a row: " << Situation();
  LeaveWithSel();
  EXPECT_EQ(EditorText(edit), L"Ol\xE1, a\xE7\xE3os\xCD");
}

// A switch interface that sends Space: its presses choose and type nothing; the keyboard's
// own "Spc" still types a space. With the panel's thread held in a wait that dispatches
// nothing (suspended here), a press still never reaches Notepad, and the next one chooses.
class SpaceBarAsTheSwitch : public TypingIntoNotepad {
 protected:
  void SetUp() override {
    ASSERT_TRUE(AddToPanelSettings("[ACIONADOR]\r\nTECLA=espa\xE7o\r\n"));
    UseSwitchKey(VK_SPACE);
    TypingIntoNotepad::SetUp();
  }
  void TearDown() override {
    TypingIntoNotepad::TearDown();
    UseSwitchKey(VK_CONTROL);
    InstallPanelSettings();
  }
};

TEST_F(SpaceBarAsTheSwitch, ItsPressesChooseAndTypeNothingWhileTheKeyboardsSpcTypesASpace) {
  ASSERT_TRUE(ChooseOption(9)) << Situation();  // "Digita"
  ASSERT_TRUE(WaitForShape(LetterKeyboardShape)) << Situation();
  ASSERT_TRUE(ChooseKey(3, 1, "Spc")) << Situation();
  EXPECT_TRUE(WaitUntil([&] { return EditorText(edit) == L" "; }, 3000)) << Narrow(EditorText(edit));
  HANDLE panel = OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(PanelWindow(), nullptr));
  ASSERT_NE(panel, nullptr);
  SuspendThread(panel);
  HoldSwitch(60);
  PumpFor(1000);
  ResumeThread(panel);
  CloseHandle(panel);
  ASSERT_TRUE(ChooseKey(3, 1, "Spc")) << "the next press after it: " << Situation();
  EXPECT_TRUE(WaitUntil([&] { return EditorText(edit) == L"  "; }, 3000))
      << "a switch press reached Notepad: '" << Narrow(EditorText(edit)) << "'";
  PumpFor(500);
  EXPECT_EQ(EditorText(edit), L"  ");
}

// Words offered above the frequency layout: "v" offers "voc\xEA" first; the question mark
// typed next takes the place of the space the choice added, and "\xE1" lies in the same
// layout. The word chosen is counted in the person's own words, and every choice's
// reaction time in the panel's records, none of them what was typed.
class TypingWithSuggestions : public TypingIntoNotepad {
 protected:
  void SetUp() override {
    DeleteFileA(OwnWords().c_str());
    ASSERT_TRUE(AddToPanelSettings("[TECLADO]\r\nSUGESTOES=5\r\nDISPOSICAO=FREQUENCIA\r\n"));
    TypingIntoNotepad::SetUp();
  }
  void TearDown() override {
    TypingIntoNotepad::TearDown();
    InstallPanelSettings();
    DeleteFileA(OwnWords().c_str());
  }
  static std::string OwnWords() { return std::string(getenv("APPDATA")) + "\\Acenora\\palavras.txt"; }
  static std::string Times() { return FileText(std::string(getenv("APPDATA")) + "\\Acenora\\tempos.csv"); }
};

const Press WordChosen[] = {
    {2, 6, "v", L"v"}, {1, 1, "voc\xEA", L"voc\xEA "}, {8, 4, "?", L"voc\xEA?"}, {6, 4, "\xE1", L"voc\xEA?\xE1"}};

TEST_F(TypingWithSuggestions, ABeginningAndAChosenWordTypeTheWholeWordAndItsAccentsNeedNoOtherLayout) {
  ASSERT_TRUE(ChooseOption(9)) << Situation();  // "Digita"
  ASSERT_TRUE(WaitForShape({23, 9})) << "no line for the words above the 8 rows: " << Situation();
  EXPECT_TRUE(WaitUntil([] { return ReadLit() == Lit{2, 0}; }, 5000))
      << "the empty line of words is lit: " << Situation();
  const size_t before = RecordsFromText(Times()).size();
  TypeKeys(std::begin(WordChosen), std::end(WordChosen));
  EXPECT_EQ(ClosePanel(), 0u) << "the panel keeps its files at its end";
  EXPECT_EQ(FileText(OwnWords()), "voc\xEA 1\r\n");
  const std::vector<ChoiceRecord> times = RecordsFromText(Times());
  ASSERT_GE(times.size(), std::min<size_t>(before + 2 * std::size(WordChosen), KeptRecords));
  for (auto r = times.end() - 2 * std::size(WordChosen); r != times.end(); ++r)
    EXPECT_TRUE(r->reactionMs < Dwell && r->delayMs == Dwell && r->by == PressedBy::Ctrl) << r->reactionMs;
  EXPECT_EQ(Times().find("voc"), std::string::npos);
}

// A field that says it takes a password only through accessibility, as a web page's does:
// its window's accessible object has the focus and reports itself protected. Its own thread
// answers, whatever the test's thread is doing.
struct ProtectedField : IAccessible {
  std::atomic<int> statesAsked{0};
  HWND window = nullptr;
  std::thread loop;

  ProtectedField() {
    HANDLE made = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    loop = std::thread([this, made] {
      WNDCLASSA type{0, Proc, 0, 0, GetModuleHandleA(nullptr), nullptr, nullptr, nullptr, nullptr, "SenhaDaPagina"};
      RegisterClassA(&type);
      window = CreateWindowA("SenhaDaPagina", "Entrar", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200,
                             nullptr, nullptr, nullptr, nullptr);
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
      SetEvent(made);
      MSG message;
      while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    });
    WaitForSingleObject(made, 5000);
    CloseHandle(made);
  }
  ~ProtectedField() {
    PostMessageA(window, WM_CLOSE, 0, 0);
    loop.join();
  }
  static LRESULT CALLBACK Proc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* field = reinterpret_cast<ProtectedField*>(GetWindowLongPtrA(w, GWLP_USERDATA));
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT && field)
      return LresultFromObject(__uuidof(IAccessible), wParam, field);
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(w, message, wParam, lParam);
  }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
    *out = id == IID_IUnknown || id == IID_IDispatch || id == __uuidof(IAccessible) ? this : nullptr;
    return *out ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives as long as the test
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focused) override {
    focused->vt = VT_I4;
    focused->lVal = CHILDID_SELF;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT, VARIANT* state) override {
    ++statesAsked;
    state->vt = VT_I4;
    state->lVal = STATE_SYSTEM_PROTECTED | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_FOCUSABLE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT, VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR*, VARIANT, long*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE accLocation(long*, long*, long*, long*, VARIANT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE accNavigate(long, VARIANT, VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE accHitTest(long, long, VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }
};

const Press Va[] = {{2, 6, "v", L"v"}, {2, 2, "a", L"va"}, {2, 1, "Spc", L"va "}};

// "va" typed into the password field is neither offered words nor learned; typed into the
// editor it is learned. The session then ends (a logoff) and the process is ended without
// its end handlers, as the system may do: the word and the choices are on disk all the same.
TEST_F(TypingWithSuggestions, APasswordFieldLearnsAndOffersNothingAndALogoffLosesNoWordOrChoice) {
  ProtectedField field;
  ASSERT_TRUE(Focus(field.window)) << Situation();
  ASSERT_TRUE(ChooseOption(9)) << Situation();  // "Digita"
  ASSERT_TRUE(WaitForShape({23, 9})) << Situation();
  const size_t before = RecordsFromText(Times()).size();
  ASSERT_TRUE(ChooseKey(2, 6, "v")) << Situation();
  EXPECT_FALSE(WaitUntil([] { return ReadLit().row == 1; }, 12 * Dwell))
      << "words offered in a password field: " << Situation();
  for (const Press& press : {Va[1], Va[2]}) ASSERT_TRUE(ChooseKey(press.row, press.key, press.token)) << Situation();
  EXPECT_GT(field.statesAsked, 0) << "the field's accessible state was never asked";

  PumpFor(1000);  // the caption shows the key before its replay ends
  ASSERT_TRUE(Focus(editor)) << Situation();
  TypeKeys(std::begin(Va), std::end(Va));
  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutA(PanelWindow(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000, &answer));
  EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE)) << "the panel held the logoff up";
  SendMessageTimeoutA(PanelWindow(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000, &answer);
  HANDLE panel = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, PanelProcessId());
  TerminateProcess(panel, 1);
  WaitForSingleObject(panel, 5000);
  CloseHandle(panel);
  EXPECT_EQ(FileText(OwnWords()), "va 1\r\n");
  EXPECT_GE(RecordsFromText(Times()).size(), std::min<size_t>(before + 1 + 4 * std::size(Va), KeptRecords));
}

// Forty choices, each pressed 300 ms after its row or key lit (none the first of a pass):
// the meter's reaction-time page reads them back and suggests a Delay a little over that,
// and its "A" puts it in the panel's shortcut, the Volume kept.
class MeasuredPace : public TypingIntoNotepad {
 protected:
  void SetUp() override {
    DeleteFileA(TimesFile().c_str());  // before the panel reads it
    TypingIntoNotepad::SetUp();
  }
  static std::string TimesFile() { return std::string(getenv("APPDATA")) + "\\Acenora\\tempos.csv"; }
  static bool ChooseAtPace(Lit item) {
    if (!WaitForLitStart(item, 20000)) return false;
    PumpFor(300);
    HoldSwitch(100);
    return true;
  }
};

TEST_F(MeasuredPace, FortyChoicesGiveTheMeterTheirTimesAndADelayForTheShortcut) {
  ASSERT_TRUE(ChooseOption(9)) << Situation();  // "Digita"
  ASSERT_TRUE(WaitForShape(LetterKeyboardShape)) << Situation();
  for (int pick = 0; pick < 20; ++pick) {
    const int row = 3 + pick % 3, key = 2 + pick % 4;  // letters only
    ASSERT_TRUE(ChooseAtPace({row, 0}) && ChooseAtPace({row, key})) << pick << ": " << Situation();
  }
  ClosePanel();
  const std::vector<ChoiceRecord> records = RecordsFromText(FileText(TimesFile()));
  ASSERT_GE(records.size(), 41u) << "the option and 40 rows and keys";
  const TimingFigures figures = FiguresOf(records);
  EXPECT_GE(figures.medianMs, 300);
  EXPECT_LE(figures.medianMs, 420) << "pressed 300 ms after the item lit";

  ShortcutArguments(PanelShortcut(), L"250 400");
  PROCESS_INFORMATION meter{};
  char folder[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, folder, MAX_PATH);
  *strrchr(folder, '\\') = 0;
  ASSERT_TRUE(StartProgram("\"" + std::string(folder) + "\\acenora-nivel.exe\" /tempo", meter));
  HWND page = nullptr;
  const std::string suggested = "Delay sugerido: " + std::to_string(figures.suggestedMs) + " ms";
  EXPECT_TRUE(WaitUntil([&] {
    page = FindProcessWindow(meter.dwProcessId, "ObWinCrt", nullptr);
    return page && Caption(page) == "Tempo de rea\xE7\xE3o - " + suggested;
  }, 20000)) << (page ? Caption(page) : "no meter window");
  EXPECT_GE(figures.suggestedMs, 400);
  EXPECT_LE(figures.suggestedMs, 600);
  PostMessageA(page, WM_CHAR, 'a', 0);
  const std::wstring applied = L"250 " + std::to_wstring(figures.suggestedMs);
  EXPECT_TRUE(WaitUntil([&] { return ShortcutArguments(PanelShortcut()) == applied; }, 5000));
  EndProgram(meter);
  DeleteFileW(PanelShortcut().c_str());
}

}  // namespace
