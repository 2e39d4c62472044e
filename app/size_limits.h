// The sizes the program keeps to: the window's sides and the largest picture.
// Loading the settings brings stored values into the same limits that resize
// steps and decoding keep.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr int32_t WINDOW_SIDE_MIN = 32;
constexpr int32_t WINDOW_SIDE_MAX = 256;

// The longest path Windows takes without long-path support, in UTF-16 units.
constexpr int PATH_UNITS_MAX = 259;
// Every path buffer: in UTF-8, the program's code page, a unit takes up to
// three bytes (four for a pair of two units); then the terminating zero.
constexpr int PATH_BUFFER_SIZE = PATH_UNITS_MAX * 3 + 1;

// Ornaments the program shows at most, each in a frame window of its own.
constexpr int ORNAMENTS_MAX = 16;

// A slideshow shows at most this many files of a folder or a set.
constexpr int SLIDES_MAX = 1000;
// The stored set: every path with its zero, then one more zero.
constexpr size_t SLIDE_FILES_VALUE_MAX = static_cast<size_t>(SLIDES_MAX) * PATH_BUFFER_SIZE + 1;

// The largest picture the program takes: 64 megapixels, 256 MB per surface.
// A photo lives in up to three copies while it is set (decoder, surface,
// reductions), which must fit a 32-bit process.
constexpr int64_t MAX_IMAGE_PIXELS = int64_t{1} << 26;
