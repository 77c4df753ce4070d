// A recording stand-in for the playback library: every call is kept in order, and a
// replay stays active for a few polls after PlayStart.
#pragma once
#include <functional>
#include <string>
#include <vector>

struct PlayCall {
  std::string name;               // "PlayInit", "PlayMouse", ..., "PlayStart"
  std::vector<unsigned> args;     // the arguments in order
  bool operator==(const PlayCall&) const = default;
};

extern std::vector<PlayCall> PlayCalls;  // every call since ClearPlayCalls
extern int PlayActivePolls;              // PlayIsActive answers true this many times per start
extern std::function<void()> OnPlayStart; // called at every PlayStart, to look at the moment
void ClearPlayCalls();
std::string DescribePlayCalls();         // one line per call, for failure messages
