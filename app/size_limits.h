// The sizes the program keeps to: the window's sides and the largest picture.
// Loading the settings brings stored values into the same limits that resize
// steps and decoding keep.
#pragma once
#include <cstdint>

constexpr int32_t WINDOW_SIDE_MIN = 32;
constexpr int32_t WINDOW_SIDE_MAX = 256;

// The largest picture the program takes: 64 megapixels, 256 MB per surface.
// A photo lives in up to three copies while it is set (decoder, surface,
// reductions), which must fit a 32-bit process.
constexpr int64_t MAX_IMAGE_PIXELS = int64_t{1} << 26;
