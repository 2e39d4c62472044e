#include "material_frames.h"

#include <algorithm>
#include <cmath>

#include "noise.h"
#include "shapes.h"

namespace {

constexpr double C = FRAME_SIZE / 2.0;

struct ShapeOutline {
  PathFn path;
  float bandWidth;
  float holeRounding;  // rounds the hole's sharp tips (stars)
};

ShapeOutline Outline(int shapeIndex) {
  switch (shapeIndex) {
    case 0:
      return {[](cairo_t* cr) { CirclePath(cr, C, C, 126); }, 24, 0};
    case 1:
      return {[](cairo_t* cr) {
                const double cx = C, cy = 122, reach = 70, leaf = 57;
                for (int i = 0; i < 4; ++i) {
                  const double angle = (45 + 90 * i) * M_PI / 180;
                  CirclePath(cr, cx + reach * std::cos(angle), cy + reach * std::sin(angle), leaf);
                }
                CirclePath(cr, cx, cy, 62);
                // The stem grows from the notch between the two lower leaves.
                cairo_new_sub_path(cr);
                cairo_move_to(cr, cx - 7, cy + 70);
                cairo_curve_to(cr, cx - 6, cy + 106, cx + 10, cy + 118, cx + 28, cy + 131);
                cairo_line_to(cr, cx + 42, cy + 127);
                cairo_curve_to(cr, cx + 22, cy + 112, cx + 8, cy + 100, cx + 7, cy + 70);
                cairo_close_path(cr);
                PolygonPath(cr, {{cx - 20, cy + 72}, {cx + 20, cy + 72}, {cx, cy + 100}});
              },
              22, 0};
    case 2:
      return {[](cairo_t* cr) { HeartPath(cr, {C, 76, 56, 68, 250}); }, 22, 0};
    case 3:
      return {[](cairo_t* cr) { HeartPath(cr, {C + 2, 92, 44, 80, 234, -12}); }, 22, 0};
    case 4:
      return {[](cairo_t* cr) { HeartPath(cr, {C, 82, 62, 64, 232}); }, 22, 0};
    case 5:
      return {[](cairo_t* cr) { RegularPolygonPath(cr, C, C, 6, 126); }, 22, 0};
    case 6:
      return {[](cairo_t* cr) { RegularPolygonPath(cr, C, C, 8, 126 / std::cos(M_PI / 8), 22.5); }, 24, 0};
    case 7:
      return {[](cairo_t* cr) {
                PolygonPath(cr, {{78, 2}, {178, 2}, {234, 58}, {234, 198}, {178, 254}, {78, 254}, {22, 198}, {22, 58}});
              },
              22, 0};
    case 8:
      return {[](cairo_t* cr) { RoundedRectPath(cr, 22, 2, 212, 252, 5); }, 22, 0};
    case 9:
      return {[](cairo_t* cr) { PolygonPath(cr, {{C, 2}, {254, C}, {C, 254}, {2, C}}); }, 18, 0};
    case 10:
      return {[](cairo_t* cr) { RoundedRectPath(cr, 2, 2, 252, 252, 5); }, 24, 0};
    case 11:
      return {[](cairo_t* cr) { StarPath(cr, C, 137, 5, 132, 80); }, 16, 7};
    case 12:
      return {[](cairo_t* cr) { StarPath(cr, C, C, 6, 126, 80); }, 17, 7};
    case 13:
      return {[](cairo_t* cr) { StarPath(cr, C, C, 8, 126, 90, 22.5); }, 18, 6};
    default:
      return {[](cairo_t* cr) { StarPath(cr, C, C, 12, 126, 101); }, 18, 5};
  }
}

// Rounds a mask's corners and thin tips: an erosion followed by a dilation.
Mask Opened(const Mask& mask, float radius) {
  const Field distance = DistanceTo(Eroded(mask, radius));
  Mask out(mask.width, mask.height);
  for (size_t i = 0; i < out.cells.size(); ++i) out.cells[i] = distance.cells[i] <= radius ? 1 : 0;
  return out;
}

float SmoothStep(float low, float high, float x) {
  const float t = std::clamp((x - low) / (high - low), 0.0f, 1.0f);
  return t * t * (3 - 2 * t);
}

RgbImage CorkAlbedo() {
  CairoCanvas canvas(FRAME_SIZE, FRAME_SIZE);
  cairo_t* cr = canvas.cr;
  SetColor(cr, Hex(0xB07A4A));
  cairo_paint(cr);
  const Rgb granules[] = {Hex(0x8A5A30), Hex(0xD19A66), Hex(0x5E3A1E), Hex(0x8A5A30), Hex(0xD19A66)};
  Random random(2000);
  for (int i = 0; i < 7000; ++i) {
    const double x = random.Between(0, FRAME_SIZE), y = random.Between(0, FRAME_SIZE);
    SetColor(cr, granules[random.Below(5)], random.Between(0.55f, 0.95f));
    CirclePath(cr, x, y, random.Between(0.6f, 1.5f));
    cairo_fill(cr);
  }
  return canvas.ToRgb();
}

RgbImage MarbleAlbedo() {
  RgbImage image(FRAME_SIZE, FRAME_SIZE);
  const Rgb base = Hex(0xE8E4DC), cloud = Hex(0xD6D2CB), vein = Hex(0x9A9A9A), deepVein = Hex(0x6E7B8B),
            faint = Hex(0xC9B9A6);
  for (int y = 0; y < FRAME_SIZE; ++y)
    for (int x = 0; x < FRAME_SIZE; ++x) {
      const float turbulence = FractalNoise(x / 64.0f, y / 64.0f, 4, 31);
      const float main = std::abs(std::sin((x * 0.55f + y * 0.85f) / 23.0f + 9.0f * turbulence));
      const float second = std::abs(std::sin((x * 0.9f - y * 0.4f) / 17.0f + 7.0f * FractalNoise(x / 48.0f, y / 48.0f, 3, 77)));
      Rgb c = Mix(base, cloud, SmoothStep(0.45f, 0.8f, FractalNoise(x / 90.0f, y / 90.0f, 3, 5)));
      c = Mix(c, faint, 0.55f * std::pow(1.0f - second, 14.0f));
      const float line = std::pow(1.0f - main, 20.0f);
      c = Mix(c, turbulence > 0.5f ? deepVein : vein, std::min(1.0f, 1.3f * line));
      image.at(x, y) = c;
    }
  return image;
}

RgbImage MetalAlbedo(const BandGeometry& band) {
  RgbImage image(FRAME_SIZE, FRAME_SIZE);
  const Rgb base = Hex(0xA8ADB3), rim = Hex(0x5A5F66);
  for (int y = 0; y < FRAME_SIZE; ++y)
    for (int x = 0; x < FRAME_SIZE; ++x) {
      // Brushed streaks run along the band: they change across it, barely along it.
      const float across = band.toOutside.at(x, y);
      const float streak = ValueNoise(across * 1.7f, FractalNoise(x / 90.0f, y / 90.0f, 2, 3) * 3.0f, 11) - 0.5f;
      Rgb c = Scale(base, 1.0f + 0.12f * streak);
      const float edge = std::min(band.toOutside.at(x, y), band.toHole.at(x, y));
      c = Mix(c, rim, 1.0f - SmoothStep(1.5f, 3.5f, edge));
      image.at(x, y) = c;
    }
  return image;
}

RgbImage RattanAlbedo() {
  RgbImage image(FRAME_SIZE, FRAME_SIZE);
  const Rgb cane = Hex(0xC8A165), gap = Hex(0x6B4A22);
  constexpr float PITCH = 9.0f, STRAND = 7.5f;
  for (int y = 0; y < FRAME_SIZE; ++y)
    for (int x = 0; x < FRAME_SIZE; ++x) {
      const float u = (x + y + 1) / 1.41421356f / PITCH, v = (x - y + 300) / 1.41421356f / PITCH;
      const int iu = static_cast<int>(std::floor(u)), iv = static_cast<int>(std::floor(v));
      const float fu = (u - iu) * PITCH, fv = (v - iv) * PITCH;
      const bool uStrand = fu < STRAND, vStrand = fv < STRAND;
      // Over and under: in alternate cells the other family of strands lies on top.
      const bool uOnTop = uStrand && (!vStrand || (iu + iv) % 2 == 0);
      if (!uStrand && !vStrand) {
        image.at(x, y) = gap;
        continue;
      }
      const float across = (uOnTop ? fu : fv) / STRAND, along = (uOnTop ? fv : fu) / PITCH;
      const int strand = uOnTop ? iu : iv + 1000;
      const float tint = 0.92f + 0.16f * ValueNoise(static_cast<float>(strand), 0.5f, 19);
      const float round = 0.72f + 0.38f * std::sin(static_cast<float>(M_PI) * across);
      const float dip = 1.0f - 0.3f * std::pow(std::abs(2.0f * along - 1.0f), 6.0f);
      image.at(x, y) = Scale(cane, tint * round * dip);
    }
  return image;
}

RgbImage WoodAlbedo(const BandGeometry& band) {
  RgbImage image(FRAME_SIZE, FRAME_SIZE);
  const Rgb base = Hex(0x8B5A2B), dark = Hex(0x6B4220), light = Hex(0xA8743E);
  for (int y = 0; y < FRAME_SIZE; ++y)
    for (int x = 0; x < FRAME_SIZE; ++x) {
      // Grain lines follow the band: they run parallel to its outer edge.
      const float depth = band.toOutside.at(x, y) + 5.0f * FractalNoise(x / 40.0f, y / 40.0f, 3, 7);
      const float ring = 0.5f + 0.5f * std::sin(depth * 1.25f + 2.0f * FractalNoise(x / 12.0f, y / 12.0f, 2, 9));
      const float figure = FractalNoise(x / 30.0f, y / 30.0f, 2, 13);
      Rgb c = Mix(base, light, 0.7f * SmoothStep(0.55f, 0.95f, figure));
      c = Mix(c, dark, 0.85f * std::pow(ring, 5.0f));
      image.at(x, y) = c;
    }
  return image;
}

Finish MaterialFinish(Material material) {
  switch (material) {
    case Material::Cork:
      return {0.8f, 0.05f, 6, 0, 0.6f};
    case Material::Marble:
      return {0.9f, 0.55f, 80, 0, 0.62f};
    case Material::Metal:
      return {1.0f, 0.85f, 40, 0.9f, 0.55f};
    case Material::Rattan:
      return {0.8f, 0.08f, 8, 0, 0.55f};
    default:
      return {0.9f, 0.3f, 24, 0, 0.55f};
  }
}

}  // namespace

FrameShape MaterialFrameShape(int shapeIndex) {
  const ShapeOutline outline = Outline(shapeIndex);
  FrameShape shape{WithoutEnclosedGaps(MaskFromPath(FRAME_SIZE, FRAME_SIZE, outline.path)), {}};
  shape.hole = Eroded(shape.outline, outline.bandWidth);
  if (outline.holeRounding > 0) shape.hole = Opened(shape.hole, outline.holeRounding);
  return shape;
}

RgbImage DrawMaterialFrame(Material material, int shapeIndex) {
  const FrameShape shape = MaterialFrameShape(shapeIndex);
  const BandGeometry band = MeasureBand(shape, 11.0f);
  RgbImage albedo;
  switch (material) {
    case Material::Cork:
      albedo = CorkAlbedo();
      break;
    case Material::Marble:
      albedo = MarbleAlbedo();
      break;
    case Material::Metal:
      albedo = MetalAlbedo(band);
      break;
    case Material::Rattan:
      albedo = RattanAlbedo();
      break;
    case Material::Wood:
      albedo = WoodAlbedo(band);
      break;
  }
  return ShadeFrame(shape, band, albedo, MaterialFinish(material));
}
