// The recording test window (see recording_window.h).
#include "recording_window.h"

#include "injection/obkbm32.h"

std::vector<Seen> Received;
HWND Window = nullptr;

bool Held(int key) { return (GetKeyState(key) & 0x8000) != 0; }

static bool Recorded(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP:
    case WM_KEYDOWN: case WM_KEYUP: case WM_SYSKEYDOWN: case WM_SYSKEYUP: case WM_CHAR:
      return true;
    default:
      return false;
  }
}

static LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (Recorded(message)) {
    POINT client{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    Received.push_back({message, wParam, client, Held(VK_SHIFT), Held(VK_CONTROL),
                        Held(VK_MENU)});
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void PumpFor(DWORD ms) {
  DWORD start = GetTickCount();
  MSG msg;
  while (GetTickCount() - start < ms) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(5);
  }
}

// Pumps until the replay has ended (or ten seconds), then lets the last events arrive.
bool PumpUntilReplayEnds() {
  DWORD start = GetTickCount();
  while (PlayIsActive() & 0xFF) {
    if (GetTickCount() - start > 10000) return false;
    PumpFor(10);
  }
  PumpFor(300);
  return true;
}

POINT ScreenPoint(int clientX, int clientY) {
  POINT p{clientX, clientY};
  ClientToScreen(Window, &p);
  return p;
}

std::wstring Typed() {
  std::wstring text;
  for (const Seen& seen : Received)
    if (seen.message == WM_CHAR) text += static_cast<wchar_t>(seen.wParam);
  return text;
}

const Seen* First(UINT message, WPARAM wParam) {
  for (const Seen& seen : Received)
    if (seen.message == message && (wParam == ~WPARAM{0} || seen.wParam == wParam)) return &seen;
  return nullptr;
}

void CreateRecordingWindow(bool doubleClicks) {
  WNDCLASSW wc{};
  wc.style = doubleClicks ? CS_DBLCLKS : 0;
  wc.lpfnWndProc = RecordingProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = L"PlaybackTarget";
  RegisterClassW(&wc);
  Window = CreateWindowExW(0, L"PlaybackTarget", L"Playback target", WS_OVERLAPPEDWINDOW,
                           100, 100, 500, 400, nullptr, nullptr, wc.hInstance, nullptr);
  ShowWindow(Window, SW_SHOW);
  PumpFor(300);
}

void FocusRecordingWindow() {
  SetForegroundWindow(Window);
  SetFocus(Window);
  PumpFor(200);
  Received.clear();
}
