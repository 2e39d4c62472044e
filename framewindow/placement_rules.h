// The arithmetic of panning, zooming, resize steps and frame paging, on plain numbers.
#pragma once
#include <cstdint>

#include "app/size_limits.h"

constexpr int32_t ZOOM_SIDE_MIN = 10;
constexpr int32_t ZOOM_SIDE_MAX = 2048;
constexpr int32_t RESIZE_STEP = 4;

// The shown square of the photo: its sides (W3 for wide windows, H3 for high
// ones) and its top-left corner (X2, Y2), in photo pixels.
struct PhotoView {
  int32_t wideSide;
  int32_t highSide;
  int32_t left;
  int32_t top;
};

// A new photo shows its largest centred square, so that it fills the frame.
PhotoView FillingView(int32_t photoWidth, int32_t photoHeight);

// One cursor step of a pan drag: the photo follows the cursor.
void PanView(PhotoView& view, int32_t dx, int32_t dy);

// The signed zoom amount of one cursor step; it follows dy, so dragging down
// zooms in and a purely horizontal move does nothing.
int32_t ZoomAmount(int32_t dx, int32_t dy);

// Shrinks both sides by d (grows them when d is negative) about the centre,
// within 10 to 2048; an axis whose side was clamped keeps its corner.
void ZoomView(PhotoView& view, int32_t d);

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
