#include "frame_render.h"

#include <algorithm>
#include <cmath>

namespace {

Field Blurred(const Field& field) {
  constexpr float TAPS[5] = {1 / 16.f, 4 / 16.f, 6 / 16.f, 4 / 16.f, 1 / 16.f};
  const int w = field.width, h = field.height;
  Field across(w, h), out(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      float sum = 0;
      for (int k = -2; k <= 2; ++k) sum += TAPS[k + 2] * field.at(std::clamp(x + k, 0, w - 1), y);
      across.at(x, y) = sum;
    }
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      float sum = 0;
      for (int k = -2; k <= 2; ++k) sum += TAPS[k + 2] * across.at(x, std::clamp(y + k, 0, h - 1));
      out.at(x, y) = sum;
    }
  return out;
}

bool IsBand(const FrameShape& shape, int x, int y) {
  return shape.outline.contains(x, y) && shape.outline.at(x, y) && !shape.hole.at(x, y);
}

// Brightness of the surroundings seen in a mirror-like surface: a bright sky
// above, a dark horizon band, and a softer floor.
float Surroundings(float reflectedY, float x, float y) {
  const float horizon = (x + y) / (2.0f * FRAME_SIZE) - 0.55f + 0.35f * reflectedY;
  return 0.35f * -reflectedY - 0.55f * std::exp(-horizon * horizon / 0.006f) + 0.1f;
}

}  // namespace

BandGeometry MeasureBand(const FrameShape& shape, float profileWidth) {
  const int w = shape.outline.width, h = shape.outline.height;
  Mask outside(w, h);
  for (size_t i = 0; i < outside.cells.size(); ++i) outside.cells[i] = static_cast<uint8_t>(!shape.outline.cells[i]);
  BandGeometry band{DistanceTo(outside), DistanceTo(shape.hole), Field(w, h), Field(w, h), Field(w, h), Field(w, h)};
  if (CountOn(outside) == 0) band.toOutside = Field(w, h, 1e6f);
  if (CountOn(shape.hole) == 0) band.toHole = Field(w, h, 1e6f);
  // The canvas border is an edge of the band too, for frames that touch it.
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const float toBorder = static_cast<float>(std::min({x + 1, y + 1, w - x, h - y}));
      band.toOutside.at(x, y) = std::min(band.toOutside.at(x, y), toBorder);
    }
  Field raw(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (!IsBand(shape, x, y)) continue;
      const float d = std::min(band.toOutside.at(x, y), band.toHole.at(x, y)) - 0.5f;
      const float s = std::min(d / profileWidth, 1.0f);
      raw.at(x, y) = profileWidth * std::sqrt(std::max(0.0f, 1.0f - (1.0f - s) * (1.0f - s)));
    }
  band.height = Blurred(raw);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const float dx = (band.height.at(std::min(x + 1, w - 1), y) - band.height.at(std::max(x - 1, 0), y)) * 0.5f;
      const float dy = (band.height.at(x, std::min(y + 1, h - 1)) - band.height.at(x, std::max(y - 1, 0))) * 0.5f;
      const float length = std::sqrt(dx * dx + dy * dy + 1.0f);
      band.normalX.at(x, y) = -dx / length;
      band.normalY.at(x, y) = -dy / length;
      band.normalZ.at(x, y) = 1.0f / length;
    }
  return band;
}

RgbImage ShadeFrame(const FrameShape& shape, const BandGeometry& band, const RgbImage& albedo, const Finish& finish) {
  const int w = shape.outline.width, h = shape.outline.height;
  // Towards the light (top left, above) and the half vector for a viewer straight in front.
  const float lightLength = std::sqrt(1.0f + 1.0f + 1.6f * 1.6f);
  const float lx = -1.0f / lightLength, ly = -1.0f / lightLength, lz = 1.6f / lightLength;
  const float halfLength = std::sqrt(lx * lx + ly * ly + (lz + 1) * (lz + 1));
  const float hx = lx / halfLength, hy = ly / halfLength, hz = (lz + 1) / halfLength;
  constexpr float AMBIENT = 0.42f;
  const float diffuseWeight = (1.0f - AMBIENT) / lz;  // a flat surface keeps its albedo

  RgbImage out(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (!shape.outline.at(x, y)) {
        out.at(x, y) = KEY_OUTSIDE;
        continue;
      }
      if (shape.hole.at(x, y)) {
        out.at(x, y) = KEY_PHOTO;
        continue;
      }
      float nx = band.normalX.at(x, y) * finish.relief, ny = band.normalY.at(x, y) * finish.relief;
      const float nz0 = band.normalZ.at(x, y);
      const float norm = std::sqrt(nx * nx + ny * ny + nz0 * nz0);
      nx /= norm;
      ny /= norm;
      const float nz = nz0 / norm;
      const float diffuse = std::max(0.0f, nx * lx + ny * ly + nz * lz);
      float light = AMBIENT + diffuseWeight * diffuse;
      if (finish.mirror > 0) light *= 1.0f + finish.mirror * Surroundings(2 * nz * ny, static_cast<float>(x), static_cast<float>(y));
      const float highlight = finish.specular * 255.0f * std::pow(std::max(0.0f, nx * hx + ny * hy + nz * hz), finish.shininess);
      const Rgb base = albedo.at(x, y);
      Rgb lit{static_cast<uint8_t>(std::clamp(base.r * light + highlight, 0.0f, 255.0f)),
              static_cast<uint8_t>(std::clamp(base.g * light + highlight, 0.0f, 255.0f)),
              static_cast<uint8_t>(std::clamp(base.b * light + highlight, 0.0f, 255.0f))};
      bool onEdge = false;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) onEdge |= !IsBand(shape, x + dx, y + dy);
      if (onEdge) lit = Scale(lit, finish.edgeShade);
      if (lit == KEY_OUTSIDE || lit == KEY_PHOTO) lit.g = static_cast<uint8_t>(lit.g ^ 1);
      out.at(x, y) = lit;
    }
  return out;
}
