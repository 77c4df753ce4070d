// The panel's sizes, option lines and key rows for any menu, layout and frame: every text
// fits the panel it is drawn on and the panel keeps to the work area's right edge.
#include <cstring>
#include <string>

#include "fuzz_input.h"
#include "scanning/core/logic/panel_size.h"
#include "scanning/core/uopcoes.h"
#include "scanning/core/uvars.h"

namespace {

void Sizes(FuzzInput& in) {
  bool splash = in.Flag(), arguments = in.Flag();
  int menu = in.Flag() ? in.Int() : in.Byte() % 10 - 1;
  int layout = in.Flag() ? in.Int() : in.Byte() % 9 - 1;
  PanelCells cells = PanelCellsFor(splash, arguments, menu, layout);
  FUZZ_CHECK(cells.columns > 0 && cells.columns <= 30 && cells.rows > 0 && cells.rows <= 12);
  if (!splash && menu == 0 && layout >= 1 && layout <= LayoutCount)
    FUZZ_CHECK(cells.rows == KeyboardRows[layout]);

  // Pixel sizes as the platform reports them: 16-bit cells and frames, a screen's work area.
  PanelFrame frame{static_cast<int>(in.InRange(0, 400)), static_cast<int>(in.InRange(0, 400)),
                   static_cast<int>(in.InRange(0, 200)), static_cast<int>(in.InRange(0, 200)),
                   static_cast<int>(in.InRange(-32768, 32767)),
                   static_cast<int>(in.InRange(-32768, 32767))};
  bool bottom = in.Flag();
  PanelBox box = PanelBoxFor(cells, frame, bottom);
  FUZZ_CHECK(box.width >= 0 && box.height >= 0 && box.left + box.width == frame.workRight);
  FUZZ_CHECK(bottom ? box.top + box.height == frame.workBottom : box.top == 0);
}

void Texts(FuzzInput& in) {
  int menu = in.Byte() % 10 - 1, option = in.Byte() % 14 - 1;
  const char* label = OptionLabel(menu, option);
  bool exists = menu >= 1 && menu <= AllMenuCount && option >= 1 && option <= OptionCount[menu];
  FUZZ_CHECK((label != nullptr) == exists);
  if (label) FUZZ_CHECK(std::strlen(label) > 0 && std::strlen(label) <= size_t(MenuWidth[menu]));

  int layout = in.Byte() % 9 - 1, row = in.Byte() % 11 - 1;
  std::string keys = KeyboardRowText(layout, row);
  bool inLayout = layout >= 1 && layout <= LayoutCount && row >= 1 && row <= KeyboardRows[layout];
  FUZZ_CHECK(keys.empty() != inLayout);
  if (inLayout) FUZZ_CHECK(keys.size() <= size_t(KeyboardWidth[layout]));
  if (layout >= 1 && layout <= LayoutCount) FUZZ_CHECK(KeysPerRow(layout) * 4 > KeyboardWidth[layout]);

  std::string text = in.Text(40), upper = UpperAccented(text);
  FUZZ_CHECK(upper.size() == text.size() && UpperAccented(upper) == upper);
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char was = text[i], now = upper[i];
    FUZZ_CHECK(now == was || now + 32 == was);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  while (!in.Empty()) {
    if (in.Flag()) Sizes(in);
    else Texts(in);
  }
  return 0;
}
