// The inputs that are the switch beside the sound: a key, a mouse button, a game controller's
// button. Knows nothing of the platform but the numbers of its keys.
#pragma once
#include <cstdint>

enum class MouseSwitch { None, Left, Right, Middle, X1, X2 };
constexpr int NoKey = 0, CtrlKey = 0x11;
constexpr int NoPadButton = 0, AnyPadButton = -1;

struct SwitchInputs {
  int key = CtrlKey;  // a virtual-key code, or NoKey
  MouseSwitch mouse = MouseSwitch::None;
  int padButton = NoPadButton;  // 1..32, or AnyPadButton
  bool operator==(const SwitchInputs&) const = default;
};

// A controller's buttons, bit n-1 for button n: is the switch's button down?
bool PadSwitchDown(uint32_t buttons, int padButton);
