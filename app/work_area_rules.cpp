#include "app/work_area_rules.h"

#include <algorithm>

namespace {

int32_t ClampAxis(int32_t start, int32_t length, int32_t areaStart, int32_t areaEnd) {
  if (start > areaEnd - length) start = areaEnd - length;
  if (start < areaStart) start = areaStart;
  return start;
}

}  // namespace

ScreenRect MoveOntoWorkArea(ScreenRect window, ScreenRect workArea) {
  const int32_t width = window.right - window.left;
  const int32_t height = window.bottom - window.top;
  const int32_t left = ClampAxis(window.left, width, workArea.left, workArea.right);
  const int32_t top = ClampAxis(window.top, height, workArea.top, workArea.bottom);
  return {left, top, left + width, top + height};
}

ScreenRect QuarterInset(ScreenRect window) {
  const int32_t x = (window.right - window.left) / 4, y = (window.bottom - window.top) / 4;
  return {window.left + x, window.top + y, window.right - x, window.bottom - y};
}

ScreenRect KeepOnWorkArea(ScreenRect after, ScreenRect before, ScreenRect workArea) {
  return MoveOntoWorkArea(after, {std::min(workArea.left, before.left), std::min(workArea.top, before.top),
                                  std::max(workArea.right, before.right), std::max(workArea.bottom, before.bottom)});
}

namespace {

// Windows side by side keep this much desktop between them.
constexpr int32_t PLACE_GAP = 8;

ScreenRect At(int32_t left, int32_t top, ScreenRect size) { return {left, top, left + size.right, top + size.bottom}; }

bool Overlap(ScreenRect a, ScreenRect b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool FreePlace(ScreenRect place, const ScreenRect* others, int count, ScreenRect workArea) {
  if (place.left < workArea.left || place.top < workArea.top || place.right > workArea.right ||
      place.bottom > workArea.bottom) {
    return false;
  }
  for (int i = 0; i < count; ++i) {
    if (Overlap(place, others[i])) return false;
  }
  return true;
}

}  // namespace

ScreenRect PlaceBeside(ScreenRect beside, ScreenRect size, const ScreenRect* others, int count, ScreenRect workArea) {
  const ScreenRect neighbours[] = {
      At(beside.right + PLACE_GAP, beside.top, size),
      At(beside.left - PLACE_GAP - size.right, beside.top, size),
      At(beside.left, beside.bottom + PLACE_GAP, size),
      At(beside.left, beside.top - PLACE_GAP - size.bottom, size),
  };
  for (const ScreenRect& place : neighbours) {
    if (FreePlace(place, others, count, workArea)) return place;
  }
  const int32_t stepX = std::max(size.right / 2, int32_t{1}), stepY = std::max(size.bottom / 2, int32_t{1});
  for (int32_t top = workArea.top; top + size.bottom <= workArea.bottom; top += stepY) {
    for (int32_t left = workArea.left; left + size.right <= workArea.right; left += stepX) {
      if (FreePlace(At(left, top, size), others, count, workArea)) return At(left, top, size);
    }
  }
  return MoveOntoWorkArea(neighbours[0], workArea);
}
