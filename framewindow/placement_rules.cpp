#include "framewindow/placement_rules.h"

#include "app/ids.h"
#include "app/scale_rules.h"

PhotoView FillingView(int32_t photoWidth, int32_t photoHeight) {
  const int32_t side = photoWidth < photoHeight ? photoWidth : photoHeight;
  return {side, side, (photoWidth - side) / 2, (photoHeight - side) / 2};
}

void PanView(PhotoView& view, int32_t dx, int32_t dy) {
  view.left -= dx;
  view.top -= dy;
}

int32_t ZoomAmount(int32_t dx, int32_t dy) {
  if (dx < 0 && dy < 0) return dx > dy ? dx : dy;
  if (dx < 0) return -dx < dy ? -dx : dy;
  return dy;
}

namespace {

// Keeps one side within the zoom limits; returns the centring shift that
// still applies (none once the side was clamped).
int32_t ClampZoomSide(int32_t& side, int32_t shift) {
  if (side < ZOOM_SIDE_MIN) {
    side = ZOOM_SIDE_MIN;
    return 0;
  }
  if (side > ZOOM_SIDE_MAX) {
    side = ZOOM_SIDE_MAX;
    return 0;
  }
  return shift;
}

int32_t ClampWindowSide(int32_t& side, int32_t shift) {
  if (side > WINDOW_SIDE_MAX) {
    side = WINDOW_SIDE_MAX;
    return 0;
  }
  if (side < WINDOW_SIDE_MIN) {
    side = WINDOW_SIDE_MIN;
    return 0;
  }
  return shift;
}

// One side's resize step in 96-DPI units; its new pixels, and in `shift` the
// move that keeps the centre (none once the side was clamped).
int32_t StepWindowSide(int32_t pixels, int32_t step, int32_t dpi, int32_t& shift) {
  int32_t side = UnscaleFromDpi(pixels, dpi) - step;
  const int32_t kept = ClampWindowSide(side, 1);
  const int32_t stepped = ScaleToDpi(side, dpi);
  shift = kept ? (pixels - stepped) >> 1 : 0;
  return stepped;
}

// Frame ids outside the built-in range (a stored value whose frame never
// loaded) step into the range rather than past it.
int32_t ClampToBuiltInFrames(int64_t frameId) {
  if (frameId < FRAME_ID_FIRST) return FRAME_ID_FIRST;
  if (frameId > FRAME_ID_LAST) return FRAME_ID_LAST;
  return static_cast<int32_t>(frameId);
}

}  // namespace

void ZoomView(PhotoView& view, int32_t d) {
  view.wideSide -= d;
  view.highSide -= d;
  const int32_t shift = d >> 1;
  view.left += ClampZoomSide(view.wideSide, shift);
  view.top += ClampZoomSide(view.highSide, shift);
}

WindowBox ResizeStep(int32_t left, int32_t top, int32_t right, int32_t bottom, int16_t direction, int32_t dpi) {
  const int32_t step = direction < 0 ? -RESIZE_STEP : RESIZE_STEP;
  int32_t shiftX, shiftY;
  const int32_t width = StepWindowSide(right - left, step, dpi, shiftX);
  const int32_t height = StepWindowSide(bottom - top, step, dpi, shiftY);
  return {left + shiftX, top + shiftY, width, height};
}

int32_t PreviousFrameId(int32_t frameId) {
  if (frameId == FRAME_ID_CUSTOM) return FRAME_ID_FIRST;
  return ClampToBuiltInFrames(static_cast<int64_t>(frameId) - 1);
}

int32_t NextFrameId(int32_t frameId) {
  if (frameId == FRAME_ID_CUSTOM) return FRAME_ID_LAST;
  return ClampToBuiltInFrames(static_cast<int64_t>(frameId) + 1);
}
