// Sizes kept in 96-DPI units (the stored window sides, their limits and steps,
// the splash and hint) and the pixels they take at a display's DPI.
#pragma once
#include <cstdint>

constexpr int32_t BASE_DPI = 96;

// value × dpi / 96, rounded to the nearest pixel; a DPI of 0 or less counts as 96.
int32_t ScaleToDpi(int32_t value, int32_t dpi);

// The way back, rounded too: for every DPI from 96 up it gives back the value
// that ScaleToDpi turned into these pixels.
int32_t UnscaleFromDpi(int32_t pixels, int32_t dpi);
