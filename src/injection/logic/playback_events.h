// Plain-data rules of the playback library: which input a list event stands for and
// absolute mouse coordinates. No window knowledge here.
#pragma once
#include <cstdint>
#include <vector>

namespace playback {

enum class MouseAction { None, Move, LeftDown, LeftUp, RightDown, RightUp, WheelUp, WheelDown };

struct KeyStroke {   // one key going down or up
  uint8_t virtualKey;
  bool up;
  bool operator==(const KeyStroke&) const = default;
};

// WM_MOUSEMOVE, WM_[LR]BUTTON{DOWN,UP}, and WM_MOUSEWHEEL with its turn in the high word as
// the message's own word parameter has it: above 0 away from the user, one notch.
MouseAction MouseActionFor(uint32_t message);
bool KeyEventFor(uint32_t message, uint8_t virtualKey, KeyStroke& stroke);  // key down/up
std::vector<KeyStroke> VirtKeyStrokes(uint8_t virtualKey, bool ctrl, bool shift, bool alt);
bool IsExtendedKey(uint8_t virtualKey);               // navigation keys of the grey block
int32_t NormaliseCoordinate(int32_t pixel, int32_t extent);  // 0..65535 over the extent

struct Desktop {     // the rectangle spanning every monitor, in screen pixels
  int32_t left, top, width, height;
};
struct AbsolutePoint {   // 0..65535 on each axis over the desktop
  int32_t x, y;
  bool operator==(const AbsolutePoint&) const = default;
};
AbsolutePoint NormalisePoint(int32_t x, int32_t y, const Desktop& desktop);

}  // namespace playback
