#include "app/startup_rules.h"

#include <cstring>

#include "app/texts.h"

int EndsWithHiddenSwitch(const char* commandLine) {
  const size_t length = std::strlen(commandLine);
  const size_t switchLength = sizeof TEXT_HIDDEN_START_SWITCH - 1;
  return length >= switchLength && std::strcmp(commandLine + length - switchLength, TEXT_HIDDEN_START_SWITCH) == 0;
}

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
