// What the panel's caption says: its title or the key just chosen, unless something the
// person must know covers it: a notice for a few seconds (a program not found), or a
// condition for as long as it lasts (a window the panel cannot reach, a deaf microphone).
// Knows nothing of windows.
#pragma once
#include <cstdint>
#include <string>

constexpr int64_t NoticeMs = 4000;  // how long a notice stays

extern const char* const AdminWindowNotice;
extern const char* const DeafMicrophoneNotice;

struct PanelNotices {
  std::string base;           // the title, or the key the keyboard just chose
  bool baseIsTitle = true;    // a key's token is not covered by a condition
  std::string notice;         // empty: none
  int64_t noticeUntil = 0;
  bool adminInFront = false;  // the window in front runs as administrator, the panel does not
  bool microphoneDeaf = false;  // the sound switch cannot hear
};

std::string CaptionFor(const PanelNotices& notices, int64_t nowMs);
std::string NotFoundNotice(const std::string& target);  // "not found" and the name
