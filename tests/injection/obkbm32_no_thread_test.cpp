// The real playback library when the platform will not give it its replay thread or the
// thread's wake-up event: the library's own imports of those calls are pointed at failing
// stand-ins, and a list must still be replayed whole and end.
#include <gtest/gtest.h>
#include <windows.h>

#include "injection/obkbm32.h"
#include "recording_window.h"

namespace {

int ThreadRequests = 0;

HANDLE WINAPI NoThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE, LPVOID, DWORD,
                       LPDWORD) {
  ++ThreadRequests;
  SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return nullptr;
}

HANDLE WINAPI NoEvent(LPSECURITY_ATTRIBUTES, BOOL, BOOL, LPCWSTR) {
  SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return nullptr;
}

void* Kernel32(const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), name));
}

// Rewrites the library's import slots holding `from` to hold `to`; gives the count changed.
int RedirectImport(void* from, void* to) {
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA("obkbm32.dll"));
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
  DWORD imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
  int changed = 0;
  for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports); d->Name; ++d)
    for (auto* slot = reinterpret_cast<ULONG_PTR*>(base + d->FirstThunk); *slot; ++slot) {
      if (*slot != reinterpret_cast<ULONG_PTR>(from)) continue;
      DWORD old = 0;
      VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old);
      *slot = reinterpret_cast<ULONG_PTR>(to);
      VirtualProtect(slot, sizeof *slot, old, &old);
      ++changed;
    }
  return changed;
}

// A click and a slow key in one list, started; true when it had ended on return.
bool StartClickAndKey(wchar_t key) {
  POINT p = ScreenPoint(150, 120);
  PlayInit(30);
  PlayMouse(WM_LBUTTONDOWN, p.x, p.y, 10);
  PlayMouse(WM_LBUTTONUP, p.x, p.y, 10);
  PlayKey(key, 300);
  PlayStart();
  return !(PlayIsActive() & 0xFF);
}

}  // namespace

TEST(PlaybackWithoutThread, ListsArePlayedBeforeStartReturnsUntilAThreadCanBeHad) {
  CreateRecordingWindow(false);
  void* createThread = Kernel32("CreateThread");
  void* createEvent = Kernel32("CreateEventW");
  ASSERT_EQ(RedirectImport(createEvent, reinterpret_cast<void*>(NoEvent)), 1);
  ASSERT_EQ(RedirectImport(createThread, reinterpret_cast<void*>(NoThread)), 1);

  FocusRecordingWindow();
  EXPECT_TRUE(StartClickAndKey(L'e')) << "still replaying with no wake-up event";
  EXPECT_EQ(ThreadRequests, 0) << "a thread was asked for that could never be woken";
  PumpFor(300);
  EXPECT_TRUE(First(WM_LBUTTONDOWN) && First(WM_LBUTTONUP));
  EXPECT_EQ(Typed(), L"e");

  RedirectImport(reinterpret_cast<void*>(NoEvent), createEvent);
  FocusRecordingWindow();
  EXPECT_TRUE(StartClickAndKey(L't')) << "still replaying with no thread";
  EXPECT_EQ(ThreadRequests, 1);
  PumpFor(300);
  EXPECT_EQ(Typed(), L"t");

  RedirectImport(reinterpret_cast<void*>(NoThread), createThread);
  FocusRecordingWindow();
  EXPECT_FALSE(StartClickAndKey(L'r')) << "the thread is not taken once it can be had";
  ASSERT_TRUE(PumpUntilReplayEnds());
  EXPECT_EQ(Typed(), L"r");
  DestroyWindow(Window);
}
