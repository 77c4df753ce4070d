// A window's caption as the program meant it: read through the wide call and given back as
// code page 1252, with '?' for a character that code page lacks, so a caption that went out
// in another code page reads wrong whatever the system's ANSI code page is.
#pragma once
#include <windows.h>

#include <string>

#include "console/ObCrt.h"

inline std::string CaptionOf(HWND window) {
  wchar_t wide[256] = {};
  GetWindowTextW(window, wide, 256);
  return NarrowText(wide);
}
