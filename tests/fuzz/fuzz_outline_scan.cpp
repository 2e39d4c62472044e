// Random key pictures up to 300 by 300, past the largest window: the size,
// then runs of pixels (a kind and a length a byte), so both smooth shapes and
// far more than 2500 runs come up. Checked against what the scan must give.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "imaging/key_colors.h"
#include "imaging/outline_scan.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

constexpr uint32_t KINDS[4] = {OUTSIDE_KEY, PHOTO_KEY, 0x00123456, OUTSIDE_KEY | 0x01000000};

// The stored rectangles are the picture's first runs, one pixel high, as many as fit.
void CheckRegion(const RegionBlock& region, const std::vector<uint32_t>& keys, int width, int height) {
  std::vector<RegionRect> runs;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {  // steps over the outside pixel that ends a run
      const int start = x;
      while (x < width && keys[static_cast<size_t>(y) * width + x] != OUTSIDE_KEY) ++x;
      if (x > start) runs.push_back({start, y, x, y + 1});
    }
  }
  runs.resize(std::min<size_t>(runs.size(), REGION_MAX_RECTS));
  RegionHeader expected = {32, 1, static_cast<uint32_t>(runs.size()), 0, 0xFFFFFFFF, 0xFFFFFFFF, 0, 0};
  for (const RegionRect& run : runs) {
    expected.boundLeft = std::min(expected.boundLeft, static_cast<uint32_t>(run.left));
    expected.boundTop = std::min(expected.boundTop, static_cast<uint32_t>(run.top));
    expected.boundRight = std::max(expected.boundRight, static_cast<uint32_t>(run.right));
    expected.boundBottom = std::max(expected.boundBottom, static_cast<uint32_t>(run.bottom));
  }
  Require(std::memcmp(&region.header, &expected, sizeof expected) == 0,
          "header fields, runs dropped only past 2500, bounds that enclose the stored rectangles");
  Require(std::equal(runs.begin(), runs.end(), region.rects), "each rectangle is the next run");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  const int width = 1 + (data[0] | data[1] << 8) % 300, height = 1 + (data[2] | data[3] << 8) % 300;
  const size_t count = static_cast<size_t>(width) * height;
  std::vector<uint32_t> keys;
  for (size_t i = 4; i < size && keys.size() < count; ++i) keys.insert(keys.end(), 1 + (data[i] & 63), KINDS[data[i] >> 6]);
  keys.resize(count, keys.empty() ? OUTSIDE_KEY : keys.back());
  std::vector<uint32_t> artwork(count), composition(count);
  for (size_t i = 0; i < count; ++i) {
    artwork[i] = 0x00ABCDEF ^ static_cast<uint32_t>(i);
    composition[i] = 0x00FEDCBA ^ static_cast<uint32_t>(i * 7);
  }
  auto region = std::make_unique<RegionBlock>(), alone = std::make_unique<RegionBlock>();
  ScanOutline(keys.data(), width, height, region.get(), composition.data(), artwork.data());
  CheckRegion(*region, keys, width, height);
  for (size_t i = 0; i < count; ++i) {
    const bool showsArtwork = keys[i] != OUTSIDE_KEY && keys[i] != PHOTO_KEY;
    const uint32_t photo = 0x00FEDCBA ^ static_cast<uint32_t>(i * 7);
    Require(composition[i] == (showsArtwork ? artwork[i] : photo), "artwork lies over the photo");
  }
  // The splash scans without composing; the region comes out the same.
  ScanOutline(keys.data(), width, height, alone.get(), nullptr, nullptr);
  Require(SameRegion(*region, *alone) && alone->header.count == region->header.count, "same region without composing");
  return 0;
}
