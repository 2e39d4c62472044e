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
