// The panel's caption: its title or the key just chosen, covered for a while by what the
// person must know: a notice, a window in front that the panel cannot reach, a microphone
// that cannot hear. Every caption of the panel goes through here.
#pragma once
#include <string>
#include <string_view>

#include "scanning/core/logic/panel_notices.h"

extern PanelNotices Notices;  // what the caption is made of

void ShowPanelTitle(std::string_view title);  // the caption when nothing covers it
void ShowKeyToken(std::string_view token);    // the chosen key; only a notice covers it
void ShowNotice(const std::string& text);     // over everything for NoticeMs
bool ForegroundBeyondReach();                 // a window above the panel's integrity level in front, panel without UI access
void RefreshCaption();                        // conditions read again; the caption set when it changes
