// The pointing grid on the screen: a window of class AcenoraGrade over a monitor's work area,
// topmost, never activated and transparent to the mouse, drawing the region's rows and
// columns and the lit row or cell translucent in the panel's highlight, or the point chosen.
#pragma once
#include <vector>

#include "pointing/logic/grid.h"

std::vector<GridRect> MonitorWorkAreas();  // every monitor's, the primary one first
int MonitorDpi(const GridRect& area);      // the scale of the monitor that holds the area
// The region's thirds with lit (a row, a cell, or the whole area) lit, over area.
void ShowGrid(const GridRect& area, const GridRect& region, const GridRect& lit);
void ShowGridMark(const GridRect& area, GridPoint at);  // only a mark at the point chosen
void HideGrid();
