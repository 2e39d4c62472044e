#include "app/scale_rules.h"

#include <algorithm>

namespace {

// a × b / c to the nearest whole number (halves away from zero), in 64 bits,
// brought into the 32-bit range.
int32_t MulDivRounded(int64_t a, int64_t b, int64_t c) {
  const int64_t product = a * b;
  const int64_t rounded = (product >= 0 ? product + c / 2 : product - c / 2) / c;
  return static_cast<int32_t>(std::clamp<int64_t>(rounded, INT32_MIN, INT32_MAX));
}

int32_t ValidDpi(int32_t dpi) { return dpi > 0 ? dpi : BASE_DPI; }

}  // namespace

int32_t ScaleToDpi(int32_t value, int32_t dpi) { return MulDivRounded(value, ValidDpi(dpi), BASE_DPI); }

int32_t UnscaleFromDpi(int32_t pixels, int32_t dpi) { return MulDivRounded(pixels, BASE_DPI, ValidDpi(dpi)); }
