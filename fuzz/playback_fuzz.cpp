// The playback library's event rules on arbitrary events: every message maps to at most one
// action, key strokes always come up in the reverse order they went down, code page 1252
// bytes map one to one, and mouse points land on the pixel they came from, on any monitor.
#include <set>
#include <vector>

#include "fuzz_input.h"
#include "console/logic/code_page.h"
#include "injection/logic/playback_events.h"

using namespace playback;

namespace {

void Message(FuzzInput& in) {
  uint32_t message = in.Flag() ? in.Long() : 0x100 + in.Byte() % 0x110;
  uint8_t key = in.Byte();
  KeyStroke stroke{};
  bool isKey = KeyEventFor(message, key, stroke);
  if (isKey) FUZZ_CHECK(stroke.virtualKey == key && MouseActionFor(message) == MouseAction::None);
  IsExtendedKey(key);
}

// Every key goes down once and up once, nested: the last one down is the first one up.
void Strokes(FuzzInput& in) {
  bool ctrl = in.Flag(), shift = in.Flag(), alt = in.Flag();
  std::vector<KeyStroke> strokes = VirtKeyStrokes(in.Byte(), ctrl, shift, alt);
  FUZZ_CHECK(strokes.size() == 2u + 2u * (ctrl + shift + alt));
  std::vector<uint8_t> held;
  for (const KeyStroke& s : strokes) {
    if (!s.up) {
      held.push_back(s.virtualKey);
      continue;
    }
    FUZZ_CHECK(!held.empty() && held.back() == s.virtualKey);
    held.pop_back();
  }
  FUZZ_CHECK(held.empty());
}

// The platform reads a normalised n back as n * extent / 65536, rounded down.
void Coordinate(FuzzInput& in) {
  int32_t extent = in.Flag() ? in.Int() : static_cast<int32_t>(in.InRange(2, 32768));
  int32_t pixel = in.Flag() ? in.Int() : static_cast<int32_t>(in.InRange(-10, 32800));
  int32_t n = NormaliseCoordinate(pixel, extent);
  FUZZ_CHECK(n >= 0 && n <= 65535);
  if (extent < 2 || extent > 32768) return;
  int32_t pinned = pixel < 0 ? 0 : pixel >= extent ? extent - 1 : pixel;
  FUZZ_CHECK(int64_t{n} * extent / 65536 == pinned);
  if (pinned + 1 < extent) FUZZ_CHECK(NormaliseCoordinate(pinned + 1, extent) > n);
}

// A point on a desktop of several monitors: measured from the desktop's corner, which may
// lie left of or above the primary screen's.
void Point(FuzzInput& in) {
  bool any = in.Flag();
  playback::Desktop desktop{};
  desktop.left = any ? in.Int() : static_cast<int32_t>(in.InRange(-8000, 8000));
  desktop.top = any ? in.Int() : static_cast<int32_t>(in.InRange(-8000, 8000));
  desktop.width = any ? in.Int() : static_cast<int32_t>(in.InRange(2, 32768));
  desktop.height = any ? in.Int() : static_cast<int32_t>(in.InRange(2, 32768));
  int32_t x = in.Int(), y = in.Int();
  AbsolutePoint point = NormalisePoint(x, y, desktop);
  FUZZ_CHECK(point.x >= 0 && point.x <= 65535 && point.y >= 0 && point.y <= 65535);
  if (any) return;
  int64_t col = int64_t{x} - desktop.left, row = int64_t{y} - desktop.top;
  if (col >= 0 && col < desktop.width) FUZZ_CHECK(int64_t{point.x} * desktop.width / 65536 == col);
  if (row >= 0 && row < desktop.height) FUZZ_CHECK(int64_t{point.y} * desktop.height / 65536 == row);
}

bool CodePageIsOneToOne() {
  std::set<uint16_t> seen;
  for (int byte = 0; byte < 256; ++byte) {
    uint16_t code = Cp1252ToUnicode(static_cast<uint8_t>(byte));
    if (!seen.insert(code).second || UnicodeToCp1252(code) != byte) return false;
    if ((byte < 0x80 || byte > 0x9F) && code != byte) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool oneToOne = CodePageIsOneToOne();
  FUZZ_CHECK(oneToOne);
  FuzzInput in(data, size);
  while (!in.Empty()) {
    switch (in.Byte() % 4) {
      case 0: Message(in); break;
      case 1: Strokes(in); break;
      case 2: Point(in); break;
      default: Coordinate(in);
    }
  }
  return 0;
}
