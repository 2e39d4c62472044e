#include "framewindow/placement_rules.h"

#include <algorithm>
#include <cmath>

#include "app/ids.h"
#include "app/scale_rules.h"

PhotoView FillingView(int32_t photoWidth, int32_t photoHeight) {
  const int32_t side = photoWidth < photoHeight ? photoWidth : photoHeight;
  return {side, side, (photoWidth - side) / 2, (photoHeight - side) / 2};
}

int32_t ZoomAmount(int32_t dx, int32_t dy) {
  if (dx < 0 && dy < 0) return dx > dy ? dx : dy;
  if (dx < 0) return -dx < dy ? -dx : dy;
  return dy;
}

namespace {

// The corners along one axis that keep a square of `side` on a photo of
// `extent`: from its start to where their ends meet, or the centred one
// where the square is larger.
void CornersOnPhoto(int64_t side, int32_t extent, int64_t& low, int64_t& high) {
  low = 0;
  high = extent - side;
  if (high < 0) low = high = high / 2;
}

// One axis of a pan step: `move` window pixels over `windowExtent` of them
// show `side` photo pixels, so the corner moves move * side / windowExtent
// photo pixels, its fractions carried to the next step.
int32_t PanAxis(int32_t corner, int32_t move, int64_t side, int32_t windowExtent, int32_t photoExtent,
                int64_t& carry) {
  if (windowExtent <= 0) return corner;
  carry -= move * side;
  const int64_t step = carry / windowExtent;
  carry -= step * windowExtent;
  int64_t low, high;
  CornersOnPhoto(side, photoExtent, low, high);
  low = std::min<int64_t>(low, corner);
  high = std::max<int64_t>(high, corner);
  const int64_t moved = corner + step;
  if (moved < low || moved > high) carry = 0;
  return static_cast<int32_t>(std::clamp(moved, low, high));
}

// One axis of a zoom step: the corner that keeps the start square's centre,
// held on the photo when the start square was on it.
int32_t ZoomAxis(int32_t startCorner, int64_t startSide, int64_t side, int32_t photoExtent) {
  int64_t low, high;
  CornersOnPhoto(startSide, photoExtent, low, high);
  const bool wasOnPhoto = startCorner >= low && startCorner <= high;
  const int64_t corner = std::llround(startCorner + (startSide - side) / 2.0);
  if (!wasOnPhoto) return static_cast<int32_t>(corner);
  CornersOnPhoto(side, photoExtent, low, high);
  return static_cast<int32_t>(std::clamp(corner, low, high));
}

// One side scaled by `factor`, kept within the zoom limits or, if it started
// beyond one, no further beyond it.
int32_t ScaleSide(int32_t side, double factor, int64_t closest, int64_t farthest) {
  const int64_t scaled = std::llround(side * factor);
  return static_cast<int32_t>(
      std::clamp<int64_t>(scaled, std::min<int64_t>(closest, side), std::max<int64_t>(farthest, side)));
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

int32_t ShownSide(const PhotoView& view, int32_t windowWidth, int32_t windowHeight) {
  return static_cast<uint32_t>(windowHeight) > static_cast<uint32_t>(windowWidth) ? view.highSide : view.wideSide;
}

void PanView(PhotoView& view, int32_t dx, int32_t dy, const DragMeasures& measures, PanDrag& drag) {
  const int64_t side = ShownSide(view, measures.windowWidth, measures.windowHeight);
  view.left = PanAxis(view.left, dx, side, measures.windowWidth, measures.photoWidth, drag.carryX);
  view.top = PanAxis(view.top, dy, side, measures.windowHeight, measures.photoHeight, drag.carryY);
}

ZoomDrag StartZoomDrag(const PhotoView& view) { return {view, 0.0}; }

void ZoomView(PhotoView& view, int32_t d, const DragMeasures& measures, ZoomDrag& drag) {
  const PhotoView& start = drag.start;
  const int32_t startSide = ShownSide(start, measures.windowWidth, measures.windowHeight);
  const int64_t farthest = std::max(measures.photoWidth, measures.photoHeight);
  const int64_t closest = std::min<int64_t>(ZOOM_SIDE_MIN, farthest);
  if (startSide <= 0 || closest <= 0) return;
  // The drag amounts at which the shown side meets each limit; a side that
  // started beyond one stays where it was until the drag turns back.
  const double closestAmount = ZOOM_HALVING_DRAG * std::log2(static_cast<double>(startSide) / closest);
  const double farthestAmount = ZOOM_HALVING_DRAG * std::log2(static_cast<double>(startSide) / farthest);
  drag.amount = std::clamp(drag.amount + d, std::min(farthestAmount, 0.0), std::max(closestAmount, 0.0));
  const double factor = std::exp2(-drag.amount / ZOOM_HALVING_DRAG);
  view.wideSide = ScaleSide(start.wideSide, factor, closest, farthest);
  view.highSide = ScaleSide(start.highSide, factor, closest, farthest);
  const int64_t side = ShownSide(view, measures.windowWidth, measures.windowHeight);
  view.left = ZoomAxis(start.left, startSide, side, measures.photoWidth);
  view.top = ZoomAxis(start.top, startSide, side, measures.photoHeight);
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
