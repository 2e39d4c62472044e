#include "contact_sheet.h"

#include <algorithm>
#include <cmath>

#include "small_pictures.h"

namespace {

constexpr int COLUMNS = 8, THUMB = 128, CELL_WIDTH = 160, CELL_HEIGHT = 170, MARGIN = 16;
constexpr Rgb SHEET = {236, 234, 230};

// The frame with the photo scaled to cover its hole and a neutral background.
RgbImage WithPhoto(const RgbImage& frame, const RgbImage& photo) {
  int left = frame.width, top = frame.height, right = -1, bottom = -1;
  for (int y = 0; y < frame.height; ++y)
    for (int x = 0; x < frame.width; ++x)
      if (frame.at(x, y) == KEY_PHOTO) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
  const double scale =
      std::max((right - left + 1.0) / photo.width, (bottom - top + 1.0) / photo.height);
  const double offsetX = (left + right + 1) / 2.0 - photo.width * scale / 2;
  const double offsetY = (top + bottom + 1) / 2.0 - photo.height * scale / 2;
  RgbImage out = frame;
  for (int y = 0; y < frame.height; ++y)
    for (int x = 0; x < frame.width; ++x) {
      if (frame.at(x, y) == KEY_OUTSIDE) out.at(x, y) = SHEET;
      if (frame.at(x, y) != KEY_PHOTO) continue;
      const int px = std::clamp(static_cast<int>((x + 0.5 - offsetX) / scale), 0, photo.width - 1);
      const int py = std::clamp(static_cast<int>((y + 0.5 - offsetY) / scale), 0, photo.height - 1);
      out.at(x, y) = photo.at(px, py);
    }
  return out;
}

cairo_surface_t* SurfaceOf(const RgbImage& image) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, image.width, image.height);
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      const Rgb c = image.at(x, y);
      reinterpret_cast<uint32_t*>(data + y * stride)[x] = 0xFF000000u | c.r << 16 | c.g << 8 | c.b;
    }
  cairo_surface_mark_dirty(surface);
  return surface;
}

void Label(cairo_t* cr, const std::string& text, double cx, double baseline) {
  cairo_text_extents_t extents;
  cairo_text_extents(cr, text.c_str(), &extents);
  cairo_move_to(cr, std::round(cx - extents.x_advance / 2), baseline);
  cairo_show_text(cr, text.c_str());
}

}  // namespace

void WriteContactSheet(const std::string& path, const std::vector<CatalogueEntry>& frames, const RgbImage& photo) {
  // Each group starts a new row, so the groups stand apart.
  int rows = 0, column = COLUMNS;
  std::vector<std::pair<int, int>> places;
  for (size_t i = 0; i < frames.size(); ++i) {
    if (column == COLUMNS || (i > 0 && frames[i].group != frames[i - 1].group)) {
      column = 0;
      ++rows;
    }
    places.emplace_back(column++, rows - 1);
  }
  CairoCanvas canvas(2 * MARGIN + COLUMNS * CELL_WIDTH, 2 * MARGIN + rows * CELL_HEIGHT);
  cairo_t* cr = canvas.cr;
  SetColor(cr, SHEET);
  cairo_paint(cr);
  for (size_t i = 0; i < frames.size(); ++i) {
    const double x = MARGIN + places[i].first * CELL_WIDTH, y = MARGIN + places[i].second * CELL_HEIGHT;
    cairo_surface_t* thumb = SurfaceOf(WithPhoto(frames[i].frame, photo));
    cairo_save(cr);
    cairo_translate(cr, x + (CELL_WIDTH - THUMB) / 2.0, y + 4);
    cairo_scale(cr, static_cast<double>(THUMB) / frames[i].frame.width, static_cast<double>(THUMB) / frames[i].frame.height);
    cairo_set_source_surface(cr, thumb, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(thumb);
    SetColor(cr, Hex(0x333333));
    SelectFont(cr, "DejaVu Sans Condensed", true, 11);
    Label(cr, std::to_string(frames[i].id) + "  " + frames[i].group, x + CELL_WIDTH / 2.0, y + THUMB + 20);
    SelectFont(cr, "DejaVu Sans Condensed", false, 11);
    Label(cr, frames[i].name, x + CELL_WIDTH / 2.0, y + THUMB + 34);
  }
  WritePng(path, canvas.ToRgb());
}
