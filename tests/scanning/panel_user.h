// A switch user on virtual time for the scanning tests: reads what the panel shows lit after
// every tick and gives short Ctrl presses when the wanted option, row or key is lit, or a
// number of ticks after the last press. Everything seen is kept, tick by tick.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

int LitOption();                  // the row lit red at its first cell, 1-based; 0 none
int LitKey();                     // the key lit green on any row, 1-based; 0 none
bool PanelShown();                // the console window is visible
std::string PanelRow(int row);    // the text of a panel row, 1-based, without trailing blanks

struct UserStep {
  enum Kind { Choose, ChooseKey, PressAfter } kind;
  int value;  // the option or row to wait for, the key, or the ticks to wait
};
UserStep Choose(int option);      // when the option (or keyboard row) is first seen lit
UserStep ChooseKey(int key);      // when the key of the chosen row is first seen lit
UserStep PressAfter(int ticks);   // that many ticks after the last press, whatever shows

struct SeenTick {
  int64_t ms;
  int lit;
  bool shown;
  POINT cursor;
  RECT panel;
};

struct GaveUp {};                 // thrown from a tick when the steps cannot be done in time

class PanelUser {
 public:
  explicit PanelUser(std::vector<UserStep> steps, int64_t giveUpAfterMs = 1000000);
  ~PanelUser();
  std::vector<SeenTick> ticks;      // one per tick
  std::vector<int64_t> pressedAt;   // when each press began
  std::function<void(int64_t)> onTick;  // something more the user does at each tick
  bool Done() const { return next_ >= steps_.size(); }

 private:
  void Tick(int64_t now);
  bool Wants(const UserStep& step, int lit, int key, int64_t now) const;
  std::vector<UserStep> steps_;
  int64_t giveUpAfterMs_;
  size_t next_ = 0;
  int64_t lastPressMs_ = -1000;
  int ticksSincePress_ = 0;
  int lastLit_ = 0, lastKey_ = 0;
};

void PressCtrlNow(int64_t now);   // a 50 ms press: seen by the one poll that follows
