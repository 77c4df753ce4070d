// Plain-data rules of the playback library (see playback_events.h).
#include "injection/logic/playback_events.h"

namespace playback {
namespace {

constexpr uint32_t kKeyDown = 0x100, kKeyUp = 0x101, kSysKeyDown = 0x104, kSysKeyUp = 0x105;
constexpr uint8_t kShift = 0x10, kControl = 0x11, kMenu = 0x12;

}  // namespace

MouseAction MouseActionFor(uint32_t message) {
  if ((message & 0xFFFF) == 0x20A)
    return static_cast<int16_t>(message >> 16) > 0 ? MouseAction::WheelUp : MouseAction::WheelDown;
  switch (message) {
    case 0x200: return MouseAction::Move;
    case 0x201: return MouseAction::LeftDown;
    case 0x202: return MouseAction::LeftUp;
    case 0x204: return MouseAction::RightDown;
    case 0x205: return MouseAction::RightUp;
    default: return MouseAction::None;
  }
}

bool KeyEventFor(uint32_t message, uint8_t virtualKey, KeyStroke& stroke) {
  if (message == kKeyDown || message == kSysKeyDown) {
    stroke = {virtualKey, false};
    return true;
  }
  if (message == kKeyUp || message == kSysKeyUp) {
    stroke = {virtualKey, true};
    return true;
  }
  return false;
}

// Modifiers go down in the order Ctrl, Shift, Alt and come up in reverse, so the key is
// struck with all of them held.
std::vector<KeyStroke> VirtKeyStrokes(uint8_t virtualKey, bool ctrl, bool shift, bool alt) {
  std::vector<uint8_t> held;
  if (ctrl) held.push_back(kControl);
  if (shift) held.push_back(kShift);
  if (alt) held.push_back(kMenu);
  std::vector<KeyStroke> strokes;
  for (uint8_t m : held) strokes.push_back({m, false});
  strokes.push_back({virtualKey, false});
  strokes.push_back({virtualKey, true});
  for (auto m = held.rbegin(); m != held.rend(); ++m) strokes.push_back({*m, true});
  return strokes;
}

bool IsExtendedKey(uint8_t virtualKey) {
  switch (virtualKey) {
    case 0x21: case 0x22: case 0x23: case 0x24:   // Page Up, Page Down, End, Home
    case 0x25: case 0x26: case 0x27: case 0x28:   // arrows
    case 0x2D: case 0x2E:                          // Insert, Delete
    case 0x5B: case 0x5C: case 0x5D:               // Windows keys, Apps
    case 0x6F: case 0x90:                          // numeric Divide, Num Lock
    case 0xA3: case 0xA5:                          // right Ctrl, right Alt
    case 0xA6: case 0xA7:                          // browser back, forward
      return true;
    default:
      return false;
  }
}

// A pixel p of an extent w maps to the middle of the range the platform sends back to p
// (n * w / 65536 rounded down, or n * (w - 1) / 65535 rounded to nearest); points outside
// the screen are pinned to its edges.
int32_t NormaliseCoordinate(int32_t pixel, int32_t extent) {
  if (extent <= 1) return 0;
  if (pixel < 0) pixel = 0;
  if (pixel > extent - 1) pixel = extent - 1;
  return static_cast<int32_t>((int64_t{2} * pixel + 1) * 65536 / (int64_t{2} * extent));
}

// Measured from the desktop's own corner, which lies left of or above the primary screen's
// when a monitor stands there; the 64-bit difference keeps any 32-bit point in range.
AbsolutePoint NormalisePoint(int32_t x, int32_t y, const Desktop& desktop) {
  auto offset = [](int32_t pixel, int32_t origin, int32_t extent) {
    int64_t from = int64_t{pixel} - origin;
    if (from < 0) from = 0;
    if (from > extent) from = extent;
    return NormaliseCoordinate(static_cast<int32_t>(from), extent);
  };
  return {offset(x, desktop.left, desktop.width), offset(y, desktop.top, desktop.height)};
}

}  // namespace playback
