#include "small_pictures.h"

#include <algorithm>
#include <cmath>

#include "frame_render.h"
#include "noise.h"
#include "shapes.h"

namespace {

void AddStop(cairo_pattern_t* pattern, double offset, Rgb colour) {
  cairo_pattern_add_color_stop_rgb(pattern, offset, colour.r / 255.0, colour.g / 255.0, colour.b / 255.0);
}

void FillWith(cairo_t* cr, cairo_pattern_t* pattern) {
  cairo_set_source(cr, pattern);
  cairo_fill(cr);
  cairo_pattern_destroy(pattern);
}

void Hill(cairo_t* cr, double base, double amplitude, double phase, Rgb colour) {
  cairo_move_to(cr, 0, PHOTO_HEIGHT);
  for (int x = 0; x <= PHOTO_WIDTH; ++x)
    cairo_line_to(cr, x, base - amplitude * std::sin(x / 18.0 + phase) - amplitude * 0.4 * std::sin(x / 7.0 + phase * 2));
  cairo_line_to(cr, PHOTO_WIDTH, PHOTO_HEIGHT);
  cairo_close_path(cr);
  SetColor(cr, colour);
  cairo_fill(cr);
}

void Tree(cairo_t* cr, double x, double ground, double height, Rgb colour) {
  SetColor(cr, colour);
  PolygonPath(cr, {{x, ground - height}, {x + height * 0.32, ground}, {x - height * 0.32, ground}});
  cairo_fill(cr);
}

// The largest size, at most maxSize, at which text fits in width.
void FitText(cairo_t* cr, const char* family, bool bold, const char* text, double width, double maxSize) {
  for (double size = maxSize;; size -= 0.5) {
    SelectFont(cr, family, bold, size);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text, &extents);
    if (extents.x_advance <= width || size <= 6) return;
  }
}

void CentredText(cairo_t* cr, const char* text, double cx, double baseline) {
  cairo_text_extents_t extents;
  cairo_text_extents(cr, text, &extents);
  const double x = std::round(cx - extents.x_advance / 2);
  cairo_set_source_rgba(cr, 0.35, 0, 0.08, 0.55);
  cairo_move_to(cr, x + 1, baseline + 1);
  cairo_show_text(cr, text);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_move_to(cr, x, baseline);
  cairo_show_text(cr, text);
}

}  // namespace

void SelectFont(cairo_t* cr, const char* family, bool bold, double size) {
  cairo_select_font_face(cr, family, CAIRO_FONT_SLANT_NORMAL, bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, size);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

RgbImage DrawDefaultPhoto() {
  CairoCanvas canvas(PHOTO_WIDTH, PHOTO_HEIGHT);
  cairo_t* cr = canvas.cr;
  cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, 84);
  AddStop(sky, 0, Hex(0x2E3A82));
  AddStop(sky, 0.45, Hex(0xB8609E));
  AddStop(sky, 0.75, Hex(0xF59A8C));
  AddStop(sky, 1, Hex(0xFFD37A));
  cairo_rectangle(cr, 0, 0, PHOTO_WIDTH, PHOTO_HEIGHT);
  FillWith(cr, sky);
  cairo_pattern_t* glow = cairo_pattern_create_radial(52, 62, 2, 52, 62, 40);
  cairo_pattern_add_color_stop_rgba(glow, 0, 1, 0.95, 0.75, 0.85);
  cairo_pattern_add_color_stop_rgba(glow, 1, 1, 0.8, 0.6, 0);
  cairo_rectangle(cr, 0, 0, PHOTO_WIDTH, PHOTO_HEIGHT);
  FillWith(cr, glow);
  HeartPath(cr, {52, 58, 5.5, 7, 72});
  SetColor(cr, Hex(0xFFF1C4));
  cairo_fill(cr);
  Random random(1999);
  for (int i = 0; i < 5; ++i) {
    const double y = 12 + i * 9, x = random.Between(-10, 60);
    SetColor(cr, Hex(0xF8C8D8), 0.35);
    EllipsePath(cr, x + 15, y, random.Between(10, 18), 1.6);
    cairo_fill(cr);
  }
  for (int i = 0; i < 14; ++i) {
    SetColor(cr, Hex(0xFFFFFF), random.Between(0.4f, 0.9f));
    CirclePath(cr, random.Between(0, PHOTO_WIDTH), random.Between(0, 22), 0.45);
    cairo_fill(cr);
  }
  Hill(cr, 76, 4, 1.0, Hex(0x7E5A96));
  Hill(cr, 86, 5, 3.2, Hex(0x4F6E78));
  // The lake mirrors the sky and the sun.
  cairo_pattern_t* lake = cairo_pattern_create_linear(0, 88, 0, 104);
  AddStop(lake, 0, Hex(0xF0A88E));
  AddStop(lake, 1, Hex(0x6A5890));
  cairo_rectangle(cr, 0, 88, PHOTO_WIDTH, 16);
  FillWith(cr, lake);
  SetColor(cr, Hex(0xFFE6A8), 0.7);
  for (int i = 0; i < 6; ++i) {
    cairo_rectangle(cr, 48 - i * 0.6 + (i % 2) * 2, 89.5 + i * 2.4, 8 - i * 0.8, 0.9);
    cairo_fill(cr);
  }
  Hill(cr, 106, 3, 5.0, Hex(0x355E3C));
  Hill(cr, 118, 4, 0.3, Hex(0x24452C));
  for (const auto& [x, h] : {std::pair{8.0, 16.0}, {15.0, 12.0}, {72.0, 18.0}, {79.0, 13.0}, {64.0, 10.0}})
    Tree(cr, x, 112, h, Hex(0x18321F));
  const Rgb petals[] = {Hex(0xFF8FB1), Hex(0xFFF1A8), Hex(0xFFFFFF)};
  for (int i = 0; i < 40; ++i) {
    SetColor(cr, petals[random.Below(3)]);
    CirclePath(cr, random.Between(0, PHOTO_WIDTH), random.Between(116, PHOTO_HEIGHT), random.Between(0.6f, 1.2f));
    cairo_fill(cr);
  }
  return canvas.ToRgb();
}

RgbImage DrawSplash() {
  const HeartForm form{95, 54, 43, 51, 150};
  const PathFn heart = [form](cairo_t* cr) { HeartPath(cr, form); };
  CairoCanvas canvas(SPLASH_WIDTH, SPLASH_HEIGHT);
  cairo_t* cr = canvas.cr;
  SetColor(cr, Hex(0x6A0018));
  cairo_paint(cr);
  cairo_pattern_t* glossy = cairo_pattern_create_radial(62, 40, 6, 95, 80, 120);
  AddStop(glossy, 0, Hex(0xFF8FB0));
  AddStop(glossy, 0.45, Hex(0xF0305A));
  AddStop(glossy, 1, Hex(0xB0001E));
  heart(cr);
  FillWith(cr, glossy);
  SetColor(cr, Hex(0xFFFFFF), 0.35);
  EllipsePath(cr, 42, 34, 14, 9);
  cairo_fill(cr);
  FitText(cr, "DejaVu Sans Condensed", true, "Brivanta", 130, 26);
  CentredText(cr, "Brivanta", 95, 70);
  FitText(cr, "DejaVu Sans Condensed", true, "Cherimo", 110, 26);
  CentredText(cr, "Cherimo", 95, 94);
  SelectFont(cr, "DejaVu Sans Condensed", true, 10);
  CentredText(cr, "Happy", 95, 110);
  CentredText(cr, "Valentine's Day!", 95, 122);
  const FrameShape shape{MaskFromPath(SPLASH_WIDTH, SPLASH_HEIGHT, heart), Mask(SPLASH_WIDTH, SPLASH_HEIGHT)};
  return ShadeFrame(shape, MeasureBand(shape, 5), canvas.ToRgb(), {0.8f, 0.2f, 30, 0, 0.55f});
}

RgbImage DrawHint() {
  CairoCanvas canvas(HINT_WIDTH, HINT_HEIGHT);
  cairo_t* cr = canvas.cr;
  cairo_pattern_t* card = cairo_pattern_create_linear(0, 0, 0, HINT_HEIGHT);
  AddStop(card, 0, Hex(0xFFFBF0));
  AddStop(card, 1, Hex(0xF6EAD2));
  cairo_rectangle(cr, 0, 0, HINT_WIDTH, HINT_HEIGHT);
  FillWith(cr, card);
  SetColor(cr, Hex(0xB08A5A));
  cairo_set_line_width(cr, 1);
  cairo_rectangle(cr, 0.5, 0.5, HINT_WIDTH - 1, HINT_HEIGHT - 1);
  cairo_stroke(cr);
  HeartPath(cr, {14, 20, 3.6, 5, 30});
  SetColor(cr, Hex(0xD81B45));
  cairo_fill(cr);
  SelectFont(cr, "DejaVu Sans Condensed", false, 11);
  SetColor(cr, Hex(0x3A2A1A));
  cairo_move_to(cr, 26, 20);
  cairo_show_text(cr, "Right click: menu    Wheel or + / \xE2\x88\x92: frame size");
  cairo_move_to(cr, 26, 37);
  cairo_show_text(cr, "Ctrl + drag: move photo    Shift + drag: zoom");
  return canvas.ToRgb();
}

IconArt DrawIconArt(int size) {
  const double k = size / 32.0, line = std::max(1L, std::lround(k)), margin = line;
  const double inset = static_cast<double>(std::lround(7 * k)), radius = 3 * k;
  CairoCanvas canvas(size, size, CAIRO_FORMAT_ARGB32);
  cairo_t* cr = canvas.cr;
  cairo_pattern_t* wood = cairo_pattern_create_linear(0, 0, size, size);
  AddStop(wood, 0, Hex(0xC08040));
  AddStop(wood, 1, Hex(0x6E4220));
  RoundedRectPath(cr, margin, margin, size - 2 * margin, size - 2 * margin, radius);
  FillWith(cr, wood);
  SetColor(cr, Hex(0x4A2A10));
  cairo_set_line_width(cr, line);
  RoundedRectPath(cr, margin + line / 2, margin + line / 2, size - 2 * margin - line, size - 2 * margin - line,
                  radius - line / 2);
  cairo_stroke(cr);
  SetColor(cr, Hex(0xFFF3E0));
  cairo_rectangle(cr, inset, inset, size - 2 * inset, size - 2 * inset);
  cairo_fill(cr);
  SetColor(cr, Hex(0x4A2A10));
  cairo_rectangle(cr, inset - line / 2, inset - line / 2, size - 2 * inset + line, size - 2 * inset + line);
  cairo_stroke(cr);
  HeartPath(cr, {16 * k, 13.5 * k, 3.2 * k, 4.6 * k, 23 * k});
  SetColor(cr, Hex(0xE0102F));
  cairo_fill(cr);
  SetColor(cr, Hex(0xFFFFFF), 0.7);
  CirclePath(cr, 12.5 * k, 12.5 * k, 1.2 * k);
  cairo_fill(cr);
  IconArt art{canvas.ToRgb(), canvas.Alpha()};
  // The colour channels are premultiplied: bring the edge pixels back to full strength.
  for (size_t i = 0; i < art.alpha.cells.size(); ++i)
    if (art.alpha.cells[i] > 0 && art.alpha.cells[i] < 255)
      art.colour.cells[i] = Scale(art.colour.cells[i], 255.0f / art.alpha.cells[i]);
  return art;
}
