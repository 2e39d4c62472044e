// The program's own scaling: the AND rule for keys, area averaging for
// pictures, the halved copies of large photos and the icon built from them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "imaging/enlarge.h"
#include "imaging/icon_pixels.h"
#include "imaging/key_colors.h"
#include "imaging/outline_scan.h"
#include "imaging/photo_reductions.h"
#include "imaging/reduce.h"

namespace {

using Pixels = std::vector<uint32_t>;

int Channel(uint32_t pixel, int channel) { return pixel >> (8 * channel) & 0xFF; }

// Smooth shading, hard edges and noise.
Pixels MakePicture(int width, int height, unsigned seed) {
  std::mt19937 random(seed);
  Pixels pixels(static_cast<size_t>(width) * height);
  for (size_t i = 0; i < pixels.size(); ++i) {
    const int x = static_cast<int>(i % width), y = static_cast<int>(i / width), noise = static_cast<int>(random() % 64);
    pixels[i] = static_cast<uint32_t>((x * 255 / width + noise) % 256 << 16 |
                                      std::min(255, ((x / 3 + y / 5) % 2) * 120 + noise) << 8 | y * 255 / height);
  }
  return pixels;
}

// How far, in any channel, the area average of the picture is from the exact
// one in floating point; beyond the picture is white.
int ErrorFromExact(const PixelLevel& level, int width, int height, const SourceArea& area, int outWidth, int outHeight,
                   const Pixels& picture) {
  Pixels out(static_cast<size_t>(outWidth) * outHeight, 0xDEADBEEF);
  EXPECT_EQ(AreaAverage(level, width, height, area, out.data(), outWidth, outHeight), 1);
  const double stepX = static_cast<double>(area.width) / outWidth, stepY = static_cast<double>(area.height) / outHeight;
  int largest = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    const double left = area.x + static_cast<double>(i % outWidth) * stepX, right = left + stepX;
    const double top = area.y + static_cast<double>(i / outWidth) * stepY, bottom = top + stepY;
    double sums[3] = {0, 0, 0}, inside = 0;
    for (int py = std::max(0, static_cast<int>(std::floor(top))); py < std::min<double>(height, bottom); ++py) {
      const double wy = std::min<double>(py + 1, bottom) - std::max<double>(py, top);
      for (int px = std::max(0, static_cast<int>(std::floor(left))); px < std::min<double>(width, right); ++px) {
        const double w = wy * (std::min<double>(px + 1, right) - std::max<double>(px, left));
        inside += w;
        for (int c = 0; c < 3; ++c) sums[c] += w * Channel(picture[static_cast<size_t>(py) * width + px], c);
      }
    }
    for (int c = 0; c < 4; ++c) {
      const long exact = c < 3 ? std::lround((sums[c] + 255 * (stepX * stepY - inside)) / (stepX * stepY)) : 0;
      largest = std::max(largest, static_cast<int>(std::abs(Channel(out[i], c) - exact)));
    }
  }
  return largest;
}

TEST(ReduceByAnd, CombinesEverySourcePixelOfABlockAndRepeatsWhenEnlarging) {
  const uint32_t G = OUTSIDE_KEY, M = PHOTO_KEY, A = 0x00C0FFC0;
  const Pixels picture = MakePicture(7, 5, 1);
  const struct { Pixels source; int width, height, outWidth, outHeight; Pixels reduced; } cases[] = {
      {{G, A}, 2, 1, 1, 1, {G & A}},
      // A key survives only where its whole block is that key.
      {{G, G, M, M, G, G, M, A, G, M, M, M, G, G, M, M}, 4, 4, 2, 2, {G, M & A, G & M, M}},
      {{0xF0, 0x3C, 0x0F}, 3, 1, 2, 1, {0x30, 0x0F}},  // source columns {0, 1} and {2}
      {{0xF0, 0x3C, 0x0F}, 1, 3, 1, 2, {0x30, 0x0F}},  {{G, M}, 2, 1, 4, 1, {G, G, M, M}},
      {picture, 7, 5, 7, 5, picture},
      {{G}, 1, 0, 1, 1, {0xDEADBEEF}},  {{G}, 0, 1, 1, 1, {0xDEADBEEF}},  // nothing to reduce: the destination stays
  };
  for (const auto& c : cases) {
    Pixels out(static_cast<size_t>(c.outWidth) * c.outHeight, 0xDEADBEEF);
    ASSERT_EQ(ReduceByAnd(c.source.data(), c.width, c.height, out.data(), c.outWidth, c.outHeight), 1);
    EXPECT_EQ(out, c.reduced) << c.width << "x" << c.height << " -> " << c.outWidth << "x" << c.outHeight;
  }
}

// The area average matches the exact one, and is exact for whole multiples.
TEST(AreaAverage, MatchesTheExactAverageRoundsExactlyAndEmptyAreasGiveWhite) {
  const int width = 173, height = 129;
  const Pixels picture = MakePicture(width, height, 3);
  const struct { SourceArea area; int outWidth, outHeight, tolerance; } cases[] = {
      {{0, 0, width, height}, width, height, 0}, {{0, 0, width, height}, 2 * width, 2 * height, 0},
      {{-20, -12, 64, 64}, 256, 256, 0},  {{0, 0, width, height}, 64, 64, 1},  {{0, 0, width, height}, 21, 16, 1},
      {{0, 0, width, height}, 100, 37, 1}, {{-21, -11, 128, 128}, 256, 256, 1}, {{40, 30, 200, 200}, 64, 64, 1},
      {{5, 7, 31, 31}, 32, 32, 1}, {{5, 7, 31, 31}, 100, 37, 1}, {{-500, -500, 100, 100}, 32, 32, 0}, {{170, 0, 3, 1}, 1, 1, 1},
  };
  for (const auto& c : cases) {
    EXPECT_LE(ErrorFromExact({picture.data(), width, height, 0}, width, height, c.area, c.outWidth, c.outHeight, picture),
              c.tolerance)
        << c.area.x << "," << c.area.y << " " << c.area.width << " -> " << c.outWidth << "x" << c.outHeight;
  }
  // Five pixels whose blue averages 167.4: 167, not a little more.
  uint32_t mean = 0;
  ASSERT_EQ(AreaAverageWhole(Pixels{182, 145, 198, 104, 208}.data(), 5, 1, &mean, 1, 1), 1);
  EXPECT_EQ(mean, 167u);
  // And 100.6 rounds up; a black pixel with white around three quarters of its square gives 191.25.
  ASSERT_EQ(AreaAverageWhole(Pixels{100, 101, 101, 101, 100}.data(), 5, 1, &mean, 1, 1), 1);
  EXPECT_EQ(mean, 101u);
  const Pixels black = {0};
  ASSERT_EQ(AreaAverage({black.data(), 1, 1, 0}, 1, 1, {0, 0, 2, 2}, &mean, 1, 1), 1);
  EXPECT_EQ(mean, 0x00BFBFBFu);
  // A uniform picture keeps its colour at any ratio: no weight is lost to rounding.
  const Pixels white(173 * 129, 0x00FFFFFF);
  for (int side : {1, 7, 64}) {
    Pixels out(static_cast<size_t>(side) * side);
    ASSERT_EQ(AreaAverageWhole(white.data(), 173, 129, out.data(), side, side), 1);
    EXPECT_EQ(out, Pixels(out.size(), 0x00FFFFFF)) << side;
  }
  // Empty areas, and one beside a picture one pixel wide, give white; nothing past its column is read.
  const Pixels column = {1, 2, 3};
  const PixelLevel level = {column.data(), 1, 3, 0};
  for (const SourceArea& area : {SourceArea{0, 0, 0, 3}, SourceArea{0, 0, 1, -3}, SourceArea{-5, 0, 3, 3}}) {
    Pixels out(16, 0xDEADBEEF);
    ASSERT_EQ(AreaAverage(level, 1, 3, area, out.data(), 4, 4), 1);
    EXPECT_EQ(out, Pixels(16, 0x00FFFFFF)) << area.x << " " << area.width << "x" << area.height;
  }
  // Nothing to write: the destination stays.
  Pixels out(1, 0xDEADBEEF);
  EXPECT_EQ(std::pair(AreaAverage(level, 1, 3, {0, 0, 1, 3}, out.data(), 1, 0), AreaAverage(level, 1, 3, {0, 0, 1, 3}, out.data(), 0, 1)),
            std::pair(1, 1));
  EXPECT_EQ(out[0], 0xDEADBEEF);
}

TEST(PhotoReductions, LevelsHalveDownToOnePixelAndAverageTheirBlocks) {
  // Halving leaves an odd number of whole blocks: the last load takes one.
  // A photo one pixel wide or high halves along its other side alone.
  const int width = 39, height = 20;
  const Pixels picture = MakePicture(width, height, 5);
  PhotoReductions reductions;
  const auto sizes = [&reductions] {
    std::string text;
    for (int k = 0; k < reductions.levelCount; ++k) {
      const PixelLevel& level = reductions.levels[k];
      text += std::to_string(level.width) + "x" + std::to_string(level.height) + ">>" + std::to_string(level.shift) + " ";
    }
    return text;
  };
  ASSERT_EQ(BuildPhotoReductions(picture.data(), 1, 5, reductions), 1);
  EXPECT_EQ(sizes(), "1x5>>0 1x3>>1 1x2>>2 1x1>>3 ");
  ASSERT_EQ(BuildPhotoReductions(picture.data(), 5, 1, reductions), 1);
  EXPECT_EQ(sizes(), "5x1>>0 3x1>>1 2x1>>2 1x1>>3 ");
  ASSERT_EQ(BuildPhotoReductions(picture.data(), width, height, reductions), 1);
  EXPECT_EQ(sizes(), "39x20>>0 20x10>>1 10x5>>2 5x3>>3 3x2>>4 2x1>>5 1x1>>6 ");
  EXPECT_EQ(reductions.levels[0].pixels, picture.data());
  // Level 1 is made when a square first needs it.
  EXPECT_EQ(reductions.levels[1].pixels, nullptr);
  EXPECT_EQ(LevelForSquare(reductions, 36, 18).shift, 1);
  // Every pixel of levels 1 and 2 is the rounded mean of its block, cut by the picture's edges.
  for (int k = 1; k <= 2; ++k) {
    const PixelLevel& level = reductions.levels[k];
    for (int i = 0; i < level.width * level.height; ++i) {
      const int left = i % level.width << k, top = i / level.width << k;
      const int right = std::min(left + (1 << k), width), bottom = std::min(top + (1 << k), height);
      const int count = (right - left) * (bottom - top);
      for (int c = 0; c < 4; ++c) {
        int sum = 0;
        for (int p = 0; p < count; ++p) sum += Channel(picture[(top + p / (right - left)) * width + left + p % (right - left)], c);
        ASSERT_EQ(Channel(level.pixels[i], c), (sum + count / 2) / count) << k << ": " << i;
      }
    }
  }
}

TEST(PhotoReductions, AveragingFromTheChosenLevelMatchesTheExactAverage) {
  // Blocks of 4 x 4 pixels of one colour: the levels up to 2 lose nothing.
  const int width = 1000, height = 750;
  const Pixels blocks = MakePicture(width / 4, (height + 3) / 4, 6);
  Pixels picture(static_cast<size_t>(width) * height);
  for (size_t i = 0; i < picture.size(); ++i) picture[i] = blocks[i / width / 4 * (width / 4) + i % width / 4];
  PhotoReductions reductions;
  ASSERT_EQ(BuildPhotoReductions(picture.data(), width, height, reductions), 1);
  // 250 >= 250 still takes level 2.
  EXPECT_EQ((std::vector<int>{LevelForSquare(reductions, 1000, 250).shift, LevelForSquare(reductions, 1000, 251).shift,
                              LevelForSquare(reductions, 255, 256).shift, LevelForSquare(reductions, 1 << 30, 32).shift}),
            (std::vector<int>{2, 1, 0, reductions.levelCount - 1}));
  for (const SourceArea& area : {SourceArea{0, 0, 1000, 1000}, {-100, 50, 700, 700}, {333, 123, 555, 555}}) {
    EXPECT_LE(ErrorFromExact(LevelForSquare(reductions, area.width, 128), width, height, area, 128, 100, picture), 1)
        << area.x << " " << area.width;
  }
}

TEST(EnlargeSmoothly, ADiscTwiceAndFourTimesLargerHasNoStepsAlongItsEdgeAndNoFringes) {
  // A disc of radius 24 about (32, 32) with a hole of radius 8, artwork
  // between, and a line of artwork one pixel thin down column 62.
  Pixels disc(64 * 64);
  for (int i = 0; i < 64 * 64; ++i) {
    const double r = std::hypot(i % 64 + 0.5 - 32, i / 64 + 0.5 - 32);
    disc[i] = r > 24 && i % 64 != 62 ? OUTSIDE_KEY : r > 8 ? 0x00404040 : PHOTO_KEY;
  }
  for (const int side : {64, 128, 256}) {
    Pixels large(side * side);
    ASSERT_EQ(EnlargeSmoothly(disc.data(), 64, 64, large.data(), side, side), 1);
    EXPECT_TRUE(side != 64 || large == disc) << "at the same size a copy";
    // Where the edge runs steeply (less than half a pixel across per row) it moves
    // at most a pixel from row to row; repeated pixels make steps of 2 or 4.
    for (int y = side / 3, last = -1; y < side * 2 / 3; ++y) {
      const auto row = large.begin() + y * side;
      const int left = static_cast<int>(std::find_if(row, row + side, [](uint32_t p) { return p != OUTSIDE_KEY; }) - row);
      EXPECT_TRUE(last < 0 || std::abs(left - last) <= 1) << side << " row " << y;
      last = left;
    }
    for (int y = 0; y < side; ++y) ASSERT_EQ(large[y * side + side / 64 * 62], 0x00404040u) << "the thin line at " << y;
    EXPECT_EQ(std::count_if(large.begin(), large.end(), [](uint32_t p) { return p != OUTSIDE_KEY && p != PHOTO_KEY && p != 0x00404040; }), 0);
  }
  // Two rows of artwork: the rows between lean towards the nearer one.
  const Pixels rows = {0x101010, 0x101010, 0xF0F0F0, 0xF0F0F0};
  Pixels large(16);
  ASSERT_EQ(EnlargeSmoothly(rows.data(), 2, 2, large.data(), 4, 4), 1);
  const uint32_t between[] = {0x101010, 0x484848, 0xB8B8B8, 0xF0F0F0};
  for (int i = 0; i < 16; ++i) EXPECT_EQ(large[i], between[i / 4]) << i;
}

// At the window's size the icon's shape is the window's shape. Then, averaged
// only in its row spans, the photo gives the same window pixels and icons
// (reduced and enlarged) as averaged whole: a diamond of photo and pink (photo
// key bits) keys, ringed by artwork on its right only.
TEST(ComposeIconPixels, TheIconShapeIsTheWindowShapeAndAPhotoAveragedOnlyInItsSpansGivesTheSameIcons) {
  // 24 pixels: mask rows of 3 bytes padded to a whole word.
  for (const auto& [side, rowBytes] : {std::pair(32, 4), std::pair(24, 4)}) {
    Pixels keys(side * side), composition = MakePicture(side, side, 7), artwork = MakePicture(side, side, 8);
    std::mt19937 random(9);
    for (uint32_t& key : keys) key = (const uint32_t[]){OUTSIDE_KEY, PHOTO_KEY, 0x0000FE00}[random() % 3];
    IconPixels icon;
    ASSERT_EQ(ComposeIconPixels(composition.data(), keys.data(), artwork.data(), side, side, side, icon), 1);
    ASSERT_EQ(icon.mask.count, static_cast<size_t>(rowBytes * side));
    for (int i = 0; i < side * side; ++i) {
      ASSERT_EQ(icon.mask[i / side * rowBytes + i % side / 8] >> (7 - i % 8) & 1, keys[i] == OUTSIDE_KEY) << i;
      ASSERT_EQ(icon.color[i], keys[i] == OUTSIDE_KEY ? 0 : keys[i] == PHOTO_KEY ? composition[i] : artwork[i]) << i;
    }
  }

  const int width = 45, height = 37;
  const Pixels photo = MakePicture(61, 53, 10), artwork = MakePicture(width, height, 11);
  Pixels keys(width * height), whole(keys.size()), spanned(keys.size());
  std::vector<RowSpan> spans(height);
  for (int i = 0; i < width * height; ++i) {
    const int x = i % width, d = std::abs(x - 22) + std::abs(i / width - 18);
    keys[i] = d < 9 ? (i % 3 ? PHOTO_KEY : 0x00FF40FF) : d < 13 && x > 22 ? 0x00123456 : OUTSIDE_KEY;
  }
  PhotoSpans(keys.data(), width, height, spans.data());
  ASSERT_EQ(AreaAverage({photo.data(), 61, 53, 0}, 61, 53, {-3, 2, 50, 50}, whole.data(), width, height), 1);
  ASSERT_EQ(AreaAverageSpans({photo.data(), 61, 53, 0}, 61, 53, {-3, 2, 50, 50}, spanned.data(), width, height,
                             spans.data()), 1);
  auto region = std::make_unique<RegionBlock>();
  for (Pixels* c : {&whole, &spanned}) ScanOutline(keys.data(), width, height, region.get(), c->data(), artwork.data());
  for (int i = 0; i < width * height; ++i) ASSERT_TRUE(keys[i] == OUTSIDE_KEY || spanned[i] == whole[i]) << i;
  EXPECT_NE(spanned, whole);
  for (int side : {16, 20, 24, 48}) {
    IconPixels a, b;
    ASSERT_EQ(ComposeIconPixels(whole.data(), keys.data(), artwork.data(), width, height, side, a), 1);
    ASSERT_EQ(ComposeIconPixels(spanned.data(), keys.data(), artwork.data(), width, height, side, b), 1);
    EXPECT_TRUE(std::equal(a.color.data, a.color.data + a.color.count, b.color.data)) << side;
  }
}

}  // namespace
