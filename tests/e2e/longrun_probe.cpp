// A long unattended run of the real panel: Notepad open, the Ctrl switch held for 80-380 ms
// at random moments for the given minutes, so the panel wanders through every menu, the
// keyboards, clicks, keys and launches. Each minute it prints the panel's handle count and
// what it saw; at the end it checks that the panel still scans and closes with exit code 0.
//   e2e_longrun_probe.exe minutes [seed [folder]]    folder: where acenora.exe is, if not here
// Programs the panel launches are ended each minute (all but the panel, Notepad and the
// platform's own services), so a long run cannot fill the machine.
#include "desktop.h"
#include "scanning/core/uvars.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

using namespace e2e;

namespace {

const char* const Title = "Acenora - v2.0";
constexpr int Dwell = 1000;
constexpr DWORD Minute = 60000;

struct Run {
  std::mt19937 random;
  PROCESS_INFORMATION notepad{};
  std::set<DWORD> keep;                 // processes present at the start
  std::map<std::string, int> entries;   // menu or keyboard name -> times it came up
  std::string lastPlace;
  int menu = 0;                         // the menu on show, 0: none or a keyboard
  int aim = 0;                          // the option the next press waits for, 0: none
  DWORD nextPress = 0, aimUntil = 0;
  int presses = 0, boxes = 0, notepadRestarts = 0;
  DWORD hiddenSince = 0, longestHidden = 0;
};

int Between(Run& run, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(run.random);
}

// The menu or keyboard a panel shape belongs to; the digits keyboard has menu 2's shape
// and is told apart by a lit key.
std::string PlaceOf(Shape shape, bool keyLit) {
  for (int layout = 1; keyLit && layout <= LayoutCount; ++layout)
    if (shape == Shape{KeyboardWidth[layout], KeyboardRows[layout]})
      return "keyboard " + Describe(shape);
  for (int menu = 1; menu <= MenuCount; ++menu)
    if (shape == Shape{MenuWidth[menu], OptionCount[menu]}) return "menu " + std::to_string(menu);
  for (int layout = 1; layout <= LayoutCount; ++layout)
    if (shape == Shape{KeyboardWidth[layout], KeyboardRows[layout]})
      return "keyboard " + Describe(shape);
  // A menu narrower than the smallest window the platform allows is shown wider.
  for (int menu = 1; menu <= MenuCount; ++menu)
    if (shape.rows == OptionCount[menu] && shape.columns > MenuWidth[menu])
      return "menu " + std::to_string(menu);
  return "other " + Describe(shape);
}

void NotePlace(Run& run) {
  DWORD now = GetTickCount();
  if (!PanelVisible()) {
    if (!run.hiddenSince) run.hiddenSince = now;
    if (now - run.hiddenSince > run.longestHidden) run.longestHidden = now - run.hiddenSince;
    return;
  }
  run.hiddenSince = 0;
  std::string place = PlaceOf(PanelShape(), ReadLit().key > 0);
  if (place != run.lastPlace) ++run.entries[place];
  run.lastPlace = place;
  run.menu = place.rfind("menu ", 0) == 0 ? std::atoi(place.c_str() + 5) : 0;
}

bool StartNotepad(Run& run) {
  if (!StartProgram("notepad.exe", run.notepad)) return false;
  run.keep.insert(run.notepad.dwProcessId);
  return WaitUntil([&] { return FindProcessWindow(run.notepad.dwProcessId, "Notepad", nullptr); },
                   20000);
}

bool NotepadRunning(const Run& run) {
  return run.notepad.hProcess && WaitForSingleObject(run.notepad.hProcess, 0) == WAIT_TIMEOUT;
}

template <typename Visit>
void ForEachProcess(Visit visit) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
    visit(entry);
  CloseHandle(snapshot);
}

// The platform starts its own services on demand; those are left alone.
bool PlatformService(const std::string& name) {
  static const std::set<std::string> services{"services.exe", "winedevice.exe", "plugplay.exe",
                                              "rpcss.exe",    "svchost.exe",    "conhost.exe",
                                              "wineboot.exe"};
  return services.count(name) > 0;
}

// Ends what the panel launched since the start (a folder window is a new explorer.exe;
// the desktop's own was there at the start).
std::string EndLaunched(Run& run) {
  std::string ended;
  ForEachProcess([&](const PROCESSENTRY32& p) {
    std::string name = p.szExeFile;
    if (run.keep.count(p.th32ProcessID) || p.th32ProcessID == GetCurrentProcessId()) return;
    if (PlatformService(name)) return;
    if (HANDLE h = OpenProcess(PROCESS_TERMINATE, FALSE, p.th32ProcessID)) {
      TerminateProcess(h, 0);
      CloseHandle(h);
      ended += (ended.empty() ? "" : ",") + name;
    }
  });
  return ended.empty() ? "-" : ended;
}

// A dialog box of the panel's own process would stop its scanning: counted, then closed.
void CloseBoxesOfPanel(Run& run) {
  HWND box = FindProcessWindow(PanelProcessId(), "#32770", nullptr);
  if (!box || !IsWindowVisible(box)) return;
  ++run.boxes;
  std::printf("box in the panel process: '%s'\n", Caption(box).c_str());
  PostMessageA(box, WM_CLOSE, 0, 0);
}

// Handles the process holds, from the system-wide handle table: the platform's per-process
// count is not answered under every version of Wine. -1 when the table cannot be read.
struct HandleEntry {
  ULONG ownerPid;
  BYTE objectType, flags;
  USHORT value;
  PVOID object;
  ULONG access;
};
struct HandleTable {
  ULONG count;
  HandleEntry entries[1];
};
using QuerySystem = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);

long HandlesOf(DWORD processId) {
  auto query = reinterpret_cast<QuerySystem>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
  if (!query) return -1;
  std::vector<char> buffer(1 << 16);
  constexpr ULONG SystemHandleInformation = 16;
  constexpr LONG InfoLengthMismatch = static_cast<LONG>(0xC0000004);
  LONG status;
  ULONG needed = 0;
  while ((status = query(SystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
                         &needed)) == InfoLengthMismatch && buffer.size() < (64u << 20))
    buffer.resize(std::max<size_t>(buffer.size() * 2, needed));
  if (status != 0) return -1;
  const auto* table = reinterpret_cast<const HandleTable*>(buffer.data());
  long count = 0;
  for (ULONG i = 0; i < table->count; ++i)
    if (table->entries[i].ownerPid == processId) ++count;
  return count;
}

void Report(Run& run, int minute) {
  DWORD handles = 0, gdi = 0, user = 0;
  long handleCount = -1;  // -1: the platform could not say
  if (HANDLE p = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, PanelProcessId())) {
    if (GetProcessHandleCount(p, &handles)) handleCount = static_cast<long>(handles);
    gdi = GetGuiResources(p, GR_GDIOBJECTS);
    user = GetGuiResources(p, GR_USEROBJECTS);
    CloseHandle(p);
  }
  if (!NotepadRunning(run)) {
    if (run.notepad.hProcess) EndProgram(run.notepad);
    ++run.notepadRestarts;
    StartNotepad(run);
  }
  std::string ended = EndLaunched(run);
  std::printf("minute=%d presses=%d handles=%ld table_handles=%ld gdi=%lu user=%lu longest_hidden_s=%lu "
              "boxes=%d notepad_restarts=%d ended=%s\n",
              minute, run.presses, handleCount, HandlesOf(PanelProcessId()), gdi, user, run.longestHidden / 1000, run.boxes,
              run.notepadRestarts, ended.c_str());
  std::fflush(stdout);
  run.longestHidden = 0;
}

// Every scan starts at its first option, so short gaps alone would keep choosing the first
// options of the mouse menu: half the gaps are short (they stop moves and repeats soon),
// half reach anywhere in a cycle of the longest menu.
int NextGap(Run& run) {
  return Between(run, 0, 1) ? Between(run, 300, 2000) : Between(run, 2000, 12 * Dwell);
}

bool Reached(DWORD now, DWORD when) { return static_cast<LONG>(now - when) >= 0; }

// Timed presses choose deep options rarely (menu 3's seventh, which leads to the navigation
// menu, was never chosen in an hour), so half the presses due in a menu wait instead for an
// option drawn evenly from it, or for two cycles of the menu at most.
bool PressDue(Run& run, DWORD now) {
  if (run.aim) return ReadLit().row == run.aim || Reached(now, run.aimUntil);
  if (!Reached(now, run.nextPress)) return false;
  if (run.menu && Between(run, 0, 1)) {
    run.aim = Between(run, 1, OptionCount[run.menu]);
    run.aimUntil = now + 2 * OptionCount[run.menu] * Dwell;
    return false;
  }
  return true;
}

// Presses at random for the given minutes, reporting at each full minute.
void PressAtRandom(Run& run, int minutes) {
  DWORD start = GetTickCount();
  run.nextPress = start + NextGap(run);
  int reported = 0;
  while (reported < minutes) {
    DWORD now = GetTickCount();
    if (now - start >= static_cast<DWORD>(reported + 1) * Minute) Report(run, ++reported);
    if (PressDue(run, now)) {
      HoldSwitch(Between(run, 80, 380));
      ++run.presses;
      run.aim = 0;
      run.nextPress = GetTickCount() + NextGap(run);
    }
    NotePlace(run);
    CloseBoxesOfPanel(run);
    PumpFor(40);
  }
}

// Still scanning: the lit option moves by itself. A hidden panel (after "Visualiza", a
// repeating move or key) needs one press to come back; a lit key waits for its row.
bool StillScans() {
  for (int attempt = 0; attempt < 6; ++attempt) {
    PumpFor(1500);
    Lit first = ReadLit();
    if (PanelVisible() && first.row > 0 &&
        WaitUntil([&] { Lit now = ReadLit(); return now.row > 0 && !(now == first); }, 2 * Dwell + 3000)) {
      std::printf("end: scanning, lit %s then %s, caption '%s'\n", Describe(first).c_str(),
                  Describe(ReadLit()).c_str(), Caption(PanelWindow()).c_str());
      return true;
    }
    HoldSwitch(200);
  }
  std::printf("end: not scanning: %s\n", Situation().c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  int minutes = argc > 1 ? std::atoi(argv[1]) : 60;
  unsigned seed = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : GetTickCount();
  Run run;
  run.random.seed(seed);
  if (argc > 3) UseProgramFolder(argv[3]);
  std::printf("seed=%u minutes=%d dwell=%d\n", seed, minutes, Dwell);
  if (!InstallPanelSettings() || !StartNotepad(run)) return 2;
  SetDwell(Dwell);
  if (!StartPanel("250 " + std::to_string(Dwell))) return 3;
  WaitUntil([] { return Caption(PanelWindow()) == Title; }, 3000);
  LearnFrame(SplashColumns, 9);
  ForEachProcess([&](const PROCESSENTRY32& p) { run.keep.insert(p.th32ProcessID); });
  std::printf("panel_pid=%lu\n", PanelProcessId());
  Report(run, 0);

  PressAtRandom(run, minutes);
  for (const auto& [place, times] : run.entries) std::printf("reached %s: %d\n", place.c_str(), times);
  bool scans = StillScans();
  DWORD code = ClosePanel();
  std::printf("end: exit code %lu\n", code);
  EndProgram(run.notepad);
  std::printf("end: ended at the close %s\n", EndLaunched(run).c_str());
  RestorePanelSettings();
  return scans && code == 0 ? 0 : 1;
}
