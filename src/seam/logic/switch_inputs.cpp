#include "seam/logic/switch_inputs.h"

bool PadSwitchDown(uint32_t buttons, int padButton) {
  if (padButton == AnyPadButton) return buttons != 0;
  return padButton >= 1 && padButton <= 32 && ((buttons >> (padButton - 1)) & 1u);
}
