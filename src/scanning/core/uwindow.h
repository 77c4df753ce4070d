// Sizing and docking of the panel: the console window shrunk to what it shows, topmost at
// the right edge of the work area, never activated.
#pragma once
#include "scanning/core/logic/panel_size.h"

void MeasureWorkArea();                 // once, while the console still has its created size
PanelBox PanelPlacement(bool atBottom); // where PlacePanel puts the panel now
void PlacePanel(bool atBottom);         // size, dock, show topmost without activation
void RedockAfterRescale();              // cells and frame measured again, a shown panel docked
void KeepPanelOnTop();                  // above any topmost window that came to cover it
