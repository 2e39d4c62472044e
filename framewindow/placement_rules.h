// The arithmetic of panning, zooming, resize steps and frame paging, on plain numbers.
#pragma once
#include <cstdint>

#include "app/size_limits.h"

constexpr int32_t ZOOM_SIDE_MIN = 10;
// The screen pixels of vertical drag that halve the shown side (down) or
// double it (up).
constexpr int32_t ZOOM_HALVING_DRAG = 100;
constexpr int32_t RESIZE_STEP = 4;

// The shown square of the photo: its sides (W3 for wide windows, H3 for high
// ones) and its top-left corner (X2, Y2), in photo pixels.
struct PhotoView {
  int32_t wideSide;
  int32_t highSide;
  int32_t left;
  int32_t top;
};

// What a drag step measures by: the window's client area, over which the
// shown square is stretched, and the photo.
struct DragMeasures {
  int32_t windowWidth, windowHeight;
  int32_t photoWidth, photoHeight;
};

// A new photo shows its largest centred square, so that it fills the frame.
PhotoView FillingView(int32_t photoWidth, int32_t photoHeight);

// The side of the square shown in a window of that client size.
int32_t ShownSide(const PhotoView& view, int32_t windowWidth, int32_t windowHeight);

// A pan drag's fractions of a photo pixel not moved yet, in units of one
// window pixel's share of the shown side.
struct PanDrag {
  int64_t carryX, carryY;
};

// One cursor step of a pan drag: the picture moves with the pointer, screen
// pixel for screen pixel. The square stops where its edge meets the photo's
// and stays centred along an axis where it is larger than the photo; a view
// already past those places moves only back towards them.
void PanView(PhotoView& view, int32_t dx, int32_t dy, const DragMeasures& measures, PanDrag& drag);

// The signed zoom amount of one cursor step; it follows dy, so dragging down
// zooms in and a purely horizontal move does nothing.
int32_t ZoomAmount(int32_t dx, int32_t dy);

// A zoom drag measures from the view it started on, so that a drag back by
// the same distance returns to it.
struct ZoomDrag {
  PhotoView start;
  double amount;  // screen pixels of drag so far, within the limits
};
ZoomDrag StartZoomDrag(const PhotoView& view);

// Adds one step's amount d (ZoomAmount) to the drag and sets the view: each
// pixel scales the sides by the same factor about the square's centre, from
// ZOOM_SIDE_MIN across to the whole photo. A square that was on the photo
// keeps to it; a side stored beyond a limit is kept until the drag turns back.
void ZoomView(PhotoView& view, int32_t d, const DragMeasures& measures, ZoomDrag& drag);

struct WindowBox {
  int32_t left, top, width, height;
};

// One resize step of the window rectangle about its centre, sides kept within
// 32 to 256. Steps and limits are 96-DPI units: at `dpi` the window's pixels
// are its sides scaled. direction is the high-order word of the request:
// negative grows.
WindowBox ResizeStep(int32_t left, int32_t top, int32_t right, int32_t bottom, int16_t direction, int32_t dpi);

// Page Up and Page Down through the built-in frames, without wrapping; a
// custom frame steps to the first or last built-in one.
int32_t PreviousFrameId(int32_t frameId);
int32_t NextFrameId(int32_t frameId);
