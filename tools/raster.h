// Pixel buffers the picture generator works on: binary masks, RGB images and
// distance fields, with the cairo and libpng glue to fill and store them.
#pragma once
#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct Rgb {
  uint8_t r, g, b;
  bool operator==(const Rgb&) const = default;
};

// The two key colours of a frame picture: outside the window, and the hole
// in which the photo shows.
static_assert(sizeof(Rgb) == 3, "rows are written to PNG as they lie in memory");

constexpr Rgb KEY_OUTSIDE{0, 255, 0};
constexpr Rgb KEY_PHOTO{255, 0, 255};

template <typename T>
struct Grid {
  int width = 0, height = 0;
  std::vector<T> cells;

  Grid() = default;
  Grid(int w, int h, T fill = T{}) : width(w), height(h), cells(static_cast<size_t>(w) * h, fill) {}
  T& at(int x, int y) { return cells[static_cast<size_t>(y) * width + x]; }
  const T& at(int x, int y) const { return cells[static_cast<size_t>(y) * width + x]; }
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

using Mask = Grid<uint8_t>;  // 1 on, 0 off
using RgbImage = Grid<Rgb>;
using Field = Grid<float>;

// Draws a path (without filling it) on the given context.
using PathFn = std::function<void(cairo_t*)>;

// Fills every sub-path of the current path on its own, so that overlapping
// parts join whatever the direction in which each was drawn.
void FillEachSubpath(cairo_t* cr);

// Pixels whose centre lies inside the path: hard edges, no anti-aliasing.
Mask MaskFromPath(int width, int height, const PathFn& path);
Mask Union(const Mask& a, const Mask& b);
Mask Minus(const Mask& a, const Mask& b);
int CountOn(const Mask& mask);
// The mask with every off area that does not reach the canvas border turned
// on: a window outline with no pinholes where parts meet.
Mask WithoutEnclosedGaps(const Mask& mask);

// Euclidean distance from each pixel centre to the nearest pixel that is on
// in `targets` (0 on those pixels themselves).
Field DistanceTo(const Mask& targets);
// The pixels of `mask` lying further than `inset` from any pixel outside it,
// the canvas border counting as outside.
Mask Eroded(const Mask& mask, float inset);

// An opaque cairo image surface and its context, released together.
struct CairoCanvas {
  cairo_surface_t* surface;
  cairo_t* cr;
  CairoCanvas(int width, int height, cairo_format_t format = CAIRO_FORMAT_RGB24);
  ~CairoCanvas();
  CairoCanvas(const CairoCanvas&) = delete;
  CairoCanvas& operator=(const CairoCanvas&) = delete;
  RgbImage ToRgb();
  // Straight (not premultiplied) alpha of each pixel, for ARGB32 canvases.
  Grid<uint8_t> Alpha();
};

void SetColor(cairo_t* cr, Rgb color, double alpha = 1.0);
Rgb Hex(uint32_t rgb);
Rgb Mix(Rgb a, Rgb b, float t);
Rgb Scale(Rgb c, float factor);

// 8-bit RGB, not interlaced, no ancillary chunks.
void WritePng(const std::string& path, const RgbImage& image);
