#include "imaging/photo_reductions.h"

#include <algorithm>
#include <utility>

#include "imaging/pixel_lanes.h"

namespace {

// The pixels of one block, summed per channel.
struct ChannelSums {
  uint32_t blue = 0, green = 0, red = 0, count = 0;
  void Add(uint32_t pixel) {
    blue += pixel & 0xFF;
    green += pixel >> 8 & 0xFF;
    red += pixel >> 16 & 0xFF;
    ++count;
  }
  uint32_t Mean() const {
    const uint32_t half = count / 2;
    return (blue + half) / count | ((green + half) / count) << 8 | ((red + half) / count) << 16;
  }
};

// A block cut by the picture's right or bottom edge averages what there is.
uint32_t MeanOfEdgeBlock(const PixelLevel& from, int left, int top, int block) {
  ChannelSums sums;
  for (int y = top; y < top + block && y < from.height; ++y) {
    for (int x = left; x < left + block && x < from.width; ++x) {
      sums.Add(from.pixels[static_cast<size_t>(y) * from.width + x]);
    }
  }
  return sums.Mean();
}

// Averages blocks of block x block pixels (2 or 4), from four pixels of
// each block row at a time: one block of 4, or two of 2. Channels add up in
// 16-bit lanes, at most 16 * 255 each.
void ReduceLevel(const PixelLevel& from, int block, uint32_t* to, int width, int height) {
  const int fullWidth = from.width / block, fullHeight = from.height / block;
  const int perLoad = PIXELS_PER_VECTOR / block;
  const __m128i zero = _mm_setzero_si128(), channels = _mm_set1_epi32(0x00FFFFFF);
  const __m128i half = _mm_set1_epi16(static_cast<int16_t>(block * block / 2));
  const __m128i shift = _mm_cvtsi32_si128(block == 2 ? 2 : 4);
  for (int y = 0; y < height; ++y) {
    uint32_t* out = to + static_cast<size_t>(y) * width;
    if (y < fullHeight) {
      const uint32_t* rows = from.pixels + static_cast<size_t>(block * y) * from.width;
      for (int x = 0; x < fullWidth; x += perLoad) {
        const int count = std::min(perLoad, fullWidth - x);
        __m128i sum = zero;  // two pixels: the first and second pair of the four
        for (int r = 0; r < block; ++r) {
          const __m128i four = LoadPixels(rows + static_cast<size_t>(r) * from.width + block * x, count * block);
          const __m128i low = _mm_unpacklo_epi8(four, zero), high = _mm_unpackhi_epi8(four, zero);
          sum = _mm_add_epi16(sum, _mm_add_epi16(_mm_unpacklo_epi64(low, high), _mm_unpackhi_epi64(low, high)));
        }
        if (block == 4) sum = _mm_add_epi16(sum, _mm_srli_si128(sum, 8));
        const __m128i mean = _mm_srl_epi16(_mm_add_epi16(sum, half), shift);
        StorePixels(out + x, _mm_and_si128(_mm_packus_epi16(mean, mean), channels), count);
      }
    }
    for (int x = y < fullHeight ? fullWidth : 0; x < width; ++x) {
      out[x] = MeanOfEdgeBlock(from, block * x, block * y, block);
    }
  }
}

size_t PixelCount(const PixelLevel& level) { return static_cast<size_t>(level.width) * level.height; }

}  // namespace

int BuildPhotoReductions(const uint32_t* pixels, int width, int height, PhotoReductions& reductions) {
  PhotoReductions built;
  built.source = pixels;
  built.width = width;
  built.height = height;
  built.levels[0] = {pixels, width, height, 0};
  built.levelCount = 1;
  size_t total = 0;
  for (int w = width, h = height; (w > 1 || h > 1) && built.levelCount < MAX_PHOTO_LEVELS && w > 0 && h > 0;
       ++built.levelCount) {
    w = (w + 1) / 2;
    h = (h + 1) / 2;
    built.levels[built.levelCount] = {nullptr, w, h, built.levelCount};
    if (built.levelCount >= 2) total += static_cast<size_t>(w) * h;
  }
  if (!built.storage.Allocate(total)) return 0;
  uint32_t* out = built.storage.data;
  for (int k = 2; k < built.levelCount; ++k) {
    PixelLevel& level = built.levels[k];
    // Level 2 straight from the photo, in blocks of 4 x 4.
    ReduceLevel(built.levels[k == 2 ? 0 : k - 1], k == 2 ? 4 : 2, out, level.width, level.height);
    level.pixels = out;
    out += PixelCount(level);
  }
  reductions = std::move(built);
  return 1;
}

const PixelLevel& LevelForSquare(PhotoReductions& reductions, int64_t side, int target) {
  int k = 0;
  while (k + 1 < reductions.levelCount && (side >> (k + 1)) >= target) ++k;
  PixelLevel& level = reductions.levels[k];
  if (k == 1 && !level.pixels) {
    if (!reductions.halfStorage.Allocate(PixelCount(level))) return reductions.levels[0];
    ReduceLevel(reductions.levels[0], 2, reductions.halfStorage.data, level.width, level.height);
    level.pixels = reductions.halfStorage.data;
  }
  return level;
}
