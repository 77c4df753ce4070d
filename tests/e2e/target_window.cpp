// The test process's stand-in user window (see target_window.h).
#include "target_window.h"

namespace e2e {
namespace {

TargetWindow* RecordOf(HWND window) {
  return reinterpret_cast<TargetWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void OnLeftButton(HWND window, LPARAM lParam) {
  POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  ClientToScreen(window, &p);
  if (TargetWindow* record = RecordOf(window)) record->clicks.push_back(p);
}

void OnMouse(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TargetWindow* record = RecordOf(window);
  if (!record) return;
  if (message == WM_MOUSEWHEEL) record->wheelNotches += GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
  if (message == WM_MOUSEMOVE && (wParam & MK_LBUTTON)) ++record->heldMoves;
  if (message == WM_RBUTTONDOWN || message == WM_RBUTTONUP) ++record->rightButtons;
  if (message != WM_LBUTTONUP) return;
  POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  ClientToScreen(window, &p);
  record->releases.push_back(p);
}

void OnClose(HWND window) {
  if (TargetWindow* record = RecordOf(window)) {
    ++record->closeRequests;
    record->window = nullptr;
  }
  DestroyWindow(window);
}

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN: OnLeftButton(window, lParam); return 0;
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_MOUSEWHEEL:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: OnMouse(window, message, wParam, lParam); return 0;
    case WM_CLOSE: OnClose(window); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

void RegisterOnce() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSA wc{};
  wc.lpfnWndProc = TargetProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = "E2eTargetWindow";
  registered = RegisterClassA(&wc) != 0;
}

}  // namespace

bool OpenTargetWindow(TargetWindow& target, const char* caption, int left, int top,
                      int width, int height) {
  RegisterOnce();
  target = {};
  target.window = CreateWindowExA(0, "E2eTargetWindow", caption, WS_OVERLAPPEDWINDOW, left,
                                  top, width, height, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
  if (!target.window) return false;
  SetWindowLongPtrA(target.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&target));
  ShowWindow(target.window, SW_SHOWNORMAL);
  UpdateWindow(target.window);
  SetForegroundWindow(target.window);
  return true;
}

void DestroyTargetWindow(TargetWindow& target) {
  if (target.window && IsWindow(target.window)) {
    SetWindowLongPtrA(target.window, GWLP_USERDATA, 0);
    DestroyWindow(target.window);
  }
  target.window = nullptr;
}

POINT CentreOf(const TargetWindow& target) {
  RECT client{};
  GetClientRect(target.window, &client);
  POINT p{client.right / 2, client.bottom / 2};
  ClientToScreen(target.window, &p);
  return p;
}

}  // namespace e2e
