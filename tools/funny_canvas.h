// Drawing surface for the "Funny" frames: each object is painted with cairo
// while its parts build the hard-edged outline and hole masks alongside.
#pragma once
#include "frame_render.h"
#include "shapes.h"

class FunnyCanvas {
 public:
  // Anti-aliased edges of the art blend into edgeColour, never into a key.
  explicit FunnyCanvas(Rgb edgeColour);

  cairo_t* art() { return art_.cr; }
  // A part of the object: joins the window's outline and is painted.
  void Part(const PathFn& path, Rgb colour);
  void Part(const PathFn& path, cairo_pattern_t* paint);
  // Paint only, inside the outline (details, shading, lines).
  void Paint(const PathFn& path, Rgb colour, double alpha = 1.0);
  void Line(const PathFn& path, Rgb colour, double width);
  // The photo shows here: the path itself, or the path shrunk by `inset`.
  void Hole(const PathFn& path, float inset = 0);
  void Hole(const Mask& mask);

  RgbImage Render(const Finish& finish, float profileWidth);

 private:
  CairoCanvas art_;
  Mask outline_, hole_;
};

// A vertical gradient from top to bottom colour over y0..y1 (caller destroys it).
cairo_pattern_t* VerticalGradient(double y0, Rgb top, double y1, Rgb bottom);
// A radial gradient lit from the top left of the circle (cx, cy, r).
cairo_pattern_t* BallGradient(double cx, double cy, double r, Rgb light, Rgb dark);

// The finish and profile shared by the funny frames: glossy paint.
constexpr Finish FUNNY_FINISH{0.9f, 0.25f, 30, 0, 0.55f};
constexpr float FUNNY_PROFILE = 6.0f;
