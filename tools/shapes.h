// Paths of the basic outlines that frames and pictures are built from.
#pragma once
#include <cairo.h>

#include <utility>
#include <vector>

using Point = std::pair<double, double>;

void CirclePath(cairo_t* cr, double cx, double cy, double radius);
void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry);
void PolygonPath(cairo_t* cr, const std::vector<Point>& points);
void RoundedRectPath(cairo_t* cr, double x, double y, double w, double h, double radius);
// A star with `points` tips on the outer radius, the first pointing up.
void StarPath(cairo_t* cr, double cx, double cy, int points, double outer, double inner, double turnDegrees = 0);
// A regular polygon whose first corner points up, turned by turnDegrees.
void RegularPolygonPath(cairo_t* cr, double cx, double cy, int corners, double radius, double turnDegrees = 0);

// A heart of two round lobes (centres cx ± spread at height lobeY, radius
// lobeRadius, spread < lobeRadius) joined to a tip at (cx, tipY), turned
// about (cx, lobeY) by turnDegrees.
struct HeartForm {
  double cx, lobeY, spread, lobeRadius, tipY, turnDegrees = 0;
};
void HeartPath(cairo_t* cr, const HeartForm& heart);

// A pointed leaf from (x0, y0) to (x1, y1), `width` across at its middle,
// bent to one side by `bend` (a fraction of its length).
void LeafPath(cairo_t* cr, double x0, double y0, double x1, double y1, double width, double bend = 0);
// A straight bar from (x0, y0) to (x1, y1), `width` across.
void BarPath(cairo_t* cr, double x0, double y0, double x1, double y1, double width);
