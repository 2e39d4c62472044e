#include "imaging/key_colors.h"

#include <algorithm>

#include "app/size_limits.h"
#include "imaging/heap_array.h"
#include "imaging/reduce.h"

namespace {

constexpr size_t FRAME_KEY_SHARE_MIN = 16;  // one key pixel in this many

}  // namespace

void ReplaceKeyColors(uint32_t* pixels, int width, int height, uint32_t value) {
  if (width <= 0 || height <= 0) return;
  const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
  for (size_t i = 0; i < count; ++i) {
    if (pixels[i] == OUTSIDE_KEY || pixels[i] == PHOTO_KEY) pixels[i] = value;
  }
}

int AnyPixelInside(const uint32_t* pixels, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    if (pixels[i] != OUTSIDE_KEY) return 1;
  }
  return 0;
}

int HasFrameKeys(const uint32_t* pixels, size_t count) {
  size_t keys = 0;
  for (size_t i = 0; i < count; ++i) keys += pixels[i] == OUTSIDE_KEY || pixels[i] == PHOTO_KEY;
  return count > 0 && keys * FRAME_KEY_SHARE_MIN >= count;
}

int ShowsAtEveryWindowSide(const uint32_t* keys, int side) {
  const size_t count = static_cast<size_t>(side) * side;
  for (size_t i = 0; i < count; ++i) {
    if ((keys[i] & OUTSIDE_KEY) != OUTSIDE_KEY) return 1;
  }
  if (!AnyPixelInside(keys, count)) return 0;
  HeapArray<uint32_t> reduced;
  if (!reduced.Allocate(count)) return 0;
  for (int windowSide = WINDOW_SIDE_MIN; windowSide < side && windowSide <= WINDOW_SIDE_MAX; ++windowSide) {
    if (!ReduceByAnd(keys, side, side, reduced.data, windowSide, windowSide) ||
        !AnyPixelInside(reduced.data, static_cast<size_t>(windowSide) * windowSide)) {
      return 0;
    }
  }
  return 1;
}

void MixKeyShare(const uint32_t* art, const uint32_t* keyShare, uint32_t* mixed, int count, uint32_t value) {
  for (int i = 0; i < count; ++i) {
    const uint32_t share = keyShare[i] & 0xFF;
    uint32_t pixel = 0;
    for (int shift = 0; shift < 24; shift += 8) {
      const uint32_t channel = (art[i] >> shift & 0xFF) + ((value >> shift & 0xFF) * share + 127) / 255;
      pixel |= (channel < 255 ? channel : 255) << shift;
    }
    mixed[i] = pixel;
  }
}

void PhotoSpans(const uint32_t* keys, int width, int height, RowSpan* spans) {
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = keys + static_cast<size_t>(y) * width;
    spans[y] = {width, 0};
    for (int x = 0; x < width; ++x) {
      if ((row[x] & PHOTO_KEY) != PHOTO_KEY) continue;
      spans[y].begin = std::min(spans[y].begin, x);
      spans[y].end = x + 1;
    }
  }
  // From the top, so each row joins the next one's own pixels.
  for (int y = 0; y < height; ++y) {
    if (y + 1 < height) {
      spans[y] = {std::min(spans[y].begin, spans[y + 1].begin), std::max(spans[y].end, spans[y + 1].end)};
    }
    spans[y].begin = std::max(spans[y].begin - 1, 0);
  }
}

void ClearFourthBytes(uint32_t* pixels, size_t count) {
  for (size_t i = 0; i < count; ++i) pixels[i] &= 0x00FFFFFF;
}

void FlattenOntoWhite(uint32_t* pixels, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const uint32_t pixel = pixels[i], clear = 255 - (pixel >> 24);
    uint32_t flat = 0;
    for (int shift = 0; shift < 24; shift += 8) flat |= std::min<uint32_t>((pixel >> shift & 0xFF) + clear, 255) << shift;
    pixels[i] = flat;
  }
}

void WidenBgrRows(uint8_t* rows, int width, int height) {
  const size_t stride = static_cast<size_t>(width) * 4;
  for (int y = 0; y < height; ++y) {
    uint8_t* row = rows + static_cast<size_t>(y) * stride;
    // From the right, so no pixel is overwritten before it is read.
    for (int x = width - 1; x >= 0; --x) {
      const uint32_t pixel = row[3 * x] | row[3 * x + 1] << 8 | row[3 * x + 2] << 16;
      reinterpret_cast<uint32_t*>(row)[x] = pixel;
    }
  }
}
