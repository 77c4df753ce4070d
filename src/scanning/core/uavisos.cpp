// The panel's caption and the notices that cover it. Reads the foreground window's process
// for its integrity level; what the microphone hears is told from outside.
#include "scanning/core/uavisos.h"

#include <windows.h>

#include "console/ObCrt.h"
#include "seam/seam.h"
#include "speaking/ufalas.h"

PanelNotices Notices;

namespace {

std::string Shown;        // the caption as last set
DWORD CheckedProcess = 0;  // the foreground process last looked at
bool CheckedBeyond = false;

bool TokenHasUiAccess(HANDLE token) {
  DWORD uiAccess = 0, size = 0;
  return GetTokenInformation(token, TokenUIAccess, &uiAccess, sizeof uiAccess, &size) && uiAccess;
}

// The token's mandatory integrity level; 0 when it cannot be read.
DWORD TokenIntegrity(HANDLE token) {
  alignas(TOKEN_MANDATORY_LABEL) BYTE label[64];
  DWORD size = 0;
  if (!GetTokenInformation(token, TokenIntegrityLevel, label, sizeof label, &size)) return 0;
  const PSID sid = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(label)->Label.Sid;
  return *GetSidSubAuthority(sid, *GetSidSubAuthorityCount(sid) - 1u);
}

// Above every level: a process whose token cannot even be queried runs above the panel, as
// the system's own do.
constexpr DWORD kAboveAll = SECURITY_MANDATORY_PROTECTED_PROCESS_RID + 1;

DWORD ProcessIntegrity(DWORD processId) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (!process) return GetLastError() == ERROR_ACCESS_DENIED ? kAboveAll : 0;
  HANDLE token = nullptr;
  DWORD level = 0;
  if (OpenProcessToken(process, TOKEN_QUERY, &token)) {
    level = TokenIntegrity(token);
    CloseHandle(token);
  } else if (GetLastError() == ERROR_ACCESS_DENIED) {
    level = kAboveAll;
  }
  CloseHandle(process);
  return level;
}

// The panel's own reach: every window with UI access, else those at its integrity level or
// below; every window when its own level cannot be read, rather than a notice for each. A program with UI access started by an administrator runs above a panel without
// being elevated, so elevation alone does not tell.
DWORD PanelReach() {
  static const DWORD reach = [] {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return DWORD{0};
    const DWORD level = TokenHasUiAccess(token) ? kAboveAll : TokenIntegrity(token);
    CloseHandle(token);
    return level ? level : kAboveAll;
  }();
  return reach;
}

void ShowCaption() {
  const std::string caption = CaptionFor(Notices, SeamNowMs());
  if (caption == Shown) return;
  Shown = caption;
  SetConsoleCaption(caption);
  if (caption != Notices.base) Say(caption);  // a notice or a condition, not the title or a key
}

}  // namespace

bool ForegroundBeyondReach() {
  DWORD processId = 0;
  GetWindowThreadProcessId(GetForegroundWindow(), &processId);
  if (processId == 0 || processId == GetCurrentProcessId()) return false;
  if (processId != CheckedProcess) {
    CheckedProcess = processId;
    CheckedBeyond = ProcessIntegrity(processId) > PanelReach();
  }
  return CheckedBeyond;
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
