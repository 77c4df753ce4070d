// The caregiver's settings on this computer: the settings file the panel reads first, written
// whole, and the Volume and Delay in every shortcut of the panel the setup made.
#pragma once
#include <functional>
#include <string>
#include <vector>

struct SettingChange {
  std::string section, key, value;
};

struct SettingsWritten {
  std::wstring path;       // the file written; "" when none could be
  bool instead = false;    // the one the panel reads first could not be written: the user's instead
  std::wstring refused;    // that file
};

// The file the panel reads first (its program's folder, the user's, the Windows folder), or
// the user's when none exists.
std::wstring SettingsFileToWrite();
// Every change written at once, each key in place; into the user's file when that one
// refuses (a folder of every user's programs, a file made read-only).
SettingsWritten WriteSettingChanges(const std::vector<SettingChange>& changes);
// The changes written into that one file, whole; false when it could not be.
bool WriteSettingsFile(const std::wstring& path, const std::vector<SettingChange>& changes);
// "/gravar FILE SECTION KEY VALUE...", as the setup writes its choices: 0 written, 1 not,
// 2 arguments not understood.
int WriteFromCommandLine(int count, wchar_t** arguments);
std::string PanelShortcutArguments();  // of the first panel shortcut found; "" when none is
// Each panel shortcut of the user's and every user's Start menu, desktop and Startup folder
// given the arguments made from its own; those left alone return "". How many took them.
int RewritePanelShortcuts(const std::function<std::string(const std::string&)>& arguments);
