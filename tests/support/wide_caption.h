// A window's caption as the program meant it: read through the wide call and given back as
// code page 1252, with '?' for a character that code page lacks, so a caption that went out
// in another code page reads wrong whatever the system's ANSI code page is.
#pragma once
#include <windows.h>

#include <string>

#include "console/logic/code_page.h"

inline std::string CaptionOf(HWND window) {
  wchar_t wide[256] = {};
  GetWindowTextW(window, wide, 256);
  std::string text;
  for (const wchar_t* unit = wide; *unit; ++unit) {
    const int byte = UnicodeToCp1252(static_cast<uint16_t>(*unit));
    text += byte < 0 ? '?' : static_cast<char>(byte);
  }
  return text;
}
