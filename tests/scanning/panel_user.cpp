// The scripted switch user: decides at each tick, from the panel's cells, whether to press.
#include "panel_user.h"

#include "console/ObCrt.h"
#include "support/virtual_seam.h"

#include <gtest/gtest.h>

namespace {
constexpr int Red = 4, Green = 2;
constexpr int PanelRows = 12;

int Background(int column, int row) { return CellAttrs[row * ScreenCols + column] >> 4; }
}  // namespace

int LitOption() {
  if (!CellAttrs) return 0;
  for (int row = 0; row < PanelRows && row < ScreenRows; ++row)
    if (Background(0, row) == Red) return row + 1;
  return 0;
}

int LitKey() {
  if (!CellAttrs) return 0;
  for (int row = 0; row < PanelRows && row < ScreenRows; ++row)
    for (int column = 0; column < ScreenCols; ++column)
      if (Background(column, row) == Green) return column / 4 + 1;
  return 0;
}

bool PanelShown() { return ConsoleWindow && IsWindowVisible(ConsoleWindow); }

std::string PanelRow(int row) {
  if (!CellChars || row < 1 || row > ScreenRows) return {};
  std::string text(reinterpret_cast<const char*>(CellChars) + (row - 1) * ScreenCols, ScreenCols);
  size_t end = text.find_last_not_of(' ');
  return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

UserStep Choose(int option) { return {UserStep::Choose, option}; }
UserStep ChooseKey(int key) { return {UserStep::ChooseKey, key}; }
UserStep PressAfter(int ticks) { return {UserStep::PressAfter, ticks}; }

void PressCtrlNow(int64_t now) { vt::HoldCtrl(now, now + 50); }

PanelUser::PanelUser(std::vector<UserStep> steps, int64_t giveUpAfterMs)
    : steps_(std::move(steps)), giveUpAfterMs_(giveUpAfterMs) {
  vt::OnSleep([this](int64_t now) { Tick(now); });
}

PanelUser::~PanelUser() { vt::OnSleep(nullptr); }

// A lit item counts only when it has just come on, so a press is never left for the last
// poll of an item that is about to go out.
bool PanelUser::Wants(const UserStep& step, int lit, int key, int64_t now) const {
  if (step.kind == UserStep::PressAfter) return ticksSincePress_ >= step.value;
  if (now < lastPressMs_ + 300 || !PanelShown()) return false;
  if (step.kind == UserStep::Choose) return key == 0 && lit == step.value && lastLit_ != lit;
  return key == step.value && lastKey_ != key;
}

void PanelUser::Tick(int64_t now) {
  if (onTick) onTick(now);
  SeenTick seen{now, LitOption(), PanelShown(), {0, 0}, {0, 0, 0, 0}};
  GetCursorPos(&seen.cursor);
  if (ConsoleWindow) GetWindowRect(ConsoleWindow, &seen.panel);
  ticks.push_back(seen);
  ++ticksSincePress_;
  int key = LitKey();
  if (next_ < steps_.size() && Wants(steps_[next_], seen.lit, key, now)) {
    PressCtrlNow(now);
    pressedAt.push_back(now);
    lastPressMs_ = now;
    ticksSincePress_ = 0;
    ++next_;
  }
  lastLit_ = seen.lit;
  lastKey_ = key;
  if (now > giveUpAfterMs_) throw GaveUp{};  // the hook is dropped when the user goes
}

namespace {
// The console window is taken down once every test has run, so the end of the test program
// does not wait for it to be closed.
class ConsoleWindowTakenDown : public ::testing::Environment {
 public:
  void TearDown() override {
    if (WindowOpen) DestroyWindow(ConsoleWindow);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {}
  }
};
const auto* const takenDown = ::testing::AddGlobalTestEnvironment(new ConsoleWindowTakenDown);
}  // namespace
