#include "support/probe_process.h"

namespace {

struct Search {
  DWORD processId;
  const std::string& className;
  const std::function<bool(const std::string&)>& want;
  HWND found = nullptr;
};

BOOL CALLBACK CheckWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  if (owner != search->processId || search->className != className) return TRUE;
  if (!search->want(WindowCaption(window))) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

std::string BesideThisProgram(const std::string& name) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  const std::string here = path;
  return here.substr(0, here.find_last_of("\\/") + 1) + name;
}

std::string WindowCaption(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

ProbeProcess::ProbeProcess(const std::string& exe, const std::string& arguments) {
  std::string command = "\"" + exe + "\" " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  started_ = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &info_);
}

ProbeProcess::~ProbeProcess() {
  if (!started_) return;
  if (Running()) TerminateProcess(info_.hProcess, 99);
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

bool ProbeProcess::Running() const {
  return started_ && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND ProbeProcess::WaitForWindow(const std::string& className,
                                 const std::function<bool(const std::string&)>& want,
                                 int timeoutMs) {
  for (int waited = 0; waited < timeoutMs && Running(); waited += 50) {
    Search search{info_.dwProcessId, className, want};
    EnumWindows(CheckWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    Sleep(50);
  }
  return nullptr;
}

DWORD ProbeProcess::ExitCode(int timeoutMs) {
  DWORD code = STILL_ACTIVE;
  if (started_ && WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0)
    GetExitCodeProcess(info_.hProcess, &code);
  return code;
}
