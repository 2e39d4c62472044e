// Start-up decisions on plain values.
#pragma once
#include <cstdint>

// 1 when the whole command line ends in exactly "/a" (case-sensitive, no trimming).
int EndsWithHiddenSwitch(const char* commandLine);

struct ScreenRect {
  int32_t left, top, right, bottom;
};

// Moves a window rectangle onto a work area, keeping its size where it fits;
// the top-left corner always ends on the work area.
ScreenRect MoveOntoWorkArea(ScreenRect window, ScreenRect workArea);
