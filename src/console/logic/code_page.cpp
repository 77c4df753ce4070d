#include "console/logic/code_page.h"

namespace {

// 0x80..0x9F are the only bytes of code page 1252 that differ from Latin-1; the five
// holes of the code page keep their own value, as the platform's conversion does.
constexpr uint16_t HighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

uint16_t Cp1252ToUnicode(uint8_t character) {
  if (character >= 0x80 && character <= 0x9F) return HighControls[character - 0x80];
  return character;
}

int UnicodeToCp1252(uint16_t unit) {
  for (int i = 0; i < 32; ++i)
    if (HighControls[i] == unit) return 0x80 + i;
  if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return unit;
  return -1;
}
