// Pointing with the grid: the settings that turn it on, and the scan of monitors, rows and
// cells at the panel's own pace that leaves the pointer at the point chosen.
#pragma once
#include <windows.h>

extern bool PointingOn;       // [MOUSE] APONTAR=1: "Aponta" leads menu 1
extern int PointingPrecision;  // [MOUSE] PRECISAO: the grid ends this fine, in pixels at 96 DPI

void ReadPointingSettings();
// The grid scanned until its region is fine enough: true, with the pointer at the point and
// the point marked; false when the person let it close unused, the grid hidden.
bool PointWithGrid(POINT& at);
