// The shell's desktop window runs as the signed-in user; what it is asked to start runs with
// that user's rights, as a shortcut does. A caller that is not elevated is that user
// already, and starts the program through the shell itself.
#include "starter/ustarter.h"

#include <windows.h>
#include <exdisp.h>
#include <shldisp.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <shobjidl.h>

#include <set>

namespace {

constexpr DWORD kWindowWaitMs = 15000;
constexpr wchar_t kPanelClass[] = L"ObWinCrt";

bool Elevated() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  const bool elevated = GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) &&
                        elevation.TokenIsElevated;
  CloseHandle(token);
  return elevated;
}

template <typename T>
void Release(T*& object) {
  if (object) object->Release();
  object = nullptr;
}

// From the desktop's shell window to its view's automation object, whose application is the
// shell running as the signed-in user.
IShellDispatch2* DesktopShell() {
  IShellWindows* windows = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_PPV_ARGS(&windows))))
    return nullptr;
  VARIANT none{};
  long window = 0;
  IDispatch* desktop = nullptr;
  IShellBrowser* browser = nullptr;
  IShellView* view = nullptr;
  IDispatch* background = nullptr;
  IShellFolderViewDual* folder = nullptr;
  IDispatch* application = nullptr;
  IShellDispatch2* shell = nullptr;
  if (windows->FindWindowSW(&none, &none, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH, &desktop) == S_OK &&
      SUCCEEDED(IUnknown_QueryService(desktop, SID_STopLevelBrowser, IID_PPV_ARGS(&browser))) &&
      SUCCEEDED(browser->QueryActiveShellView(&view)) &&
      SUCCEEDED(view->GetItemObject(SVGIO_BACKGROUND, IID_PPV_ARGS(&background))) &&
      SUCCEEDED(background->QueryInterface(IID_PPV_ARGS(&folder))) &&
      SUCCEEDED(folder->get_Application(&application)))
    application->QueryInterface(IID_PPV_ARGS(&shell));
  Release(application);
  Release(folder);
  Release(background);
  Release(view);
  Release(browser);
  Release(desktop);
  Release(windows);
  return shell;
}

VARIANT Text(const std::wstring& text) {
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_BSTR;
  value.bstrVal = SysAllocString(text.c_str());
  return value;
}

bool StartThroughDesktop(IShellDispatch2* shell, const std::wstring& program,
                         const std::wstring& arguments, const std::wstring& folder) {
  BSTR file = SysAllocString(program.c_str());
  VARIANT line = Text(arguments), where = Text(folder), verb = Text(L"open"), show;
  VariantInit(&show);
  show.vt = VT_I4;
  show.lVal = SW_SHOWNORMAL;
  const bool started = SUCCEEDED(shell->ShellExecute(file, line, where, verb, show));
  SysFreeString(file);
  for (VARIANT* value : {&line, &where, &verb}) VariantClear(value);
  return started;
}

bool StartThroughShell(const std::wstring& program, const std::wstring& arguments,
                       const std::wstring& folder) {
  SHELLEXECUTEINFOW run{};
  run.cbSize = sizeof run;
  run.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  run.lpFile = program.c_str();
  run.lpParameters = arguments.c_str();
  run.lpDirectory = folder.c_str();
  run.nShow = SW_SHOWNORMAL;
  return ShellExecuteExW(&run);
}

// Elevated without a desktop shell to ask (another shell, none signed in), the program
// starts with the caller's rights: a panel that runs beats none.
bool StartAsUser(const std::wstring& program, const std::wstring& arguments) {
  const std::wstring folder = program.substr(0, program.find_last_of(L'\\'));
  IShellDispatch2* shell = Elevated() ? DesktopShell() : nullptr;
  const bool started = shell ? StartThroughDesktop(shell, program, arguments, folder)
                             : StartThroughShell(program, arguments, folder);
  Release(shell);
  return started;
}

std::wstring ImageOf(DWORD processId) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (!process) return L"";
  wchar_t path[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  if (!QueryFullProcessImageNameW(process, 0, path, &size)) size = 0;
  CloseHandle(process);
  return std::wstring(path, size);
}

// The processes of program that show a panel window now.
std::set<DWORD> PanelsOf(const std::wstring& program) {
  std::set<DWORD> panels;
  for (HWND window = FindWindowExW(nullptr, nullptr, kPanelClass, nullptr); window;
       window = FindWindowExW(nullptr, window, kPanelClass, nullptr)) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (CompareStringOrdinal(ImageOf(processId).c_str(), -1, program.c_str(), -1, TRUE) == CSTR_EQUAL)
      panels.insert(processId);
  }
  return panels;
}

bool NewPanelWithin(const std::wstring& program, const std::set<DWORD>& before, DWORD ms) {
  for (DWORD waited = 0; waited <= ms; waited += 100) {
    for (DWORD panel : PanelsOf(program))
      if (!before.count(panel)) return true;
    Sleep(100);
  }
  return false;
}

}  // namespace

int StartPanelAsUser(const std::wstring& program, const std::wstring& arguments) {
  const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  const std::set<DWORD> before = PanelsOf(program);
  int code = PanelNotStarted;
  // The desktop's shell answers before it tries, so a missing program is told here.
  if (GetFileAttributesW(program.c_str()) != INVALID_FILE_ATTRIBUTES && StartAsUser(program, arguments))
    code = NewPanelWithin(program, before, kWindowWaitMs) ? PanelStarted : PanelWithoutWindow;
  if (com) CoUninitialize();
  return code;
}

namespace {

constexpr DWORD kPanelEndWaitMs = 10000;

BOOL CALLBACK FindMarkedPanel(HWND window, LPARAM found) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (lstrcmpW(name, kPanelClass) != 0 || !GetPropW(window, PanelMark)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

std::wstring ProgramOf(HANDLE process) {
  wchar_t path[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  return QueryFullProcessImageNameW(process, 0, path, &size) ? std::wstring(path, size) : std::wstring();
}

}  // namespace

HWND RunningPanel() {
  HWND found = nullptr;
  EnumWindows(FindMarkedPanel, reinterpret_cast<LPARAM>(&found));
  return found;
}

std::wstring CloseRunningPanel() {
  const HWND panel = RunningPanel();
  DWORD processId = 0;
  if (!panel || !GetWindowThreadProcessId(panel, &processId)) return L"";
  const HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (!process) return L"";
  const std::wstring program = ProgramOf(process);
  PostMessageW(panel, WM_CLOSE, 0, 0);
  const bool ended = WaitForSingleObject(process, kPanelEndWaitMs) == WAIT_OBJECT_0;
  CloseHandle(process);
  return ended ? program : L"";
}
