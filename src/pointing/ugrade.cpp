// The grid's window. Its colour key leaves everything but the lines and the lit part
// untouched, and the whole is drawn half transparent, so what lies under it shows through;
// the mouse passes through it to the window below.
#include "pointing/ugrade.h"

#include <windows.h>

#include "console/ObCrt.h"

namespace {

constexpr wchar_t kClassName[] = L"AcenoraGrade";
constexpr COLORREF kSeeThrough = RGB(255, 0, 255);
constexpr BYTE kOpacity = 150;
constexpr int kLineAt96 = 3, kMarkAt96 = 16;

HWND Grid = nullptr;
GridRect Area, Region, Lit;
bool Marking = false;
GridPoint Mark;

RECT Local(const GridRect& rect) {
  return {rect.left - Area.left, rect.top - Area.top, rect.right - Area.left, rect.bottom - Area.top};
}

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

// A yellow line with black edges stays clear on light and dark pages alike.
void Line(HDC dc, RECT rect, bool across, int width) {
  if (across) rect.bottom = rect.top + width;
  else rect.right = rect.left + width;
  Fill(dc, rect, RGB(0, 0, 0));
  InflateRect(&rect, across ? 0 : -1, across ? -1 : 0);
  Fill(dc, rect, ConsolePalette[14]);
}

void DrawThirds(HDC dc, int width) {
  const RECT whole = Local(Region);
  for (const RECT& edge : {whole, Local(GridRow(Region, 2)), Local(GridRow(Region, 3))})
    Line(dc, edge, true, width);
  for (const RECT& edge : {whole, Local(GridCell(Region, 1, 2)), Local(GridCell(Region, 1, 3))})
    Line(dc, {edge.left, whole.top, edge.right, whole.bottom}, false, width);
  Line(dc, {whole.left, whole.bottom - width, whole.right, whole.bottom}, true, width);
  Line(dc, {whole.right - width, whole.top, whole.right, whole.bottom}, false, width);
}

void DrawMark(HDC dc, int width, int size) {
  const int x = Mark.x - Area.left, y = Mark.y - Area.top;
  Line(dc, {x - size, y - width / 2, x + size, y + width}, true, width);
  Line(dc, {x - width / 2, y - size, x + width, y + size}, false, width);
}

void Paint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  Fill(dc, client, kSeeThrough);
  const int dpi = static_cast<int>(DpiOf(window));
  const int width = MulDiv(kLineAt96, dpi, 96);
  if (Marking) {
    DrawMark(dc, width, MulDiv(kMarkAt96, dpi, 96));
  } else {
    Fill(dc, Local(Lit), ConsolePalette[4]);
    DrawThirds(dc, width);
  }
  EndPaint(window, &paint);
}

LRESULT CALLBACK GridWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: Paint(window); return 0;
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

bool MakeGridWindow() {
  if (Grid) return true;
  WNDCLASSW type{};
  type.lpfnWndProc = GridWindowProc;
  type.hInstance = GetModuleHandleW(nullptr);
  type.lpszClassName = kClassName;
  RegisterClassW(&type);
  Grid = CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW,
                         kClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, type.hInstance, nullptr);
  if (Grid) SetLayeredWindowAttributes(Grid, kSeeThrough, kOpacity, LWA_COLORKEY | LWA_ALPHA);
  return Grid != nullptr;
}

// Below the panel, which shows the action menu over the mark.
void Show(const GridRect& area) {
  if (!MakeGridWindow()) return;
  const bool moved = !(area == Area) || !IsWindowVisible(Grid);
  Area = area;
  if (moved)
    SetWindowPos(Grid, HWND_TOPMOST, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(Grid, nullptr, FALSE);
  UpdateWindow(Grid);
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM areas) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;
  auto& list = *reinterpret_cast<std::vector<GridRect>*>(areas);
  const GridRect work{info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
  if (info.dwFlags & MONITORINFOF_PRIMARY) list.insert(list.begin(), work);
  else list.push_back(work);
  return TRUE;
}

}  // namespace

std::vector<GridRect> MonitorWorkAreas() {
  std::vector<GridRect> areas;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&areas));
  if (areas.empty()) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    areas.push_back({work.left, work.top, work.right, work.bottom});
  }
  return areas;
}

// Looked up by name: the call is missing before Windows 8.1.
int MonitorDpi(const GridRect& area) {
  using ForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  static const auto forMonitor = reinterpret_cast<ForMonitor>(reinterpret_cast<void (*)()>(
      GetProcAddress(LoadLibraryW(L"shcore.dll"), "GetDpiForMonitor")));
  const POINT centre{(area.left + area.right) / 2, (area.top + area.bottom) / 2};
  UINT x = 0, y = 0;
  if (forMonitor && SUCCEEDED(forMonitor(MonitorFromPoint(centre, MONITOR_DEFAULTTONEAREST), 0, &x, &y)) && y)
    return static_cast<int>(y);
  return static_cast<int>(SystemDpi());
}

void ShowGrid(const GridRect& area, const GridRect& region, const GridRect& lit) {
  Region = region;
  Lit = lit;
  Marking = false;
  Show(area);
}

void ShowGridMark(const GridRect& area, GridPoint at) {
  Mark = at;
  Marking = true;
  Show(area);
}

void HideGrid() {
  if (Grid) ShowWindow(Grid, SW_HIDE);
}
