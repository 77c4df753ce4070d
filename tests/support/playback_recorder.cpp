// Recording stand-in for the playback library: each export appends itself to PlayCalls,
// and a started replay stays active for PlayActivePolls polls.
#include "support/playback_recorder.h"

#include <windows.h>

#include "injection/obkbm32.h"

std::vector<PlayCall> PlayCalls;
int PlayActivePolls = 3;
std::function<void()> OnPlayStart;

namespace {
int PollsLeft = 0;

UINT Record(const char* name, std::vector<unsigned> args) {
  PlayCalls.push_back({name, std::move(args)});
  return 1;
}
}  // namespace

void ClearPlayCalls() {
  PlayCalls.clear();
  OnPlayStart = nullptr;
  PollsLeft = 0;
}

std::string DescribePlayCalls() {
  std::string text;
  for (const PlayCall& call : PlayCalls) {
    text += call.name + "(";
    for (size_t i = 0; i < call.args.size(); ++i)
      text += (i ? ", " : "") + std::to_string(call.args[i]);
    text += ")\n";
  }
  return text;
}

extern "C" {
UINT WINAPI PlayInit(UINT count) { return Record("PlayInit", {count}); }
UINT WINAPI PlayMouse(UINT message, UINT x, UINT y, UINT delayMs) {
  return Record("PlayMouse", {message, x, y, delayMs});
}
UINT WINAPI PlayInsertKeyEvent(UINT message, UINT virtualKey, UINT delayMs) {
  return Record("PlayInsertKeyEvent", {message, virtualKey, delayMs});
}
UINT WINAPI PlayKey(UINT character, UINT delayMs) { return Record("PlayKey", {character, delayMs}); }
UINT WINAPI PlayVirtKey(UINT virtualKey, UINT ctrl, UINT shift, UINT alt, UINT delayMs) {
  return Record("PlayVirtKey", {virtualKey, ctrl, shift, alt, delayMs});
}
UINT WINAPI PlayStart() {
  PollsLeft = PlayActivePolls;
  if (OnPlayStart) OnPlayStart();
  return Record("PlayStart", {});
}
// The wait between two polls: the polls are what the tests count.
UINT WINAPI PlayWaitEnd(UINT) { return PollsLeft <= 0 ? 1 : 0; }
UINT WINAPI PlayIsActive() {
  Record("PlayIsActive", {});
  if (PollsLeft <= 0) return 0;
  --PollsLeft;
  return 1;
}
}
