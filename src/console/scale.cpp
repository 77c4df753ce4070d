// The console at the scale of the monitor its window is on. A configured font's sizes are
// meant at 96 DPI; the stock fixed font comes at the system's own scale. Functions of newer
// systems are looked up, so the program still starts where they are missing.
#include "console/ObCrt.h"
#include "console/logic/console_settings.h"

UINT ConsoleDpi = 96;
void (*ConsoleDpiChanged)() = nullptr;

namespace {

template <typename Function>
Function Newer(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

UINT SystemDpi() {
  HDC dc = GetDC(nullptr);
  const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 0;
  if (dc) ReleaseDC(nullptr, dc);
  return dpi > 0 ? dpi : 96;
}

UINT DpiOf(HWND window) {
  static const auto forWindow = Newer<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
  const UINT dpi = window && forWindow ? forWindow(window) : 0;
  return dpi ? dpi : SystemDpi();
}

UINT WindowDpi() { return DpiOf(ConsoleWindow); }

int ScaledMetric(int index) {
  static const auto forDpi = Newer<int(WINAPI*)(int, UINT)>("GetSystemMetricsForDpi");
  return forDpi ? forDpi(index, ConsoleDpi) : GetSystemMetrics(index);
}

int ScaledPixels(int pixelsAt96) { return MulDiv(pixelsAt96, static_cast<int>(ConsoleDpi), 96); }

HFONT ScaledFont(const ConsoleSettings& settings, UINT dpi) {
  if (settings.fontWanted)
    return CreateFontA(MulDiv(settings.fontHeight, dpi, 96), MulDiv(settings.fontWidth, dpi, 96),
                       0, 0, settings.fontWeight, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, settings.faceName.c_str());
  const UINT system = SystemDpi();
  if (dpi == system) return nullptr;  // the stock font as it is
  LOGFONTA stock{};
  GetObjectA(GetStockObject(SYSTEM_FIXED_FONT), sizeof stock, &stock);
  stock.lfHeight = MulDiv(stock.lfHeight, dpi, system);
  stock.lfWidth = MulDiv(stock.lfWidth, dpi, system);
  return CreateFontIndirectA(&stock);
}
