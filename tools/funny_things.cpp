// The household objects among the "Funny" frames.
#include <cmath>

#include "funny_canvas.h"
#include "funny_frames.h"

namespace {
constexpr double PI = 3.14159265358979323846;
}  // namespace

RgbImage DrawComputer() {
  FunnyCanvas canvas(Hex(0x4A4232));
  const Rgb beige = Hex(0xE9DEC2), beigeShade = Hex(0xBFB08C), keyColour = Hex(0xCFC2A0);
  canvas.Part([](cairo_t* cr) { PolygonPath(cr, {{104, 178}, {152, 178}, {162, 206}, {94, 206}}); }, beigeShade);
  canvas.Part([](cairo_t* cr) { RoundedRectPath(cr, 66, 200, 124, 12, 5); }, beige);
  const PathFn keyboard = [](cairo_t* cr) { PolygonPath(cr, {{30, 218}, {226, 218}, {244, 253}, {12, 253}}); };
  cairo_pattern_t* keyboardPaint = VerticalGradient(218, beige, 253, beigeShade);
  canvas.Part(keyboard, keyboardPaint);
  cairo_pattern_destroy(keyboardPaint);
  for (int row = 0; row < 3; ++row)
    for (int key = 0; key < 14; ++key) {
      const double y = 222 + row * 10, slant = (y - 218) / 35.0 * 18;
      const double left = 30 - slant + 8, width = (196 + 2 * slant - 16) / 14.0;
      canvas.Paint([=](cairo_t* cr) { RoundedRectPath(cr, left + key * width + 1, y, width - 2.5, 7, 1.5); }, keyColour);
    }
  cairo_pattern_t* casing = VerticalGradient(4, Hex(0xF4ECD6), 180, Hex(0xCDBE98));
  canvas.Part([](cairo_t* cr) { RoundedRectPath(cr, 16, 4, 224, 178, 16); }, casing);
  cairo_pattern_destroy(casing);
  canvas.Paint([](cairo_t* cr) { RoundedRectPath(cr, 33, 19, 190, 128, 8); }, Hex(0x3C3C3C));
  canvas.Paint([](cairo_t* cr) { CirclePath(cr, 212, 164, 4); }, Hex(0x39C24A));
  canvas.Line([](cairo_t* cr) {
    for (int i = 0; i < 4; ++i) {
      cairo_move_to(cr, 40 + i * 9, 160);
      cairo_line_to(cr, 40 + i * 9, 170);
    }
  }, beigeShade, 3);
  canvas.Hole([](cairo_t* cr) { RoundedRectPath(cr, 39, 25, 178, 116, 5); });
  return canvas.Render(FUNNY_FINISH, FUNNY_PROFILE);
}

RgbImage DrawTelephone() {
  FunnyCanvas canvas(Hex(0x3A0808));
  const Rgb darkRed = Hex(0x9A1B1B), dialFace = Hex(0xF5F0E6);
  constexpr double dialX = 128, dialY = 166;
  cairo_pattern_t* body = VerticalGradient(70, Hex(0xE84A4A), 252, darkRed);
  canvas.Part([](cairo_t* cr) {
    cairo_move_to(cr, 56, 72);
    cairo_line_to(cr, 200, 72);
    cairo_curve_to(cr, 226, 72, 232, 96, 236, 130);
    cairo_line_to(cr, 248, 236);
    cairo_curve_to(cr, 249, 246, 244, 252, 234, 252);
    cairo_line_to(cr, 22, 252);
    cairo_curve_to(cr, 12, 252, 7, 246, 8, 236);
    cairo_line_to(cr, 20, 130);
    cairo_curve_to(cr, 24, 96, 30, 72, 56, 72);
    cairo_close_path(cr);
  }, body);
  cairo_pattern_destroy(body);
  canvas.Part([](cairo_t* cr) { RoundedRectPath(cr, 62, 36, 132, 44, 6); }, Hex(0x7A1010));
  cairo_pattern_t* handset = VerticalGradient(6, Hex(0xEF5350), 80, darkRed);
  canvas.Part([](cairo_t* cr) {
    RoundedRectPath(cr, 46, 6, 164, 34, 17);
    EllipsePath(cr, 54, 54, 42, 26);
    EllipsePath(cr, 202, 54, 42, 26);
  }, handset);
  cairo_pattern_destroy(handset);
  canvas.Line([](cairo_t* cr) {
    cairo_move_to(cr, 60, 38);
    cairo_line_to(cr, 196, 38);
  }, Hex(0x7A1010), 2);
  canvas.Paint([](cairo_t* cr) { CirclePath(cr, dialX, dialY, 88); }, dialFace);
  canvas.Line([](cairo_t* cr) { CirclePath(cr, dialX, dialY, 88); }, Hex(0xB0A890), 2);
  for (int digit = 0; digit < 10; ++digit) {
    const double angle = (-60.0 - digit * 28.0) * PI / 180.0;
    canvas.Paint([=](cairo_t* cr) {
      CirclePath(cr, dialX + 77 * std::cos(angle), dialY + 77 * std::sin(angle), 8.5);
    }, Hex(0x2B2B2B));
  }
  canvas.Part([](cairo_t* cr) { BarPath(cr, dialX + 60, dialY + 52, dialX + 76, dialY + 68, 5); }, Hex(0xB0B4B8));
  canvas.Hole([](cairo_t* cr) { CirclePath(cr, dialX, dialY, 66); });
  return canvas.Render(FUNNY_FINISH, FUNNY_PROFILE);
}

RgbImage DrawToiletPaper() {
  FunnyCanvas canvas(Hex(0x6A6A64));
  const Rgb paper = Hex(0xFBFBF7), shade = Hex(0xD6D6CC), line = Hex(0xB9B9AE);
  constexpr double faceX = 92, faceY = 112, rx = 84, ry = 106, depth = 62;
  const PathFn sheet = [](cairo_t* cr) {
    cairo_move_to(cr, faceX + 10, faceY + ry - 30);
    cairo_line_to(cr, faceX + depth + rx - 6, faceY + ry - 40);
    cairo_line_to(cr, faceX + depth + rx - 10, 244);
    cairo_curve_to(cr, 200, 256, 170, 242, 150, 250);
    cairo_curve_to(cr, 130, 256, 116, 246, 104, 252);
    cairo_close_path(cr);
  };
  cairo_pattern_t* sheetPaint = VerticalGradient(180, paper, 252, shade);
  canvas.Part(sheet, sheetPaint);
  cairo_pattern_destroy(sheetPaint);
  for (int row = 0; row < 5; ++row)
    for (int column = 0; column < 8; ++column)
      canvas.Paint([=](cairo_t* cr) { CirclePath(cr, 112 + column * 14 + (row % 2) * 7, 204 + row * 10, 1.6); }, line);
  canvas.Line([](cairo_t* cr) {
    for (int i = 0; i < 12; ++i) {
      cairo_move_to(cr, 106 + i * 11, 230);
      cairo_line_to(cr, 112 + i * 11, 230);
    }
  }, line, 1.5);
  cairo_pattern_t* roll = VerticalGradient(faceY - ry, paper, faceY + ry, shade);
  canvas.Part([](cairo_t* cr) {
    EllipsePath(cr, faceX + depth, faceY, rx, ry);
    cairo_rectangle(cr, faceX, faceY - ry, depth, 2 * ry);
  }, roll);
  cairo_pattern_destroy(roll);
  canvas.Part([](cairo_t* cr) { EllipsePath(cr, faceX, faceY, rx, ry); }, Hex(0xF1F1EA));
  for (int ring = 0; ring < 3; ++ring)
    canvas.Line([ring](cairo_t* cr) { EllipsePath(cr, faceX, faceY, rx - 6 - ring * 5, ry - 6 - ring * 5); }, line, 1);
  canvas.Hole([](cairo_t* cr) { EllipsePath(cr, faceX, faceY, rx - 22, ry - 22); });
  return canvas.Render(FUNNY_FINISH, FUNNY_PROFILE);
}

RgbImage DrawTelevision() {
  FunnyCanvas canvas(Hex(0x2A160A));
  const Rgb metal = Hex(0x9EA3A8), knob = Hex(0xE6D3A8);
  for (const Point& tip : {Point{64, 8}, Point{190, 10}}) {
    canvas.Part([tip](cairo_t* cr) { BarPath(cr, 128, 56, tip.first, tip.second, 4); }, metal);
    canvas.Part([tip](cairo_t* cr) { CirclePath(cr, tip.first, tip.second, 6); }, Hex(0xC9CDD2));
  }
  canvas.Part([](cairo_t* cr) { EllipsePath(cr, 128, 62, 26, 14); }, Hex(0x5A5F66));
  canvas.Part([](cairo_t* cr) {
    PolygonPath(cr, {{40, 228}, {66, 228}, {52, 253}, {32, 253}});
    PolygonPath(cr, {{190, 228}, {216, 228}, {224, 253}, {204, 253}});
  }, Hex(0x4A2A14));
  cairo_pattern_t* cabinet = VerticalGradient(60, Hex(0xB06A3A), 234, Hex(0x7A4220));
  canvas.Part([](cairo_t* cr) { RoundedRectPath(cr, 8, 60, 240, 174, 18); }, cabinet);
  cairo_pattern_destroy(cabinet);
  canvas.Line([](cairo_t* cr) {
    for (int i = 0; i < 7; ++i) {
      cairo_move_to(cr, 14, 72 + i * 24);
      cairo_curve_to(cr, 80, 68 + i * 24, 170, 78 + i * 24, 242, 72 + i * 24);
    }
  }, Hex(0x8E4F26), 1.5);
  canvas.Paint([](cairo_t* cr) { RoundedRectPath(cr, 20, 72, 170, 150, 20); }, Hex(0x2E2E2E));
  canvas.Paint([](cairo_t* cr) { RoundedRectPath(cr, 198, 76, 40, 142, 8); }, Hex(0x5C3518));
  for (int i = 0; i < 2; ++i) {
    const double y = 102 + i * 40;
    canvas.Paint([y](cairo_t* cr) { CirclePath(cr, 218, y, 13); }, knob);
    canvas.Line([y](cairo_t* cr) {
      cairo_move_to(cr, 218, y);
      cairo_line_to(cr, 226, y - 8);
    }, Hex(0x5C3518), 2.5);
  }
  canvas.Line([](cairo_t* cr) {
    for (int i = 0; i < 6; ++i) {
      cairo_move_to(cr, 206, 172 + i * 8);
      cairo_line_to(cr, 230, 172 + i * 8);
    }
  }, Hex(0x2E1A0C), 3);
  canvas.Hole([](cairo_t* cr) { RoundedRectPath(cr, 26, 78, 158, 138, 18); });
  return canvas.Render(FUNNY_FINISH, FUNNY_PROFILE);
}

RgbImage DrawWindowWithTwoPanes() {
  FunnyCanvas canvas(Hex(0x4A4E55));
  const Rgb paint = Hex(0xF4F4F0), shade = Hex(0xC9CCD2);
  cairo_pattern_t* frame = VerticalGradient(4, paint, 230, Hex(0xDADDE2));
  canvas.Part([](cairo_t* cr) { cairo_rectangle(cr, 18, 4, 220, 230); }, frame);
  cairo_pattern_destroy(frame);
  canvas.Part([](cairo_t* cr) { RoundedRectPath(cr, 6, 226, 244, 24, 4); }, Hex(0xE3E5E9));
  canvas.Paint([](cairo_t* cr) { cairo_rectangle(cr, 6, 242, 244, 8); }, shade);
  const PathFn leftPane = [](cairo_t* cr) { cairo_rectangle(cr, 38, 24, 84, 190); };
  const PathFn rightPane = [](cairo_t* cr) { cairo_rectangle(cr, 134, 24, 84, 190); };
  canvas.Line([](cairo_t* cr) {
    cairo_rectangle(cr, 32.5, 18.5, 95, 201);
    cairo_rectangle(cr, 128.5, 18.5, 95, 201);
  }, shade, 3);
  canvas.Paint([](cairo_t* cr) { RoundedRectPath(cr, 122, 100, 12, 34, 3); }, Hex(0x8A8F99));
  canvas.Hole(leftPane);
  canvas.Hole(rightPane);
  return canvas.Render(FUNNY_FINISH, FUNNY_PROFILE);
}

RgbImage DrawArchedWindow() {
  FunnyCanvas canvas(Hex(0x10303F));
  const PathFn arch = [](cairo_t* cr) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, 128, 108, 104, PI, 2 * PI);
    cairo_line_to(cr, 232, 252);
    cairo_line_to(cr, 24, 252);
    cairo_close_path(cr);
  };
  cairo_pattern_t* paint = VerticalGradient(4, Hex(0x4A9CC0), 252, Hex(0x2A6A8A));
  canvas.Part(arch, paint);
  cairo_pattern_destroy(paint);
  canvas.Part([](cairo_t* cr) { PolygonPath(cr, {{116, 2}, {140, 2}, {136, 24}, {120, 24}}); }, Hex(0xE8E2D0));
  const Mask opening = Eroded(MaskFromPath(FRAME_SIZE, FRAME_SIZE, arch), 18);
  const PathFn bars = [](cairo_t* cr) {
    cairo_rectangle(cr, 122, 0, 12, 256);
    cairo_rectangle(cr, 0, 136, 256, 12);
  };
  canvas.Line([](cairo_t* cr) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, 128, 108, 88, PI, 2 * PI);
    cairo_line_to(cr, 216, 236);
    cairo_line_to(cr, 40, 236);
    cairo_close_path(cr);
  }, Hex(0x1E5A78), 4);
  canvas.Paint(bars, Hex(0x3C88AC));
  canvas.Hole(Minus(opening, MaskFromPath(FRAME_SIZE, FRAME_SIZE, bars)));
  return canvas.Render(FUNNY_FINISH, FUNNY_PROFILE);
}
