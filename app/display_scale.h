// The frame window's DPI and the system's sizes at a DPI. Windows 7 knows
// one DPI for the whole screen; the per-window and per-monitor calls of later
// versions are looked up at run time, with the screen's DPI in their place.
#pragma once
#include <windows.h>

// The DPI the frame window's pixel sizes are made for; its stored sides are
// 96-DPI units.
extern int FrameDpi;

// The DPI of the window's monitor; of the screen for a null window.
int DpiOfWindow(HWND window);
// The DPI of the monitor nearest the rectangle.
int DpiOfRect(const RECT& rect);
// A GetSystemMetrics value (an icon size) at the given DPI.
int SystemMetricForDpi(int index, int dpi);
