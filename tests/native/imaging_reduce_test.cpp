// The program's own scaling: the AND rule for keys, area averaging for
// pictures, the halved copies of large photos and the icon built from them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <vector>

#include "imaging/icon_pixels.h"
#include "imaging/key_colors.h"
#include "imaging/photo_reductions.h"
#include "imaging/reduce.h"

namespace {

using Pixels = std::vector<uint32_t>;

uint32_t Rgb(int r, int g, int b) { return static_cast<uint32_t>(r << 16 | g << 8 | b); }
int Channel(uint32_t pixel, int channel) { return pixel >> (8 * channel) & 0xFF; }

// A picture with smooth areas, hard edges and noise.
Pixels MakePicture(int width, int height, unsigned seed) {
  std::mt19937 random(seed);
  Pixels pixels(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int noise = static_cast<int>(random() % 64);
      const int stripes = (x / 3 + y / 5) % 2 ? 120 : 0;
      pixels[static_cast<size_t>(y) * width + x] =
          Rgb((x * 255 / width + noise) % 256, std::min(255, stripes + noise), (y * 255 / height) % 256);
    }
  }
  return pixels;
}

// The exact area average, in floating point, as a reference.
Pixels ReferenceAverage(const Pixels& picture, int width, int height, const SourceArea& area, int outWidth,
                        int outHeight) {
  Pixels out(static_cast<size_t>(outWidth) * outHeight);
  const double stepX = static_cast<double>(area.width) / outWidth, stepY = static_cast<double>(area.height) / outHeight;
  for (int dy = 0; dy < outHeight; ++dy) {
    const double top = area.y + dy * stepY, bottom = top + stepY;
    for (int dx = 0; dx < outWidth; ++dx) {
      const double left = area.x + dx * stepX, right = left + stepX;
      double sums[3] = {0, 0, 0};
      for (int py = std::max(0, static_cast<int>(std::floor(top))); py < std::min<double>(height, bottom); ++py) {
        const double wy = std::min<double>(py + 1, bottom) - std::max<double>(py, top);
        for (int px = std::max(0, static_cast<int>(std::floor(left))); px < std::min<double>(width, right); ++px) {
          const double w = wy * (std::min<double>(px + 1, right) - std::max<double>(px, left));
          for (int c = 0; c < 3; ++c) sums[c] += w * Channel(picture[static_cast<size_t>(py) * width + px], c);
        }
      }
      const double area2 = stepX * stepY;
      out[static_cast<size_t>(dy) * outWidth + dx] =
          Rgb(static_cast<int>(std::lround(sums[2] / area2)), static_cast<int>(std::lround(sums[1] / area2)),
              static_cast<int>(std::lround(sums[0] / area2)));
    }
  }
  return out;
}

int LargestDifference(const Pixels& a, const Pixels& b) {
  int largest = 0;
  for (size_t i = 0; i < a.size(); ++i) {
    for (int c = 0; c < 3; ++c) largest = std::max(largest, std::abs(Channel(a[i], c) - Channel(b[i], c)));
  }
  return largest;
}

double MeanDifference(const Pixels& a, const Pixels& b) {
  double sum = 0;
  for (size_t i = 0; i < a.size(); ++i) {
    for (int c = 0; c < 3; ++c) sum += std::abs(Channel(a[i], c) - Channel(b[i], c));
  }
  return sum / (3.0 * a.size());
}

Pixels Average(const Pixels& picture, int width, int height, const SourceArea& area, int outWidth, int outHeight) {
  Pixels out(static_cast<size_t>(outWidth) * outHeight, 0xDEADBEEF);
  const PixelLevel level = {picture.data(), width, height, 0};
  EXPECT_EQ(AreaAverage(level, width, height, area, out.data(), outWidth, outHeight), 1);
  return out;
}

TEST(ReduceByAnd, CombinesEverySourcePixelOfABlockAndRepeatsWhenEnlarging) {
  const uint32_t G = OUTSIDE_KEY, M = PHOTO_KEY, A = 0x00C0FFC0;
  // 2 -> 1: the AND of both, never just the first pixel.
  Pixels out(1);
  ASSERT_EQ(ReduceByAnd(Pixels{G, A}.data(), 2, 1, out.data(), 1, 1), 1);
  EXPECT_EQ(out[0], G & A);
  // 4x4 -> 2x2: one key survives only where its whole block is that key.
  const Pixels keys = {G, G, M, M,  //
                       G, G, M, A,  //
                       G, M, M, M,  //
                       G, G, M, M};
  out.assign(4, 0);
  ASSERT_EQ(ReduceByAnd(keys.data(), 4, 4, out.data(), 2, 2), 1);
  EXPECT_EQ(out, (Pixels{G, M & A, G & M, M}));
  // 3 -> 2: source columns {0, 1} and {2}.
  out.assign(2, 0);
  ASSERT_EQ(ReduceByAnd(Pixels{0xF0, 0x3C, 0x0F}.data(), 3, 1, out.data(), 2, 1), 1);
  EXPECT_EQ(out, (Pixels{0x30, 0x0F}));
  // 2 -> 4 repeats; same size copies.
  out.assign(4, 0);
  ASSERT_EQ(ReduceByAnd(Pixels{G, M}.data(), 2, 1, out.data(), 4, 1), 1);
  EXPECT_EQ(out, (Pixels{G, G, M, M}));
  const Pixels picture = MakePicture(7, 5, 1);
  out.assign(35, 0);
  ASSERT_EQ(ReduceByAnd(picture.data(), 7, 5, out.data(), 7, 5), 1);
  EXPECT_EQ(out, picture);
}

TEST(AreaAverage, SameSizeAndWholeMultiplesAreExact) {
  const Pixels picture = MakePicture(64, 48, 2);
  Pixels out(64 * 48);
  ASSERT_EQ(AreaAverageWhole(picture.data(), 64, 48, out.data(), 64, 48), 1);
  EXPECT_EQ(out, picture);
  // Doubling repeats every pixel exactly.
  Pixels doubled(128 * 96);
  ASSERT_EQ(AreaAverageWhole(picture.data(), 64, 48, doubled.data(), 128, 96), 1);
  for (int y = 0; y < 96; ++y) {
    for (int x = 0; x < 128; ++x) ASSERT_EQ(doubled[y * 128 + x], picture[(y / 2) * 64 + x / 2]);
  }
  // Pure keys stay pure when a block is all one colour.
  Pixels green(16 * 16, OUTSIDE_KEY), small(4);
  ASSERT_EQ(AreaAverageWhole(green.data(), 16, 16, small.data(), 2, 2), 1);
  EXPECT_EQ(small, Pixels(4, OUTSIDE_KEY));
}

TEST(AreaAverage, MatchesTheExactAverageForReductionsEnlargementsAndAreasBeyondThePicture) {
  const int width = 173, height = 129;
  const Pixels picture = MakePicture(width, height, 3);
  const SourceArea areas[] = {
      {0, 0, width, height},  // whole picture, uneven ratio
      {-21, -11, 128, 128},   // the default pan: beyond left and top
      {40, 30, 200, 200},     // beyond right and bottom
      {5, 7, 31, 31},         // enlarged
      {-500, -500, 100, 100}, // entirely outside: black
  };
  const int sizes[][2] = {{64, 64}, {100, 37}, {256, 256}, {32, 32}};
  for (const SourceArea& area : areas) {
    for (const auto& size : sizes) {
      const Pixels out = Average(picture, width, height, area, size[0], size[1]);
      const Pixels reference = ReferenceAverage(picture, width, height, area, size[0], size[1]);
      EXPECT_LE(LargestDifference(out, reference), 1)
          << area.x << "," << area.y << " " << area.width << " -> " << size[0] << "x" << size[1];
      for (uint32_t pixel : out) ASSERT_EQ(pixel >> 24, 0u);
    }
  }
}

TEST(AreaAverage, EmptyAreasGiveBlack) {
  const Pixels picture = MakePicture(8, 8, 4);
  EXPECT_EQ(Average(picture, 8, 8, {0, 0, 0, 8}, 4, 4), Pixels(16, 0));
  EXPECT_EQ(Average(picture, 8, 8, {0, 0, 8, -3}, 4, 4), Pixels(16, 0));
}

TEST(PhotoReductions, LevelsHalveDownToOnePixelAndAverageTheirBlocks) {
  const int width = 37, height = 20;
  const Pixels picture = MakePicture(width, height, 5);
  PhotoReductions reductions;
  ASSERT_EQ(BuildPhotoReductions(picture.data(), width, height, reductions), 1);
  const int expected[][2] = {{37, 20}, {19, 10}, {10, 5}, {5, 3}, {3, 2}, {2, 1}, {1, 1}};
  ASSERT_EQ(reductions.levelCount, 7);
  for (int k = 0; k < 7; ++k) {
    EXPECT_EQ(reductions.levels[k].width, expected[k][0]);
    EXPECT_EQ(reductions.levels[k].height, expected[k][1]);
    EXPECT_EQ(reductions.levels[k].shift, k);
  }
  EXPECT_EQ(reductions.levels[0].pixels, picture.data());
  auto mean = [&](int left, int top, int side, int channel) {
    int sum = 0, count = 0;
    for (int y = top; y < std::min(top + side, height); ++y) {
      for (int x = left; x < std::min(left + side, width); ++x, ++count) sum += Channel(picture[y * width + x], channel);
    }
    return (sum + count / 2) / count;
  };
  // Level 2 averages its 4 x 4 block of the photo; the last column (37 is
  // odd) averages the one column there is.
  const PixelLevel& second = reductions.levels[2];
  for (int c = 0; c < 3; ++c) {
    EXPECT_EQ(Channel(second.pixels[1 * 10 + 2], c), mean(8, 4, 4, c));
    EXPECT_EQ(Channel(second.pixels[4 * 10 + 9], c), mean(36, 16, 4, c));
  }
  // Level 1 is made when a square first needs it.
  EXPECT_EQ(reductions.levels[1].pixels, nullptr);
  const PixelLevel& first = LevelForSquare(reductions, 36, 18);
  ASSERT_EQ(first.shift, 1);
  ASSERT_NE(first.pixels, nullptr);
  for (int c = 0; c < 3; ++c) {
    EXPECT_EQ(Channel(first.pixels[1 * 19 + 2], c), mean(4, 2, 2, c));
    EXPECT_EQ(Channel(first.pixels[18], c), mean(36, 0, 2, c));
  }
}

// Photo-like: smooth shading, a few hard edges, a little grain.
Pixels MakePhotoLike(int width, int height) {
  std::mt19937 random(6);
  Pixels pixels(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int grain = static_cast<int>(random() % 9) - 4;
      const int shade = static_cast<int>(127 + 90 * std::sin(x * 0.013) * std::cos(y * 0.021));
      const int edge = (x - 400) * (x - 400) + (y - 300) * (y - 300) < 150 * 150 ? 60 : 0;
      pixels[static_cast<size_t>(y) * width + x] =
          Rgb(std::clamp(shade + grain + edge, 0, 255), std::clamp(x * 255 / width + grain, 0, 255),
              std::clamp(255 - shade + grain, 0, 255));
    }
  }
  return pixels;
}

TEST(PhotoReductions, AveragingFromTheChosenLevelStaysCloseToTheExactAverage) {
  const int width = 1000, height = 750;
  const Pixels picture = MakePhotoLike(width, height);
  PhotoReductions reductions;
  ASSERT_EQ(BuildPhotoReductions(picture.data(), width, height, reductions), 1);
  EXPECT_EQ(LevelForSquare(reductions, 1000, 256).shift, 1);  // 500 >= 256 > 250
  EXPECT_EQ(LevelForSquare(reductions, 255, 256).shift, 0);
  EXPECT_EQ(LevelForSquare(reductions, 1 << 30, 32).shift, reductions.levelCount - 1);
  const SourceArea areas[] = {{0, 0, 1000, 1000}, {-100, 50, 700, 700}, {333, 123, 555, 555}};
  for (const SourceArea& area : areas) {
    const PixelLevel& level = LevelForSquare(reductions, area.width, 256);
    Pixels fast(256 * 200);
    ASSERT_EQ(AreaAverage(level, width, height, area, fast.data(), 256, 200), 1);
    const Pixels exact = Average(picture, width, height, area, 256, 200);
    EXPECT_LT(MeanDifference(fast, exact), 1.0) << area.x << " " << area.width;
  }
}

TEST(ComposeIconPixels, ShapeFollowsTheAndReducedKeysAndColoursComeFromTheRightPicture) {
  // 64x64: left half outside, right half photo key above, artwork below;
  // one 2x2 block mixes outside and artwork, so it counts as frame.
  const int side = 64;
  Pixels keys(side * side), composition(side * side, Rgb(10, 20, 30)), artwork(side * side, Rgb(200, 100, 50));
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) keys[y * side + x] = x < 32 ? OUTSIDE_KEY : y < 32 ? PHOTO_KEY : Rgb(1, 2, 3);
  }
  keys[0] = Rgb(9, 9, 9);
  IconPixels icon;
  ASSERT_EQ(ComposeIconPixels(composition.data(), keys.data(), artwork.data(), side, side, icon), 1);
  auto transparent = [&](int x, int y) { return (icon.mask[y * ICON_MASK_ROW_BYTES + x / 8] >> (7 - x % 8)) & 1; };
  EXPECT_FALSE(transparent(0, 0));
  EXPECT_EQ(icon.color[0], Rgb(200, 100, 50));
  EXPECT_TRUE(transparent(1, 0));
  EXPECT_EQ(icon.color[1], 0u);
  EXPECT_TRUE(transparent(15, 31));
  EXPECT_FALSE(transparent(16, 0));
  EXPECT_EQ(icon.color[16], Rgb(10, 20, 30));
  EXPECT_FALSE(transparent(31, 31));
  EXPECT_EQ(icon.color[31 * 32 + 31], Rgb(200, 100, 50));
}

TEST(ComposeIconPixels, AtThirtyTwoPixelsTheIconShapeIsTheWindowShape) {
  Pixels keys(32 * 32), composition = MakePicture(32, 32, 7), artwork = MakePicture(32, 32, 8);
  std::mt19937 random(9);
  const uint32_t choices[] = {OUTSIDE_KEY, PHOTO_KEY, Rgb(0, 254, 0)};
  for (uint32_t& key : keys) key = choices[random() % 3];
  IconPixels icon;
  ASSERT_EQ(ComposeIconPixels(composition.data(), keys.data(), artwork.data(), 32, 32, icon), 1);
  for (int i = 0; i < 32 * 32; ++i) {
    const bool transparent = (icon.mask[i / 8] >> (7 - i % 8)) & 1;
    ASSERT_EQ(transparent, keys[i] == OUTSIDE_KEY) << i;
    const uint32_t expected = keys[i] == OUTSIDE_KEY ? 0 : keys[i] == PHOTO_KEY ? composition[i] : artwork[i];
    ASSERT_EQ(icon.color[i], expected) << i;
  }
}

}  // namespace
