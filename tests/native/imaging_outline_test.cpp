// The outline scan, the key colour rules and the region block they fill.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

#include "imaging/key_colors.h"
#include "imaging/outline_scan.h"

namespace {

using Pixels = std::vector<uint32_t>;
constexpr uint32_t G = OUTSIDE_KEY;
constexpr uint32_t M = PHOTO_KEY;
constexpr uint32_t A = 0x00123456;  // any artwork colour

struct Scan {
  std::unique_ptr<RegionBlock> region = std::make_unique<RegionBlock>();
  std::vector<RegionRect> Rects() const { return {region->rects, region->rects + region->header.count}; }
  std::vector<uint32_t> Header() const {
    const RegionHeader& h = region->header;
    return {h.size, h.type, h.count, h.regionSize, h.boundLeft, h.boundTop, h.boundRight, h.boundBottom};
  }
};

Scan ScanKeys(const Pixels& keys, int width, int height, uint32_t* composition = nullptr,
              const uint32_t* artwork = nullptr) {
  Scan scan;
  ScanOutline(keys.data(), width, height, scan.region.get(), composition, artwork);
  return scan;
}

// Rows become runs one pixel high with exact ends and bounds. Artwork covers all
// but the photo key inside the outline; regions compare by their stored runs.
TEST(ScanOutline, RowsBecomeOnePixelHighRunsArtworkCoversAllButThePhotoKeyAndRegionsCompareByTheirRuns) {
  const Pixels rows = {
      G, G, G, G, G, G,  // only outside key: nothing
      G, A, M, A, A, G,  // no outside key inside: one run
      G, G, A, G, A, A,  // one outside pixel splits the row; the second run touches the right edge
      G, G, G, G, G, G,
  };
  const Scan runs = ScanKeys(rows, 6, 4);
  EXPECT_EQ(runs.Rects(), (std::vector<RegionRect>{{1, 1, 5, 2}, {2, 2, 3, 3}, {4, 2, 6, 3}}));
  EXPECT_EQ(runs.Header(), (std::vector<uint32_t>{32, 1, 3, 0, 1, 1, 6, 3}));
  EXPECT_EQ(ScanKeys({A, A, A, A, A, G, G, G, G, M}, 5, 2).Header(), (std::vector<uint32_t>{32, 1, 2, 0, 0, 0, 5, 2}));
  EXPECT_EQ(ScanKeys(Pixels(6, G), 3, 2).Header(), (std::vector<uint32_t>{32, 1, 0, 0, 0xFFFFFFFF, 0xFFFFFFFF, 0, 0}));

  const Pixels keys = {G, M, A, 0x0000FE00, M, G, A, M, G, 0x0100FF00};
  const Pixels artwork = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  Pixels composition = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100};
  const Scan scan = ScanKeys(keys, 5, 2, composition.data(), artwork.data());
  // Outside and photo-key pixels keep the photo; a near-green pixel is artwork.
  EXPECT_EQ(composition, (Pixels{10, 20, 3, 4, 50, 60, 7, 80, 90, 10}));
  EXPECT_EQ(scan.Rects(), (std::vector<RegionRect>{{1, 0, 5, 1}, {1, 1, 3, 2}, {4, 1, 5, 2}}));
  // Without a composition the scan only collects. Regions compare by their
  // stored rectangles only: one beyond the count is not read.
  Scan alone = ScanKeys(keys, 5, 2, nullptr, artwork.data());
  alone.region->rects[5] = {9, 9, 9, 9};
  EXPECT_TRUE(SameRegion(*scan.region, *alone.region));
  alone.region->rects[2].right = 6;
  EXPECT_FALSE(SameRegion(*scan.region, *alone.region)) << "the last stored rectangle differs";
  EXPECT_FALSE(SameRegion(*ScanKeys({G, M, A, A, M, G, A, M, G, G}, 5, 2).region, *scan.region)) << "the first runs only";
}

TEST(ScanOutline, StopsStoringAtTheLimitButComposesToTheLastPixel) {
  // Every other pixel is outside: 64 runs a row of 128, 40 rows = 2560 runs.
  constexpr int width = 128, height = 40;
  Pixels keys(width * height), artwork(width * height, A), composition(width * height, 0);
  for (int i = 0; i < width * height; ++i) keys[i] = i % 2 ? G : M + i % 4;
  const Scan scan = ScanKeys(keys, width, height, composition.data(), artwork.data());
  ASSERT_EQ(scan.region->header.count, static_cast<uint32_t>(REGION_MAX_RECTS));
  // 2500 = 39 full rows of 64 and 4 runs of the last row.
  EXPECT_EQ(scan.region->rects[REGION_MAX_RECTS - 1], (RegionRect{6, 39, 7, 40}));
  EXPECT_EQ((Pixels{scan.region->header.boundBottom, composition[width * height - 2], composition[width * height - 4]}),
            (Pixels{40, A, 0}));
}

// A line of green byte 255 one pixel wide is gone at 128 x 128; a darker one,
// or a light block 16 pixels wide, stays at every side from 32 to 256. Replace,
// clear and widen work on exact pixel values.
TEST(KeyColors, AFrameShowsOnlyWithWhatTheAndRuleKeepsAndReplaceClearAndWidenWorkOnExactValues) {
  for (const auto& [colour, width, shows] :
       {std::tuple(0xFFFFFFu, 1, 0), {0x00FFFFu, 2, 0}, {0xFFFFFFu, 16, 1}, {0xFFFEFFu, 1, 1}, {G, 16, 0}}) {
    Pixels keys(256 * 256, G);
    for (int y = 0; y < 256; ++y) std::fill_n(keys.begin() + y * 256 + 131, width, colour);
    EXPECT_EQ(ShowsAtEveryWindowSide(keys.data(), 256), shows) << std::hex << colour << " " << width;
  }
  // A frame needs a sixteenth of key colour, of either key; a photo has almost none.
  for (const auto& [keyCount, key, isFrame] : {std::tuple(16, G, 1), {16, M, 1}, {15, M, 0}, {0, G, 0}, {249, M, 1}}) {
    Pixels picture(256, A);
    std::fill_n(picture.begin() + 7, keyCount, key);
    picture[3] = keyCount == 15 ? 0x0100FF00 : A;  // a green with a fourth byte is no key
    EXPECT_EQ(HasFrameKeys(picture.data(), picture.size()), isFrame) << keyCount;
  }
  EXPECT_EQ(HasFrameKeys(nullptr, 0), 0);

  Pixels pixels = {G, M, A, 0xFFFF00FF, 0xFF00FF00, 0x0000FF01, 0, G};
  ReplaceKeyColors(pixels.data(), 7, 1, 0x00ABCDEF);
  EXPECT_EQ(pixels, (Pixels{0x00ABCDEF, 0x00ABCDEF, A, 0xFFFF00FF, 0xFF00FF00, 0x0000FF01, 0, G}));
  ReplaceKeyColors(pixels.data(), 0, 8, 0);
  ReplaceKeyColors(pixels.data(), 8, -1, 0);
  EXPECT_EQ(pixels.back(), G);

  // Nothing past the count is touched.
  pixels = {0xFF00FF00, 0x80123456, 0xFFFF00FF};
  ClearFourthBytes(pixels.data(), 2);
  EXPECT_EQ(pixels, (Pixels{G, 0x00123456, 0xFFFF00FF}));
  // Transparent pixels over white: opaque, clear, half clear, a sum that would pass 255; none past the count.
  pixels = {0xFF00FF00, 0x00000000, 0x80402010, 0x10FF0000, 0x80000000};
  FlattenOntoWhite(pixels.data(), 4);
  EXPECT_EQ(pixels, (Pixels{G, 0x00FFFFFF, 0x00BF9F8F, 0x00FFEFEF, 0x80000000}));
  // A frame shows something when a pixel is not the outside key; nothing past the count is read.
  EXPECT_EQ(std::pair(AnyPixelInside(pixels.data() + 1, 0), AnyPixelInside(pixels.data(), 1)), std::pair(0, 0));
  EXPECT_EQ(std::pair(AnyPixelInside(pixels.data(), 2), AnyPixelInside(pixels.data() + 1, 1)), std::pair(1, 1));

  // Two rows of three pixels, each row's 9 bytes at the start of its 12.
  Pixels buffer(6, 0xEEEEEEEE);
  uint8_t* bytes = reinterpret_cast<uint8_t*>(buffer.data());
  const uint8_t rows[2][9] = {{1, 2, 3, 4, 5, 6, 7, 8, 9}, {0, 255, 0, 255, 0, 255, 10, 20, 30}};
  for (int y = 0; y < 2; ++y) std::copy(rows[y], rows[y] + 9, bytes + 12 * y);
  WidenBgrRows(bytes, 3, 2);
  EXPECT_EQ(buffer, (Pixels{0x00030201, 0x00060504, 0x00090807, G, M, 0x001E140A}));

  // No key, all key, half key over red, and a sum past 255 that stops there.
  const Pixels art = {0xFF123456, 0, 0x00102030, 0x00FF0000}, share = {0x00FFFF00, 0x00FFFFFF, 0x808080, 0x010101};
  pixels.assign(art.size(), 0xDEADBEEF);
  MixKeyShare(art.data(), share.data(), pixels.data(), 4, 0x00FF0000);
  EXPECT_EQ(pixels, (Pixels{0x00123456, 0x00FF0000, 0x00902030, 0x00FF0000}));
  MixKeyShare(art.data(), share.data(), pixels.data(), 4, 0x00FFFFFF);
  EXPECT_EQ(pixels, (Pixels{0x00123456, 0x00FFFFFF, 0x0090A0B0, 0x00FF0101}));
}

}  // namespace
