// The outline scan, the key colour rules and the region block they fill.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "imaging/key_colors.h"
#include "imaging/outline_scan.h"

namespace {

constexpr uint32_t G = OUTSIDE_KEY;
constexpr uint32_t M = PHOTO_KEY;
constexpr uint32_t A = 0x00123456;  // any artwork colour

struct Scan {
  std::unique_ptr<RegionBlock> region = std::make_unique<RegionBlock>();
  std::vector<RegionRect> Rects() const {
    return {region->rects, region->rects + region->header.count};
  }
};

Scan ScanKeys(const std::vector<uint32_t>& keys, int width, int height, uint32_t* composition = nullptr,
              const uint32_t* artwork = nullptr) {
  Scan scan;
  ScanOutline(keys.data(), width, height, scan.region.get(), composition, artwork);
  return scan;
}

TEST(ScanOutline, RowsBecomeOnePixelHighRunsWithExactEnds) {
  const std::vector<uint32_t> keys = {
      A, A, M, A,  // no outside key: one run over the whole row
      G, G, G, G,  // only outside key: nothing
      A, G, A, A,  // one outside pixel splits the row; the second run touches the right edge
      G, M, M, G,  // a run between outside pixels
  };
  const Scan scan = ScanKeys(keys, 4, 4);
  const std::vector<RegionRect> expected = {{0, 0, 4, 1}, {0, 2, 1, 3}, {2, 2, 4, 3}, {1, 3, 3, 4}};
  EXPECT_EQ(scan.Rects(), expected);
  const RegionHeader& header = scan.region->header;
  EXPECT_EQ(header.size, 32u);
  EXPECT_EQ(header.type, 1u);
  EXPECT_EQ(header.regionSize, 0u);
  EXPECT_EQ(header.boundLeft, 0u);
  EXPECT_EQ(header.boundTop, 0u);
  EXPECT_EQ(header.boundRight, 4u);
  EXPECT_EQ(header.boundBottom, 4u);
}

TEST(ScanOutline, BoundsFollowTheStoredRunsAndStayOpenWithoutAny) {
  const Scan inner = ScanKeys({G, G, G, G, G, A, A, G, G, G, G, G}, 4, 3);
  EXPECT_EQ(inner.region->header.boundLeft, 1u);
  EXPECT_EQ(inner.region->header.boundTop, 1u);
  EXPECT_EQ(inner.region->header.boundRight, 3u);
  EXPECT_EQ(inner.region->header.boundBottom, 2u);

  const Scan none = ScanKeys(std::vector<uint32_t>(6, G), 3, 2);
  EXPECT_EQ(none.region->header.count, 0u);
  EXPECT_EQ(none.region->header.boundLeft, 0xFFFFFFFFu);
  EXPECT_EQ(none.region->header.boundTop, 0xFFFFFFFFu);
  EXPECT_EQ(none.region->header.boundRight, 0u);
  EXPECT_EQ(none.region->header.boundBottom, 0u);
}

TEST(ScanOutline, ArtworkCoversEverythingButThePhotoKeyInsideTheOutline) {
  const std::vector<uint32_t> keys = {G, M, A, 0x0000FE00, M, G};
  const std::vector<uint32_t> artwork = {1, 2, 3, 4, 5, 6};
  std::vector<uint32_t> composition = {10, 20, 30, 40, 50, 60};
  ScanKeys(keys, 6, 1, composition.data(), artwork.data());
  // Outside and photo-key pixels keep the photo; a near-green pixel is artwork.
  EXPECT_EQ(composition, (std::vector<uint32_t>{10, 20, 3, 4, 50, 60}));
}

TEST(ScanOutline, StopsStoringAtTheLimitButComposesToTheLastPixel) {
  // Every other pixel is outside: 64 runs a row of 128, 40 rows = 2560 runs.
  constexpr int width = 128, height = 40;
  std::vector<uint32_t> keys(width * height), artwork(width * height, A), composition(width * height, 0);
  for (int i = 0; i < width * height; ++i) keys[i] = i % 2 ? G : A;
  const Scan scan = ScanKeys(keys, width, height, composition.data(), artwork.data());
  ASSERT_EQ(scan.region->header.count, static_cast<uint32_t>(REGION_MAX_RECTS));
  // 2500 = 39 full rows of 64 and 4 runs of the last row.
  const RegionRect last = scan.region->rects[REGION_MAX_RECTS - 1];
  EXPECT_EQ(last, (RegionRect{6, 39, 7, 40}));
  EXPECT_EQ(scan.region->header.boundBottom, 40u);
  EXPECT_EQ(composition[width * height - 2], A);
}

TEST(ScanOutline, ScanWithoutCompositionOnlyCollects) {
  const std::vector<uint32_t> keys = {A, G, M};
  const std::vector<uint32_t> artwork = {7, 7, 7};
  const Scan scan = ScanKeys(keys, 3, 1, nullptr, artwork.data());
  EXPECT_EQ(scan.Rects(), (std::vector<RegionRect>{{0, 0, 1, 1}, {2, 0, 3, 1}}));
}

TEST(SameRegion, ComparesOnlyTheStoredRectangles) {
  const Scan a = ScanKeys({A, G, A, A}, 4, 1);
  Scan b = ScanKeys({A, G, A, A}, 4, 1);
  b.region->rects[5] = {9, 9, 9, 9};  // beyond the count
  EXPECT_TRUE(SameRegion(*a.region, *b.region));
  EXPECT_FALSE(SameRegion(*a.region, *ScanKeys({A, A, G, A}, 4, 1).region));
  EXPECT_FALSE(SameRegion(*a.region, *ScanKeys({A, G, A, G}, 4, 1).region));
}

TEST(ReplaceKeyColors, ReplacesExactlyTheTwoKeys) {
  std::vector<uint32_t> pixels = {G, M, A, 0xFFFF00FF, 0xFF00FF00, 0x0000FF01, 0};
  ReplaceKeyColors(pixels.data(), 7, 1, 0x00ABCDEF);
  EXPECT_EQ(pixels, (std::vector<uint32_t>{0x00ABCDEF, 0x00ABCDEF, A, 0xFFFF00FF, 0xFF00FF00, 0x0000FF01, 0}));

  std::vector<uint32_t> keyless = {1, 2, 3, 4};
  ReplaceKeyColors(keyless.data(), 2, 2, 0);
  EXPECT_EQ(keyless, (std::vector<uint32_t>{1, 2, 3, 4}));
}

TEST(ClearFourthBytes, KeepsTheColourAndClearsTheRest) {
  std::vector<uint32_t> pixels = {0xFF00FF00, 0x80123456, 0x00FF00FF};
  ClearFourthBytes(pixels.data(), pixels.size());
  EXPECT_EQ(pixels, (std::vector<uint32_t>{OUTSIDE_KEY, 0x00123456, PHOTO_KEY}));
}

TEST(WidenBgrRows, WidensEveryRowInPlace) {
  // Two rows of three pixels, each row's 9 bytes at the start of its 12.
  std::vector<uint32_t> buffer(6, 0xEEEEEEEE);
  uint8_t* bytes = reinterpret_cast<uint8_t*>(buffer.data());
  const uint8_t rows[2][9] = {{1, 2, 3, 4, 5, 6, 7, 8, 9}, {0, 255, 0, 255, 0, 255, 10, 20, 30}};
  for (int y = 0; y < 2; ++y) std::copy(rows[y], rows[y] + 9, bytes + 12 * y);
  WidenBgrRows(bytes, 3, 2);
  EXPECT_EQ(buffer, (std::vector<uint32_t>{0x00030201, 0x00060504, 0x00090807, G, M, 0x001E140A}));
}

}  // namespace
