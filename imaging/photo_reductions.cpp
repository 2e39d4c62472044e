#include "imaging/photo_reductions.h"

#include <utility>

#include "imaging/pixel_lanes.h"

namespace {

// The pixels under one level pixel, summed per channel.
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

uint32_t MeanOfEdgeBlock(const PixelLevel& from, int left, int top) {
  ChannelSums sums;
  for (int y = top; y < top + 2 && y < from.height; ++y) {
    for (int x = left; x < left + 2 && x < from.width; ++x) sums.Add(from.pixels[static_cast<size_t>(y) * from.width + x]);
  }
  return sums.Mean();
}

void HalveLevel(const PixelLevel& from, uint32_t* to, int width, int height) {
  const int fullWidth = from.width / 2, fullHeight = from.height / 2;
  for (int y = 0; y < height; ++y) {
    uint32_t* out = to + static_cast<size_t>(y) * width;
    if (y < fullHeight) {
      const uint32_t* top = from.pixels + static_cast<size_t>(2 * y) * from.width;
      const uint32_t* bottom = top + from.width;
      for (int x = 0; x < fullWidth; ++x) {
        const uint64_t sum = SpreadLanes(top[2 * x]) + SpreadLanes(top[2 * x + 1]) + SpreadLanes(bottom[2 * x]) +
                             SpreadLanes(bottom[2 * x + 1]);
        out[x] = GatherLanes((sum + EachLane(2)) >> 2);
      }
    }
    // Odd sizes leave a last column or row of partial blocks.
    for (int x = y < fullHeight ? fullWidth : 0; x < width; ++x) out[x] = MeanOfEdgeBlock(from, 2 * x, 2 * y);
  }
}

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
    total += static_cast<size_t>(w) * h;
  }
  if (!built.storage.Allocate(total)) return 0;
  size_t offset = 0;
  for (int k = 1; k < built.levelCount; ++k) {
    PixelLevel& level = built.levels[k];
    uint32_t* out = built.storage.data + offset;
    HalveLevel(built.levels[k - 1], out, level.width, level.height);
    level.pixels = out;
    offset += static_cast<size_t>(level.width) * level.height;
  }
  reductions = std::move(built);
  return 1;
}

const PixelLevel& LevelForSquare(const PhotoReductions& reductions, int64_t side, int target) {
  int k = 0;
  while (k + 1 < reductions.levelCount && (side >> (k + 1)) >= target) ++k;
  return reductions.levels[k];
}
