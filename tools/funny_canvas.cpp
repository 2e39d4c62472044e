#include "funny_canvas.h"

FunnyCanvas::FunnyCanvas(Rgb edgeColour)
    : art_(FRAME_SIZE, FRAME_SIZE), outline_(FRAME_SIZE, FRAME_SIZE), hole_(FRAME_SIZE, FRAME_SIZE) {
  SetColor(art_.cr, edgeColour);
  cairo_paint(art_.cr);
  cairo_set_line_cap(art_.cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(art_.cr, CAIRO_LINE_JOIN_ROUND);
}

void FunnyCanvas::Part(const PathFn& path, Rgb colour) {
  outline_ = Union(outline_, MaskFromPath(FRAME_SIZE, FRAME_SIZE, path));
  Paint(path, colour);
}

void FunnyCanvas::Part(const PathFn& path, cairo_pattern_t* paint) {
  outline_ = Union(outline_, MaskFromPath(FRAME_SIZE, FRAME_SIZE, path));
  cairo_new_path(art_.cr);
  path(art_.cr);
  cairo_set_source(art_.cr, paint);
  FillEachSubpath(art_.cr);
}

void FunnyCanvas::Paint(const PathFn& path, Rgb colour, double alpha) {
  cairo_new_path(art_.cr);
  path(art_.cr);
  SetColor(art_.cr, colour, alpha);
  FillEachSubpath(art_.cr);
}

void FunnyCanvas::Line(const PathFn& path, Rgb colour, double width) {
  cairo_new_path(art_.cr);
  path(art_.cr);
  SetColor(art_.cr, colour);
  cairo_set_line_width(art_.cr, width);
  cairo_stroke(art_.cr);
}

void FunnyCanvas::Hole(const PathFn& path, float inset) {
  const Mask mask = MaskFromPath(FRAME_SIZE, FRAME_SIZE, path);
  Hole(inset > 0 ? Eroded(mask, inset) : mask);
}

void FunnyCanvas::Hole(const Mask& mask) { hole_ = Union(hole_, mask); }

RgbImage FunnyCanvas::Render(const Finish& finish, float profileWidth) {
  // The hole always lies inside the window.
  const Mask outline = WithoutEnclosedGaps(outline_);
  const FrameShape shape{outline, Minus(hole_, Minus(hole_, outline))};
  const BandGeometry band = MeasureBand(shape, profileWidth);
  return ShadeFrame(shape, band, art_.ToRgb(), finish);
}

cairo_pattern_t* VerticalGradient(double y0, Rgb top, double y1, Rgb bottom) {
  cairo_pattern_t* pattern = cairo_pattern_create_linear(0, y0, 0, y1);
  cairo_pattern_add_color_stop_rgb(pattern, 0, top.r / 255.0, top.g / 255.0, top.b / 255.0);
  cairo_pattern_add_color_stop_rgb(pattern, 1, bottom.r / 255.0, bottom.g / 255.0, bottom.b / 255.0);
  return pattern;
}

cairo_pattern_t* BallGradient(double cx, double cy, double r, Rgb light, Rgb dark) {
  cairo_pattern_t* pattern = cairo_pattern_create_radial(cx - r * 0.35, cy - r * 0.4, r * 0.1, cx, cy, r * 1.05);
  cairo_pattern_add_color_stop_rgb(pattern, 0, light.r / 255.0, light.g / 255.0, light.b / 255.0);
  cairo_pattern_add_color_stop_rgb(pattern, 1, dark.r / 255.0, dark.g / 255.0, dark.b / 255.0);
  return pattern;
}
