#include "shapes.h"

#include <cmath>

namespace {
constexpr double PI = 3.14159265358979323846;
double Radians(double degrees) { return degrees * PI / 180.0; }
}  // namespace

void CirclePath(cairo_t* cr, double cx, double cy, double radius) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, cx, cy, radius, 0, 2 * PI);
  cairo_close_path(cr);
}

void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  CirclePath(cr, 0, 0, 1);
  cairo_restore(cr);
}

void PolygonPath(cairo_t* cr, const std::vector<Point>& points) {
  cairo_new_sub_path(cr);
  for (const Point& p : points) cairo_line_to(cr, p.first, p.second);
  cairo_close_path(cr);
}

void RoundedRectPath(cairo_t* cr, double x, double y, double w, double h, double radius) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - radius, y + radius, radius, -PI / 2, 0);
  cairo_arc(cr, x + w - radius, y + h - radius, radius, 0, PI / 2);
  cairo_arc(cr, x + radius, y + h - radius, radius, PI / 2, PI);
  cairo_arc(cr, x + radius, y + radius, radius, PI, 3 * PI / 2);
  cairo_close_path(cr);
}

void StarPath(cairo_t* cr, double cx, double cy, int points, double outer, double inner, double turnDegrees) {
  std::vector<Point> corners;
  for (int i = 0; i < 2 * points; ++i) {
    const double angle = Radians(turnDegrees - 90.0) + PI * i / points;
    const double radius = i % 2 == 0 ? outer : inner;
    corners.emplace_back(cx + radius * std::cos(angle), cy + radius * std::sin(angle));
  }
  PolygonPath(cr, corners);
}

void RegularPolygonPath(cairo_t* cr, double cx, double cy, int corners, double radius, double turnDegrees) {
  std::vector<Point> points;
  for (int i = 0; i < corners; ++i) {
    const double angle = Radians(turnDegrees - 90.0) + 2 * PI * i / corners;
    points.emplace_back(cx + radius * std::cos(angle), cy + radius * std::sin(angle));
  }
  PolygonPath(cr, points);
}

void HeartPath(cairo_t* cr, const HeartForm& heart) {
  cairo_save(cr);
  cairo_translate(cr, heart.cx, heart.lobeY);
  cairo_rotate(cr, Radians(heart.turnDegrees));
  const double a = heart.spread, r = heart.lobeRadius, tip = heart.tipY - heart.lobeY;
  // Tangent from the tip to the right lobe, on its outer side.
  const double toTip = std::atan2(tip, -a);
  const double tangent = toTip - std::acos(r / std::hypot(a, tip));
  const double notch = std::atan2(-std::sqrt(r * r - a * a), -a);
  cairo_new_sub_path(cr);
  cairo_move_to(cr, 0, tip);
  cairo_arc_negative(cr, a, 0, r, tangent, notch);
  cairo_arc_negative(cr, -a, 0, r, PI - notch, PI - tangent);
  cairo_close_path(cr);
  cairo_restore(cr);
}

void LeafPath(cairo_t* cr, double x0, double y0, double x1, double y1, double width, double bend) {
  const double dx = x1 - x0, dy = y1 - y0, length = std::hypot(dx, dy);
  const double px = -dy / length, py = dx / length;  // across the leaf
  const double sx = x0 + dx * 0.5 + px * bend * length, sy = y0 + dy * 0.5 + py * bend * length;
  cairo_new_sub_path(cr);
  cairo_move_to(cr, x0, y0);
  cairo_curve_to(cr, x0 + dx * 0.2 + px * width * 0.75, y0 + dy * 0.2 + py * width * 0.75, sx + px * width * 0.6,
                 sy + py * width * 0.6, x1, y1);
  cairo_curve_to(cr, sx - px * width * 0.6, sy - py * width * 0.6, x0 + dx * 0.2 - px * width * 0.75,
                 y0 + dy * 0.2 - py * width * 0.75, x0, y0);
  cairo_close_path(cr);
}

void BarPath(cairo_t* cr, double x0, double y0, double x1, double y1, double width) {
  const double length = std::hypot(x1 - x0, y1 - y0);
  const double px = -(y1 - y0) / length * width / 2, py = (x1 - x0) / length * width / 2;
  PolygonPath(cr, {{x0 + px, y0 + py}, {x1 + px, y1 + py}, {x1 - px, y1 - py}, {x0 - px, y0 - py}});
}
