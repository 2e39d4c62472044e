#include "imaging/enlarge.h"

#include "imaging/heap_array.h"
#include "imaging/key_colors.h"

namespace {

// The four source pixels about a destination pixel's centre along one side
// (clamped at the edges), the nearest of them, and their weights: a tent
// over a three-pixel box, 768 in all. The middle two have the bilinear
// weights `near` (256 in all).
struct Taps {
  int index[4];
  int nearest;
  uint32_t wide[4];
  uint32_t near[2];
};

// Pixel centres sit at whole source coordinates; positions are in 1/256 of a
// source pixel. A side of the same size keeps its pixels as they are.
void FillTaps(Taps* taps, int sourceSide, int destinationSide) {
  const int64_t last = static_cast<int64_t>(sourceSide - 1) * 256;
  for (int i = 0; i < destinationSide; ++i) {
    if (sourceSide == destinationSide) {
      taps[i] = {{i, i, i, i}, i, {0, 768, 0, 0}, {256, 0}};
      continue;
    }
    int64_t position = (2 * static_cast<int64_t>(i) + 1) * sourceSide * 128 / destinationSide - 128;
    position = position < 0 ? 0 : position > last ? last : position;
    const int first = static_cast<int>(position >> 8);
    const uint32_t fraction = static_cast<uint32_t>(position & 255);
    Taps& tap = taps[i];
    for (int k = 0; k < 4; ++k) {
      const int index = first - 1 + k;
      tap.index[k] = index < 0 ? 0 : index >= sourceSide ? sourceSide - 1 : index;
    }
    tap.nearest = fraction < 128 ? tap.index[1] : tap.index[2];
    tap.wide[0] = 256 - fraction;
    tap.wide[1] = tap.wide[2] = 256;
    tap.wide[3] = fraction;
    tap.near[0] = 256 - fraction;
    tap.near[1] = fraction;
  }
}

enum Kind { OUTSIDE, PHOTO, ART };

Kind KindOf(uint32_t pixel) { return pixel == OUTSIDE_KEY ? OUTSIDE : pixel == PHOTO_KEY ? PHOTO : ART; }

// Channel sums of artwork pixels and their weight.
struct ArtSum {
  uint32_t weight, red, green, blue;
  void Add(uint32_t pixel, uint32_t w) {
    weight += w;
    red += w * ((pixel >> 16) & 0xFF);
    green += w * ((pixel >> 8) & 0xFF);
    blue += w * (pixel & 0xFF);
  }
  uint32_t Mean() const {
    const uint32_t half = weight / 2;
    const uint32_t mean = (red + half) / weight << 16 | (green + half) / weight << 8 | (blue + half) / weight;
    return mean == OUTSIDE_KEY || mean == PHOTO_KEY ? mean ^ 1 : mean;
  }
};

// A kind wins against the rest with more weight, or with a third of the
// whole where the nearest source pixel is of that kind and a line one pixel thin.
bool Wins(uint32_t weight, uint32_t rest, bool thinNearest) {
  return weight >= rest || (thinNearest && weight * 2 >= rest);
}

// 1 when the source pixel's kind differs on both sides of it, across or down.
bool OnThinLine(const uint32_t* source, int width, int height, int x, int y, Kind kind) {
  const uint32_t* at = source + static_cast<size_t>(y) * width + x;
  const bool across = x > 0 && x + 1 < width && KindOf(at[-1]) != kind && KindOf(at[1]) != kind;
  const bool down = y > 0 && y + 1 < height && KindOf(at[-width]) != kind && KindOf(at[width]) != kind;
  return across || down;
}

uint32_t EnlargedPixel(const uint32_t* source, int sourceWidth, int sourceHeight, const Taps& column, const Taps& row) {
  uint32_t weights[3] = {0, 0, 0};
  ArtSum wideArt = {}, nearArt = {};
  for (int j = 0; j < 4; ++j) {
    const uint32_t* line = source + static_cast<size_t>(row.index[j]) * sourceWidth;
    for (int k = 0; k < 4; ++k) {
      const uint32_t pixel = line[column.index[k]];
      const Kind kind = KindOf(pixel);
      weights[kind] += row.wide[j] * column.wide[k];
      if (kind != ART) continue;
      wideArt.Add(pixel, row.wide[j] * column.wide[k]);
      if (j == 1 || j == 2) {
        if (k == 1 || k == 2) nearArt.Add(pixel, row.near[j - 1] * column.near[k - 1]);
      }
    }
  }
  const Kind nearest = KindOf(source[static_cast<size_t>(row.nearest) * sourceWidth + column.nearest]);
  const bool thin = nearest != OUTSIDE &&
                    OnThinLine(source, sourceWidth, sourceHeight, column.nearest, row.nearest, nearest);
  if (!Wins(weights[PHOTO] + weights[ART], weights[OUTSIDE], thin)) return OUTSIDE_KEY;
  if (!Wins(weights[ART], weights[PHOTO], thin && nearest == ART)) return PHOTO_KEY;
  return nearArt.weight ? nearArt.Mean() : wideArt.Mean();
}

}  // namespace

int EnlargeSmoothly(const uint32_t* source, int sourceWidth, int sourceHeight, uint32_t* destination,
                    int destinationWidth, int destinationHeight) {
  HeapArray<Taps> columns, rows;
  if (!columns.Allocate(destinationWidth) || !rows.Allocate(destinationHeight)) return 0;
  FillTaps(columns.data, sourceWidth, destinationWidth);
  FillTaps(rows.data, sourceHeight, destinationHeight);
  for (int y = 0; y < destinationHeight; ++y) {
    uint32_t* out = destination + static_cast<size_t>(y) * destinationWidth;
    for (int x = 0; x < destinationWidth; ++x) out[x] = EnlargedPixel(source, sourceWidth, sourceHeight, columns[x], rows[y]);
  }
  return 1;
}
