// Starting the panel as the signed-in user, whatever rights the caller runs with, and
// waiting for its window: a setup run as administrator must not leave the person a panel
// that runs as the administrator, with that account's settings, or none at all.
#pragma once
#include <windows.h>

#include <string>

constexpr int PanelStarted = 0, PanelNotStarted = 1, PanelWithoutWindow = 2;

// program's full path; arguments as its command line takes them. One of the codes above.
int StartPanelAsUser(const std::wstring& program, const std::wstring& arguments);

// The session's running panel: its console window carries this mark.
constexpr wchar_t PanelMark[] = L"Acenora.Painel";
HWND RunningPanel();  // null when none runs
// The running panel closed as its window's close button does, and awaited; the path of its
// program, "" when none ran or it would not end.
std::wstring CloseRunningPanel();
