// Where a window may lie on the screen, on plain rectangles.
#pragma once
#include <cstdint>

struct ScreenRect {
  int32_t left, top, right, bottom;
};

// Moves a window rectangle onto a work area, keeping its size where it fits;
// the top-left corner always ends on the work area.
ScreenRect MoveOntoWorkArea(ScreenRect window, ScreenRect workArea);

// The window shrunk by a quarter of its sides on every edge: while each of
// its corners lies on a work area, no more than a quarter of the window is
// off the screen.
ScreenRect QuarterInset(ScreenRect window);

// A window resized from `before` to `after` kept on its work area: where the
// new rectangle reaches past an edge that the old one kept to, it moves inward;
// a window the user left partly off the screen goes no further off.
ScreenRect KeepOnWorkArea(ScreenRect after, ScreenRect before, ScreenRect workArea);

// Where a new window of `size` (its width and height in right and bottom)
// goes beside `beside`: to its right, left, below or above, then the first
// free place row by row across the work area; a place lies whole on the work
// area and overlaps none of the `count` windows in `others`. Where no such
// place is left, to the right of `beside` moved onto the work area.
ScreenRect PlaceBeside(ScreenRect beside, ScreenRect size, const ScreenRect* others, int count, ScreenRect workArea);
