#include "raster.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

void FillEachSubpath(cairo_t* cr) {
  cairo_path_t* path = cairo_copy_path(cr);
  cairo_new_path(cr);
  for (int i = 0; i < path->num_data; i += path->data[i].header.length) {
    const cairo_path_data_t& element = path->data[i];
    switch (element.header.type) {
      case CAIRO_PATH_MOVE_TO:
        cairo_fill(cr);
        cairo_move_to(cr, path->data[i + 1].point.x, path->data[i + 1].point.y);
        break;
      case CAIRO_PATH_LINE_TO:
        cairo_line_to(cr, path->data[i + 1].point.x, path->data[i + 1].point.y);
        break;
      case CAIRO_PATH_CURVE_TO:
        cairo_curve_to(cr, path->data[i + 1].point.x, path->data[i + 1].point.y, path->data[i + 2].point.x,
                       path->data[i + 2].point.y, path->data[i + 3].point.x, path->data[i + 3].point.y);
        break;
      case CAIRO_PATH_CLOSE_PATH:
        cairo_close_path(cr);
        break;
    }
  }
  cairo_fill(cr);
  cairo_path_destroy(path);
}

Mask MaskFromPath(int width, int height, const PathFn& path) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, width, height);
  cairo_t* cr = cairo_create(surface);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  path(cr);
  FillEachSubpath(cr);
  cairo_surface_flush(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  Mask mask(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) mask.at(x, y) = data[y * stride + x] >= 128 ? 1 : 0;
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  return mask;
}

Mask Union(const Mask& a, const Mask& b) {
  Mask out = a;
  for (size_t i = 0; i < out.cells.size(); ++i) out.cells[i] |= b.cells[i];
  return out;
}

Mask Minus(const Mask& a, const Mask& b) {
  Mask out = a;
  for (size_t i = 0; i < out.cells.size(); ++i) out.cells[i] &= static_cast<uint8_t>(!b.cells[i]);
  return out;
}

int CountOn(const Mask& mask) { return static_cast<int>(std::count(mask.cells.begin(), mask.cells.end(), 1)); }

Mask WithoutEnclosedGaps(const Mask& mask) {
  const int w = mask.width, h = mask.height;
  Mask reached(w, h);
  std::vector<std::pair<int, int>> stack;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if ((x == 0 || y == 0 || x == w - 1 || y == h - 1) && !mask.at(x, y)) {
        reached.at(x, y) = 1;
        stack.emplace_back(x, y);
      }
  while (!stack.empty()) {
    const auto [x, y] = stack.back();
    stack.pop_back();
    for (const auto& [nx, ny] : {std::pair{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}})
      if (mask.contains(nx, ny) && !mask.at(nx, ny) && !reached.at(nx, ny)) {
        reached.at(nx, ny) = 1;
        stack.emplace_back(nx, ny);
      }
  }
  Mask out(w, h);
  for (size_t i = 0; i < out.cells.size(); ++i) out.cells[i] = static_cast<uint8_t>(!reached.cells[i]);
  return out;
}

namespace {

// One pass of the lower-envelope squared distance transform over n samples.
void DistanceTransform1D(const std::vector<float>& f, std::vector<float>& d) {
  const int n = static_cast<int>(f.size());
  std::vector<int> v(n);
  std::vector<float> z(n + 1);
  int k = 0;
  v[0] = 0;
  z[0] = -std::numeric_limits<float>::infinity();
  z[1] = std::numeric_limits<float>::infinity();
  for (int q = 1; q < n; ++q) {
    float s;
    while (true) {
      s = ((f[q] + q * q) - (f[v[k]] + v[k] * v[k])) / (2.0f * q - 2.0f * v[k]);
      if (s > z[k] || k == 0) break;
      --k;
    }
    if (s <= z[k]) {
      v[k] = q;
      z[k + 1] = std::numeric_limits<float>::infinity();
      continue;
    }
    ++k;
    v[k] = q;
    z[k] = s;
    z[k + 1] = std::numeric_limits<float>::infinity();
  }
  k = 0;
  for (int q = 0; q < n; ++q) {
    while (z[k + 1] < q) ++k;
    d[q] = (q - v[k]) * (q - v[k]) + f[v[k]];
  }
}

}  // namespace

Field DistanceTo(const Mask& targets) {
  constexpr float FAR = 1e10f;
  const int w = targets.width, h = targets.height;
  Field squared(w, h);
  std::vector<float> f, d;
  f.resize(h);
  d.resize(h);
  for (int x = 0; x < w; ++x) {
    for (int y = 0; y < h; ++y) f[y] = targets.at(x, y) ? 0.0f : FAR;
    DistanceTransform1D(f, d);
    for (int y = 0; y < h; ++y) squared.at(x, y) = d[y];
  }
  f.resize(w);
  d.resize(w);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) f[x] = squared.at(x, y);
    DistanceTransform1D(f, d);
    for (int x = 0; x < w; ++x) squared.at(x, y) = std::sqrt(d[x]);
  }
  return squared;
}

Mask Eroded(const Mask& mask, float inset) {
  // Pad by one pixel so that the canvas border counts as outside.
  Mask padded(mask.width + 2, mask.height + 2, 1);
  for (int y = 0; y < mask.height; ++y)
    for (int x = 0; x < mask.width; ++x) padded.at(x + 1, y + 1) = static_cast<uint8_t>(!mask.at(x, y));
  const Field distance = DistanceTo(padded);
  Mask out(mask.width, mask.height);
  for (int y = 0; y < mask.height; ++y)
    for (int x = 0; x < mask.width; ++x) out.at(x, y) = distance.at(x + 1, y + 1) > inset ? 1 : 0;
  return out;
}

CairoCanvas::CairoCanvas(int width, int height, cairo_format_t format)
    : surface(cairo_image_surface_create(format, width, height)), cr(cairo_create(surface)) {}

CairoCanvas::~CairoCanvas() {
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
}

RgbImage CairoCanvas::ToRgb() {
  cairo_surface_flush(surface);
  const int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  RgbImage image(w, h);
  for (int y = 0; y < h; ++y) {
    const uint32_t* row = reinterpret_cast<const uint32_t*>(data + y * stride);
    for (int x = 0; x < w; ++x)
      image.at(x, y) = {static_cast<uint8_t>(row[x] >> 16), static_cast<uint8_t>(row[x] >> 8),
                        static_cast<uint8_t>(row[x])};
  }
  return image;
}

Grid<uint8_t> CairoCanvas::Alpha() {
  cairo_surface_flush(surface);
  const int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  Grid<uint8_t> alpha(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) alpha.at(x, y) = static_cast<uint8_t>(reinterpret_cast<const uint32_t*>(data + y * stride)[x] >> 24);
  return alpha;
}

void SetColor(cairo_t* cr, Rgb color, double alpha) {
  cairo_set_source_rgba(cr, color.r / 255.0, color.g / 255.0, color.b / 255.0, alpha);
}

Rgb Hex(uint32_t rgb) {
  return {static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb)};
}

namespace {
uint8_t Channel(float value) { return static_cast<uint8_t>(std::clamp(std::lround(value), 0L, 255L)); }
}  // namespace

Rgb Mix(Rgb a, Rgb b, float t) {
  return {Channel(a.r + (b.r - a.r) * t), Channel(a.g + (b.g - a.g) * t), Channel(a.b + (b.b - a.b) * t)};
}

Rgb Scale(Rgb c, float factor) { return {Channel(c.r * factor), Channel(c.g * factor), Channel(c.b * factor)}; }

void WritePng(const std::string& path, const RgbImage& image) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    std::perror(path.c_str());
    std::exit(1);
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    std::fprintf(stderr, "could not write %s\n", path.c_str());
    std::exit(1);
  }
  png_init_io(png, file);
  png_set_compression_level(png, 9);
  png_set_IHDR(png, info, image.width, image.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < image.height; ++y)
    png_write_row(png, reinterpret_cast<png_const_bytep>(&image.cells[static_cast<size_t>(y) * image.width]));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  std::fclose(file);
}
