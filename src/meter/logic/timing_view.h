// The meter's reaction-time page: the person's timing, from the panel's records, in words a
// caregiver reads, and the panel's shortcut arguments with another Delay.
#pragma once
#include <string>

#include "meter/logic/level_view.h"
#include "switch/logic/reaction_times.h"

// status: what the last action did, shown on the last row.
void ComposeTimingScreen(const TimingFigures& figures, const std::string& status, MeterScreen& screen);
std::string TimingCaption(const TimingFigures& figures);
// "VOLUME DELAY" with the Delay replaced and the Volume kept; "" when the arguments are not
// the panel's two numbers, which are left alone.
std::string ArgumentsWithDelay(const std::string& arguments, int delayMs);
// What applying says: how many shortcuts took the Delay, and whether the settings file the
// panel reads did (written), or only the user's own did (instead), or none.
std::string AppliedStatus(int delayMs, int shortcuts, bool written, bool instead);
