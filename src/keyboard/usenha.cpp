// Password fields as the window in front reports them: a classic edit control by its style;
// a web page's, a credential window's or a modern application's field only through
// accessibility, by UI Automation's IsPassword or the protected state of the focused
// accessible object. Those questions go to the other program and wait on it, so they are
// asked from a thread of their own and given up after a while.
#include "keyboard/usenha.h"

#include <windows.h>
#include <oleacc.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace {

constexpr DWORD kAnswerMs = 500;

// Only the beginnings of the two interfaces, in their platform order, as far as the calls
// used here: older headers lack them.
struct UiaElement : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE SetFocus() = 0;
  virtual HRESULT STDMETHODCALLTYPE GetRuntimeId(SAFEARRAY**) = 0;
  virtual HRESULT STDMETHODCALLTYPE FindFirst(int, IUnknown*, IUnknown**) = 0;
  virtual HRESULT STDMETHODCALLTYPE FindAll(int, IUnknown*, IUnknown**) = 0;
  virtual HRESULT STDMETHODCALLTYPE FindFirstBuildCache(int, IUnknown*, IUnknown*, IUnknown**) = 0;
  virtual HRESULT STDMETHODCALLTYPE FindAllBuildCache(int, IUnknown*, IUnknown*, IUnknown**) = 0;
  virtual HRESULT STDMETHODCALLTYPE BuildUpdatedCache(IUnknown*, IUnknown**) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCurrentPropertyValue(int, VARIANT*) = 0;
};
struct UiaAutomation : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE CompareElements(UiaElement*, UiaElement*, BOOL*) = 0;
  virtual HRESULT STDMETHODCALLTYPE CompareRuntimeIds(SAFEARRAY*, SAFEARRAY*, BOOL*) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetRootElement(UiaElement**) = 0;
  virtual HRESULT STDMETHODCALLTYPE ElementFromHandle(HWND, UiaElement**) = 0;
  virtual HRESULT STDMETHODCALLTYPE ElementFromPoint(POINT, UiaElement**) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetFocusedElement(UiaElement**) = 0;
};
constexpr CLSID kUiaClass = {0xff48dba4, 0x60ef, 0x4201, {0xaa, 0x87, 0x54, 0x10, 0x3e, 0xef, 0x59, 0x4e}};
constexpr IID kUiaInterface = {0x30cbe57d, 0xd9d0, 0x452a, {0xab, 0x13, 0x7a, 0xc5, 0xac, 0x48, 0x25, 0xee}};
constexpr int kIsPasswordProperty = 30019;

HWND FocusInFront() {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  const DWORD thread = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
  return thread && GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

bool PasswordStyle(HWND focus) {
  wchar_t name[64] = {};
  GetClassNameW(focus, name, 64);
  CharLowerW(name);
  return wcsstr(name, L"edit") && (GetWindowLongW(focus, GWL_STYLE) & ES_PASSWORD);
}

bool UiaSaysPassword() {
  UiaAutomation* automation = nullptr;
  if (FAILED(CoCreateInstance(kUiaClass, nullptr, CLSCTX_INPROC_SERVER, kUiaInterface,
                              reinterpret_cast<void**>(&automation))))
    return false;
  UiaElement* element = nullptr;
  VARIANT value;
  VariantInit(&value);
  if (SUCCEEDED(automation->GetFocusedElement(&element)) && element)
    element->GetCurrentPropertyValue(kIsPasswordProperty, &value);
  const bool password = value.vt == VT_BOOL && value.boolVal == VARIANT_TRUE;
  VariantClear(&value);
  if (element) element->Release();
  automation->Release();
  return password;
}

bool Protected(IAccessible* object, VARIANT child) {
  VARIANT state;
  VariantInit(&state);
  const bool is = SUCCEEDED(object->get_accState(child, &state)) && state.vt == VT_I4 &&
                  (state.lVal & STATE_SYSTEM_PROTECTED);
  VariantClear(&state);
  return is;
}

// The focused element is a child of the control's object, an object of its own, or the
// control itself.
bool FocusedProtected(IAccessible* control) {
  VARIANT focused;
  VariantInit(&focused);
  if (FAILED(control->get_accFocus(&focused))) focused.vt = VT_EMPTY;
  bool is = false;
  if (focused.vt == VT_I4) {
    is = Protected(control, focused);
  } else if (focused.vt == VT_DISPATCH && focused.pdispVal) {
    IAccessible* object = nullptr;
    if (SUCCEEDED(focused.pdispVal->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&object)))) {
      VARIANT self{};
      self.vt = VT_I4;
      self.lVal = CHILDID_SELF;
      is = Protected(object, self);
      object->Release();
    }
  } else {
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    is = Protected(control, self);
  }
  VariantClear(&focused);
  return is;
}

bool MsaaSaysPassword(HWND focus) {
  IAccessible* control = nullptr;
  if (FAILED(AccessibleObjectFromWindow(focus, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&control))) || !control)
    return false;
  const bool password = FocusedProtected(control);
  control->Release();
  return password;
}

struct Answer {
  std::mutex lock;
  std::condition_variable given;
  bool done = false, password = false;
};

void AskAccessibility(HWND focus, std::shared_ptr<Answer> answer) {
  const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
  const bool password = UiaSaysPassword() || MsaaSaysPassword(focus);
  if (com) CoUninitialize();
  std::lock_guard<std::mutex> hold(answer->lock);
  answer->done = true;
  answer->password = password;
  answer->given.notify_one();
}

// A program that does not answer keeps the thread; the panel goes on without it, as if
// the field took a password.
bool AccessibilitySaysPassword(HWND focus) {
  auto answer = std::make_shared<Answer>();
  try {
    std::thread(AskAccessibility, focus, answer).detach();
  } catch (const std::system_error&) {
    return true;
  }
  std::unique_lock<std::mutex> wait(answer->lock);
  if (!answer->given.wait_for(wait, std::chrono::milliseconds(kAnswerMs), [&] { return answer->done; }))
    return true;
  return answer->password;
}

}  // namespace

bool PasswordInFront() {
  const HWND focus = FocusInFront();
  if (!focus) return false;
  return PasswordStyle(focus) || AccessibilitySaysPassword(focus);
}
