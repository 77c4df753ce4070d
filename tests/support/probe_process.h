// A program of the build started by a test, watched through its windows, and its end.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

std::string BesideThisProgram(const std::string& name);  // a file in the test's own folder
std::string WindowCaption(HWND window);

class ProbeProcess {
 public:
  ProbeProcess(const std::string& exe, const std::string& arguments);
  ~ProbeProcess();  // a probe still running is ended
  bool Started() const { return started_; }
  DWORD Id() const { return info_.dwProcessId; }
  bool Running() const;
  // A top-level window of the probe of that class whose caption satisfies want, or null
  // once the probe has ended or the time is up.
  HWND WaitForWindow(const std::string& className,
                     const std::function<bool(const std::string&)>& want, int timeoutMs);
  DWORD ExitCode(int timeoutMs);  // STILL_ACTIVE when it has not ended in that time

 private:
  PROCESS_INFORMATION info_{};
  bool started_ = false;
};
