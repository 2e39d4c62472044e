#include "funny_frames.h"

#include <cmath>

#include "funny_canvas.h"
#include "noise.h"

namespace {

constexpr double PI = 3.14159265358979323846;

RgbImage DrawApple() {
  FunnyCanvas canvas(Hex(0x5A0A10));
  const PathFn body = [](cairo_t* cr) {
    CirclePath(cr, 94, 150, 90);
    CirclePath(cr, 162, 150, 90);
  };
  const PathFn stem = [](cairo_t* cr) {
    cairo_move_to(cr, 122, 76);
    cairo_curve_to(cr, 122, 50, 128, 28, 142, 8);
    cairo_line_to(cr, 152, 14);
    cairo_curve_to(cr, 140, 32, 134, 54, 136, 76);
    cairo_close_path(cr);
  };
  const PathFn leaf = [](cairo_t* cr) { LeafPath(cr, 146, 38, 222, 18, 34, 0.12); };
  canvas.Part(stem, Hex(0x6D4322));
  canvas.Part(leaf, Hex(0x4CAF50));
  canvas.Line([](cairo_t* cr) {
    cairo_move_to(cr, 150, 37);
    cairo_curve_to(cr, 175, 34, 195, 26, 216, 20);
  }, Hex(0x2E7D32), 2);
  cairo_pattern_t* red = BallGradient(128, 150, 130, Hex(0xF4584E), Hex(0x9E1018));
  canvas.Part(body, red);
  cairo_pattern_destroy(red);
  canvas.Paint([](cairo_t* cr) { EllipsePath(cr, 58, 112, 14, 26); }, Hex(0xFFFFFF), 0.35);
  canvas.Hole(body, 24);
  return canvas.Render(FUNNY_FINISH, FUNNY_PROFILE);
}

RgbImage DrawCat() {
  FunnyCanvas canvas(Hex(0x4A2508));
  const Rgb fur = Hex(0xEE9A45), stripe = Hex(0xB8621A), inner = Hex(0xF6B3B8), whisker = Hex(0x3A2A1A);
  const PathFn leftEar = [](cairo_t* cr) { PolygonPath(cr, {{28, 110}, {40, 6}, {118, 56}}); };
  const PathFn rightEar = [](cairo_t* cr) { PolygonPath(cr, {{228, 110}, {216, 6}, {138, 56}}); };
  canvas.Part(leftEar, fur);
  canvas.Part(rightEar, fur);
  canvas.Paint([](cairo_t* cr) { PolygonPath(cr, {{46, 84}, {52, 28}, {96, 58}}); }, inner);
  canvas.Paint([](cairo_t* cr) { PolygonPath(cr, {{210, 84}, {204, 28}, {160, 58}}); }, inner);
  cairo_pattern_t* head = BallGradient(128, 146, 130, Hex(0xF8B468), Hex(0xD07A2A));
  canvas.Part([](cairo_t* cr) { EllipsePath(cr, 128, 148, 116, 98); }, head);
  cairo_pattern_destroy(head);
  for (int i = -1; i <= 1; ++i)
    canvas.Paint([i](cairo_t* cr) { LeafPath(cr, 128 + i * 22, 52, 128 + i * 18, 84, 12 - 3 * std::abs(i)); }, stripe);
  for (int side : {-1, 1})
    for (int i = 0; i < 2; ++i)
      canvas.Paint([side, i](cairo_t* cr) {
        LeafPath(cr, 128 + side * 116, 128 + i * 26, 128 + side * 92, 130 + i * 26, 12);
      }, stripe);
  for (int side : {-1, 1})
    for (int i = 0; i < 3; ++i) {
      const PathFn line = [side, i](cairo_t* cr) {
        BarPath(cr, 128 + side * 84, 190 + i * 10, 128 + side * 125, 174 + i * 20, 3);
      };
      canvas.Part(line, whisker);
    }
  canvas.Paint([](cairo_t* cr) { PolygonPath(cr, {{116, 236}, {140, 236}, {128, 245}}); }, Hex(0xE7707E));
  canvas.Hole([](cairo_t* cr) { EllipsePath(cr, 128, 152, 88, 72); });
  return canvas.Render(FUNNY_FINISH, FUNNY_PROFILE);
}

RgbImage DrawClover() {
  FunnyCanvas canvas(Hex(0x123D18));
  constexpr double cx = 128, cy = 124;
  const Rgb dark = Hex(0x1E5E2A), mark = Hex(0xB9E4A6);
  canvas.Part([](cairo_t* cr) {
    cairo_move_to(cr, 120, 220);
    cairo_curve_to(cr, 122, 236, 136, 246, 158, 253);
    cairo_line_to(cr, 162, 243);
    cairo_curve_to(cr, 146, 238, 136, 230, 134, 216);
    cairo_close_path(cr);
  }, Hex(0x3B8A3F));
  cairo_pattern_t* green = BallGradient(cx, cy, 130, Hex(0x6CCB5F), Hex(0x2E7D32));
  const PathFn leaves = [](cairo_t* cr) {
    CirclePath(cr, cx, cy, 100);
    for (int leaf = 0; leaf < 4; ++leaf)
      for (int lobe : {-1, 1}) {
        const double angle = (45.0 + 90.0 * leaf + 15.0 * lobe) * PI / 180.0;
        CirclePath(cr, cx + 82 * std::cos(angle), cy + 82 * std::sin(angle), 40);
      }
  };
  canvas.Part(leaves, green);
  cairo_pattern_destroy(green);
  for (int leaf = 0; leaf < 4; ++leaf) {
    const double angle = (45.0 + 90.0 * leaf) * PI / 180.0, between = angle + PI / 4;
    const double c = std::cos(angle), s = std::sin(angle);
    // A pale chevron across each leaf and the leaf's midrib.
    canvas.Line([=](cairo_t* cr) {
      for (int lobe : {-1, 1}) {
        const double a = angle + lobe * 0.42;
        cairo_move_to(cr, cx + 88 * c, cy + 88 * s);
        cairo_line_to(cr, cx + 104 * std::cos(a), cy + 104 * std::sin(a));
      }
    }, mark, 4);
    canvas.Line([=](cairo_t* cr) {
      cairo_move_to(cr, cx + 80 * c, cy + 80 * s);
      cairo_line_to(cr, cx + 112 * c, cy + 112 * s);
    }, dark, 2.5);
    canvas.Line([=](cairo_t* cr) {
      cairo_move_to(cr, cx + 80 * std::cos(between), cy + 80 * std::sin(between));
      cairo_line_to(cr, cx + 101 * std::cos(between), cy + 101 * std::sin(between));
    }, dark, 3);
  }
  canvas.Hole([](cairo_t* cr) { CirclePath(cr, cx, cy, 80); });
  return canvas.Render(FUNNY_FINISH, FUNNY_PROFILE);
}

RgbImage DrawGiftHeart() {
  FunnyCanvas canvas(Hex(0x4A0610));
  const HeartForm form{128, 90, 56, 70, 250};
  const PathFn heart = [form](cairo_t* cr) { HeartPath(cr, form); };
  cairo_pattern_t* red = BallGradient(118, 120, 150, Hex(0xFF5A6E), Hex(0xA3001E));
  canvas.Part(heart, red);
  cairo_pattern_destroy(red);
  const Rgb gold = Hex(0xF6C445), goldShade = Hex(0xC9901C);
  canvas.Paint([](cairo_t* cr) { cairo_rectangle(cr, 119, 0, 18, 256); }, gold);
  canvas.Line([](cairo_t* cr) {
    cairo_move_to(cr, 119.5, 0);
    cairo_line_to(cr, 119.5, 256);
    cairo_move_to(cr, 136.5, 0);
    cairo_line_to(cr, 136.5, 256);
  }, goldShade, 1);
  canvas.Paint([](cairo_t* cr) { EllipsePath(cr, 52, 68, 16, 28); }, Hex(0xFFFFFF), 0.4);
  // The bow sits in the notch between the lobes.
  const PathFn bow = [](cairo_t* cr) {
    LeafPath(cr, 128, 46, 74, 18, 44, 0);
    LeafPath(cr, 128, 46, 182, 18, 44, 0);
    LeafPath(cr, 128, 48, 100, 86, 16, 0.05);
    LeafPath(cr, 128, 48, 156, 86, 16, -0.05);
  };
  canvas.Part(bow, gold);
  canvas.Line([](cairo_t* cr) {
    cairo_move_to(cr, 124, 44);
    cairo_curve_to(cr, 110, 30, 96, 26, 84, 22);
    cairo_move_to(cr, 132, 44);
    cairo_curve_to(cr, 146, 30, 160, 26, 172, 22);
  }, goldShade, 2.5);
  canvas.Part([](cairo_t* cr) { CirclePath(cr, 128, 46, 11); }, Hex(0xE8A92E));
  canvas.Hole(heart, 27);
  return canvas.Render(FUNNY_FINISH, FUNNY_PROFILE);
}

void Sprinkles(FunnyCanvas& canvas, double cx, double cy, double rx, double ry, uint64_t seed) {
  const Rgb colours[] = {Hex(0xFFFFFF), Hex(0x4FC3F7), Hex(0xFFEB3B), Hex(0x7E57C2), Hex(0xFF7043)};
  Random random(seed);
  for (int i = 0; i < 60; ++i) {
    const double angle = random.Between(0, 2 * PI), reach = random.Between(0.82f, 0.97f);
    const double x = cx + rx * reach * std::cos(angle), y = cy + ry * reach * std::sin(angle);
    const double turn = random.Between(0, PI);
    canvas.Line([=](cairo_t* cr) {
      cairo_move_to(cr, x - 3 * std::cos(turn), y - 3 * std::sin(turn));
      cairo_line_to(cr, x + 3 * std::cos(turn), y + 3 * std::sin(turn));
    }, colours[random.Below(5)], 2.5);
  }
}

RgbImage DrawIceCreamCone() {
  FunnyCanvas canvas(Hex(0x5A3010));
  const PathFn cone = [](cairo_t* cr) { PolygonPath(cr, {{50, 168}, {206, 168}, {128, 253}}); };
  canvas.Part(cone, Hex(0xDDA25C));
  cairo_save(canvas.art());
  cone(canvas.art());
  cairo_clip(canvas.art());
  canvas.Line([](cairo_t* cr) {
    for (int i = -8; i < 12; ++i) {
      cairo_move_to(cr, 30 + i * 18, 150);
      cairo_line_to(cr, 130 + i * 18, 256);
      cairo_move_to(cr, 226 - i * 18, 150);
      cairo_line_to(cr, 126 - i * 18, 256);
    }
  }, Hex(0xA86F2E), 3);
  cairo_restore(canvas.art());
  cairo_pattern_t* pink = BallGradient(128, 100, 120, Hex(0xFFC4DC), Hex(0xE0679A));
  const PathFn scoop = [](cairo_t* cr) {
    EllipsePath(cr, 128, 100, 108, 96);
    for (int i = 0; i < 6; ++i) CirclePath(cr, 42 + i * 34.5, 186 + (i % 2) * 8, 12 + (i % 3) * 2);
  };
  canvas.Part(scoop, pink);
  cairo_pattern_destroy(pink);
  Sprinkles(canvas, 128, 100, 108, 96, 2020);
  canvas.Hole([](cairo_t* cr) { EllipsePath(cr, 128, 98, 86, 74); });
  return canvas.Render(FUNNY_FINISH, FUNNY_PROFILE);
}

RgbImage DrawIceCreamCup() {
  FunnyCanvas canvas(Hex(0x3A1A10));
  const PathFn cup = [](cairo_t* cr) { PolygonPath(cr, {{42, 170}, {214, 170}, {192, 252}, {64, 252}}); };
  canvas.Part(cup, Hex(0xF4F4F4));
  cairo_save(canvas.art());
  cup(canvas.art());
  cairo_clip(canvas.art());
  for (int i = 0; i < 5; ++i)
    canvas.Paint([i](cairo_t* cr) {
      const double top = 50 + i * 38, bottom = 72 + i * 28;
      PolygonPath(cr, {{top, 170}, {top + 19, 170}, {bottom + 14, 252}, {bottom, 252}});
    }, Hex(0xE53950));
  cairo_restore(canvas.art());
  canvas.Part([](cairo_t* cr) { RoundedRectPath(cr, 30, 160, 196, 22, 8); }, Hex(0x64B5F6));
  cairo_pattern_t* chocolate = BallGradient(84, 104, 86, Hex(0xA8704A), Hex(0x5D3219));
  cairo_pattern_t* mint = BallGradient(172, 104, 86, Hex(0xD8F8E8), Hex(0x6CC9A0));
  const PathFn left = [](cairo_t* cr) { CirclePath(cr, 84, 106, 78); };
  const PathFn right = [](cairo_t* cr) { CirclePath(cr, 172, 106, 78); };
  canvas.Part(left, chocolate);
  canvas.Part(right, mint);
  cairo_pattern_destroy(chocolate);
  cairo_pattern_destroy(mint);
  canvas.Part([](cairo_t* cr) {
    cairo_move_to(cr, 126, 22);
    cairo_curve_to(cr, 126, 14, 132, 6, 142, 2);
    cairo_line_to(cr, 145, 6);
    cairo_curve_to(cr, 136, 10, 131, 16, 131, 22);
    cairo_close_path(cr);
  }, Hex(0x4E7D2A));
  cairo_pattern_t* cherry = BallGradient(128, 34, 16, Hex(0xFF6B6B), Hex(0xB0001E));
  canvas.Part([](cairo_t* cr) { CirclePath(cr, 128, 34, 15); }, cherry);
  cairo_pattern_destroy(cherry);
  canvas.Paint([](cairo_t* cr) { CirclePath(cr, 123, 29, 4); }, Hex(0xFFFFFF), 0.6);
  canvas.Hole(left, 20);
  canvas.Hole(right, 20);
  return canvas.Render(FUNNY_FINISH, FUNNY_PROFILE);
}

RgbImage DrawOnion() {
  FunnyCanvas canvas(Hex(0x4A2A0C));
  const Rgb leafGreen = Hex(0x5DBB4A);
  canvas.Part([](cairo_t* cr) { LeafPath(cr, 126, 50, 92, 3, 16, 0.08); }, leafGreen);
  canvas.Part([](cairo_t* cr) { LeafPath(cr, 130, 50, 166, 3, 16, -0.08); }, Hex(0x4CA63C));
  canvas.Part([](cairo_t* cr) { LeafPath(cr, 128, 56, 130, 2, 14, 0.02); }, leafGreen);
  canvas.Part([](cairo_t* cr) {
    for (int i = -2; i <= 2; ++i) BarPath(cr, 128, 244, 128 + i * 8, 254, 3);
  }, Hex(0xC8B48C));
  const PathFn bulb = [](cairo_t* cr) {
    EllipsePath(cr, 128, 160, 104, 92);
    cairo_new_sub_path(cr);
    cairo_move_to(cr, 128, 40);
    cairo_curve_to(cr, 140, 70, 200, 80, 214, 110);
    cairo_line_to(cr, 42, 110);
    cairo_curve_to(cr, 56, 80, 116, 70, 128, 40);
    cairo_close_path(cr);
  };
  cairo_pattern_t* skin = BallGradient(128, 150, 130, Hex(0xF0B870), Hex(0xA65E22));
  canvas.Part(bulb, skin);
  cairo_pattern_destroy(skin);
  cairo_save(canvas.art());
  bulb(canvas.art());
  cairo_clip(canvas.art());
  canvas.Line([](cairo_t* cr) {
    for (int i = -4; i <= 4; ++i) {
      if (i == 0) continue;
      cairo_move_to(cr, 128, 44);
      cairo_curve_to(cr, 128 + i * 36, 100, 128 + i * 34, 210, 128 + i * 6, 252);
    }
  }, Hex(0x8B4F1E), 2);
  cairo_restore(canvas.art());
  canvas.Hole(bulb, 22);
  return canvas.Render(FUNNY_FINISH, FUNNY_PROFILE);
}

void StarFacets(FunnyCanvas& canvas, double cx, double cy, double outer, double inner, double turnDegrees,
                Rgb light, Rgb shade) {
  for (int i = 0; i < 10; ++i) {
    const double a0 = (turnDegrees - 90.0) * PI / 180.0 + PI * i / 5, a1 = a0 + PI / 5;
    const double r0 = i % 2 == 0 ? outer : inner, r1 = i % 2 == 0 ? inner : outer;
    canvas.Paint([=](cairo_t* cr) {
      PolygonPath(cr, {{cx, cy}, {cx + r0 * std::cos(a0), cy + r0 * std::sin(a0)},
                       {cx + r1 * std::cos(a1), cy + r1 * std::sin(a1)}});
    }, i % 2 == 0 ? light : shade, 0.55);
  }
}

RgbImage DrawShootingStar() {
  FunnyCanvas canvas(Hex(0x6B4200));
  constexpr double cx = 136, cy = 124, outer = 114, inner = 70, turn = 14;
  const Rgb trail[] = {Hex(0xFF8F1C), Hex(0xFFC83D), Hex(0xFFEFA0)};
  // Three streaks fan out from the star and taper towards the bottom left.
  for (int i = 0; i < 3; ++i)
    canvas.Part([i](cairo_t* cr) {
      const double spread = (i - 1) * 32.0, ux = -0.73, uy = 0.68, px = 0.68, py = 0.73;
      const double startX = cx + px * spread, startY = cy + py * spread;
      const double length = 160 - std::abs(spread) / 2;
      const double endX = startX + ux * length, endY = startY + uy * length;
      cairo_move_to(cr, startX + px * 19, startY + py * 19);
      cairo_curve_to(cr, startX + px * 19 + ux * 80, startY + py * 19 + uy * 80, endX + px * 8, endY + py * 8, endX, endY);
      cairo_curve_to(cr, endX - px * 8, endY - py * 8, startX - px * 19 + ux * 80, startY - py * 19 + uy * 80,
                     startX - px * 19, startY - py * 19);
      cairo_close_path(cr);
    }, trail[i]);
  for (const Point& sparkle : {Point{30, 120}, Point{122, 238}, Point{226, 236}})
    canvas.Part([sparkle](cairo_t* cr) { StarPath(cr, sparkle.first, sparkle.second, 4, 14, 4); }, Hex(0xFFF6C8));
  const PathFn star = [](cairo_t* cr) { StarPath(cr, cx, cy, 5, outer, inner, turn); };
  canvas.Part(star, Hex(0xFFCC1A));
  StarFacets(canvas, cx, cy, outer, inner, turn, Hex(0xFFF3A0), Hex(0xE89A00));
  canvas.Hole(star, 14);
  return canvas.Render(FUNNY_FINISH, FUNNY_PROFILE);
}

RgbImage DrawYellowStar() {
  FunnyCanvas canvas(Hex(0x6B4200));
  constexpr double cx = 128, cy = 137, outer = 132, inner = 80;
  const PathFn star = [](cairo_t* cr) { StarPath(cr, cx, cy, 5, outer, inner); };
  canvas.Part(star, Hex(0xFFD21F));
  StarFacets(canvas, cx, cy, outer, inner, 0, Hex(0xFFF6B0), Hex(0xF0A000));
  canvas.Hole(star, 16);
  return canvas.Render(FUNNY_FINISH, FUNNY_PROFILE);
}

RgbImage DrawSunflower() {
  FunnyCanvas canvas(Hex(0x5A3A00));
  constexpr double cx = 128, cy = 128;
  for (int row = 0; row < 2; ++row)
    for (int i = 0; i < 22; ++i) {
      const double angle = (i + row * 0.5) * 2 * PI / 22;
      const double tip = row == 0 ? 126 : 118;
      canvas.Part([=](cairo_t* cr) {
        LeafPath(cr, cx + 84 * std::cos(angle), cy + 84 * std::sin(angle), cx + tip * std::cos(angle),
                 cy + tip * std::sin(angle), 26);
      }, row == 0 ? Hex(0xF2A900) : Hex(0xFFD42A));
    }
  canvas.Part([](cairo_t* cr) { CirclePath(cr, cx, cy, 96); }, Hex(0x5B3A1A));
  // Seeds in a sunflower's spiral, on the ring around the hole.
  for (int i = 0; i < 400; ++i) {
    const double reach = 6.0 * std::sqrt(i + 0.5), angle = i * 2.39996323;
    if (reach < 76 || reach > 94) continue;
    canvas.Paint([=](cairo_t* cr) { CirclePath(cr, cx + reach * std::cos(angle), cy + reach * std::sin(angle), 2.2); },
                 i % 3 == 0 ? Hex(0x8A5A2A) : Hex(0x3E2610));
  }
  canvas.Hole([](cairo_t* cr) { CirclePath(cr, cx, cy, 78); });
  return canvas.Render(FUNNY_FINISH, FUNNY_PROFILE);
}

}  // namespace

RgbImage DrawFunnyFrame(int index) {
  switch (index) {
    case 0:
      return DrawApple();
    case 1:
      return DrawCat();
    case 2:
      return DrawClover();
    case 3:
      return DrawComputer();
    case 4:
      return DrawGiftHeart();
    case 5:
      return DrawIceCreamCone();
    case 6:
      return DrawIceCreamCup();
    case 7:
      return DrawOnion();
    case 8:
      return DrawShootingStar();
    case 9:
      return DrawYellowStar();
    case 10:
      return DrawSunflower();
    case 11:
      return DrawTelephone();
    case 12:
      return DrawToiletPaper();
    case 13:
      return DrawTelevision();
    case 14:
      return DrawWindowWithTwoPanes();
    default:
      return DrawArchedWindow();
  }
}
