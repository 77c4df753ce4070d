// The panel's caption and the notices that cover it. Reads the foreground window's process
// for its elevation; what the microphone hears is told from outside.
#include "scanning/core/uavisos.h"

#include <windows.h>

#include "console/ObCrt.h"
#include "seam/seam.h"

PanelNotices Notices;

namespace {

std::string Shown;        // the caption as last set
DWORD CheckedProcess = 0;  // the foreground process last looked at
bool CheckedElevated = false;

bool TokenElevated(HANDLE token) {
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  return GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) &&
         elevation.TokenIsElevated != 0;
}

bool TokenHasUiAccess(HANDLE token) {
  DWORD uiAccess = 0, size = 0;
  return GetTokenInformation(token, TokenUIAccess, &uiAccess, sizeof uiAccess, &size) && uiAccess;
}

// A process whose token cannot even be queried runs above the panel too, as the system's
// own do; the panel cannot reach those either.
bool ProcessElevated(DWORD processId) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (!process) return GetLastError() == ERROR_ACCESS_DENIED;
  HANDLE token = nullptr;
  bool elevated = false;
  if (OpenProcessToken(process, TOKEN_QUERY, &token)) {
    elevated = TokenElevated(token);
    CloseHandle(token);
  } else {
    elevated = GetLastError() == ERROR_ACCESS_DENIED;
  }
  CloseHandle(process);
  return elevated;
}

// Elevated or granted UI access, the panel reaches every window.
bool PanelReachesAll() {
  static const bool reaches = [] {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    const bool all = TokenElevated(token) || TokenHasUiAccess(token);
    CloseHandle(token);
    return all;
  }();
  return reaches;
}

void ShowCaption() {
  const std::string caption = CaptionFor(Notices, SeamNowMs());
  if (caption == Shown) return;
  Shown = caption;
  SetConsoleCaption(caption);
}

}  // namespace

bool ForegroundBeyondReach() {
  DWORD processId = 0;
  GetWindowThreadProcessId(GetForegroundWindow(), &processId);
  if (processId == 0 || processId == GetCurrentProcessId()) return false;
  if (processId != CheckedProcess) {
    CheckedProcess = processId;
    CheckedElevated = !PanelReachesAll() && ProcessElevated(processId);
  }
  return CheckedElevated;
}

void ShowPanelTitle(std::string_view title) {
  Notices.base = title;
  Notices.baseIsTitle = true;
  ShowCaption();
}

void ShowKeyToken(std::string_view token) {
  Notices.base = token;
  Notices.baseIsTitle = false;
  ShowCaption();
}

void ShowNotice(const std::string& text) {
  Notices.notice = text;
  Notices.noticeUntil = SeamNowMs() + NoticeMs;
  ShowCaption();
}

void RefreshCaption() {
  Notices.adminInFront = ForegroundBeyondReach();
  ShowCaption();
}
