// Random key pictures up to 300 by 300, past the largest window: the size,
// then runs of pixels (a kind and a length a byte), so both smooth shapes and
// far more than 2500 runs come up. Checked against what the scan must give.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "imaging/key_colors.h"
#include "imaging/outline_scan.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

constexpr uint32_t KINDS[4] = {OUTSIDE_KEY, PHOTO_KEY, 0x00123456, OUTSIDE_KEY | 0x01000000};

void CheckRegion(const RegionBlock& region, const std::vector<uint32_t>& keys, int width, int height) {
  const RegionHeader& header = region.header;
  Require(header.size == 32 && header.type == 1 && header.regionSize == 0, "header fields");
  Require(header.count <= REGION_MAX_RECTS, "at most 2500 rectangles");
  // Every stored rectangle is one whole run; together, in order, they are the first runs of the picture.
  size_t stored = 0;
  bool full = false;
  uint32_t left = 0xFFFFFFFF, top = 0xFFFFFFFF, right = 0, bottom = 0;
  const auto outside = [&](int x, int y) { return keys[static_cast<size_t>(y) * width + x] == OUTSIDE_KEY; };
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {  // steps over the outside pixel that ends a run
      if (outside(x, y)) continue;
      const int start = x;
      while (x < width && !outside(x, y)) ++x;
      full = full || stored == header.count;
      if (stored == header.count) continue;
      const RegionRect& rect = region.rects[stored++];
      Require(rect == RegionRect{start, y, x, y + 1}, "rectangle is the next run");
      left = std::min(left, static_cast<uint32_t>(start));
      top = std::min(top, static_cast<uint32_t>(y));
      right = std::max(right, static_cast<uint32_t>(x));
      bottom = std::max(bottom, static_cast<uint32_t>(y + 1));
    }
  }
  Require(stored == header.count, "no rectangle beyond the runs");
  Require(!full || header.count == REGION_MAX_RECTS, "runs are dropped only when the block is full");
  Require(header.boundLeft == left && header.boundTop == top && header.boundRight == right &&
              header.boundBottom == bottom,
          "bounds enclose the stored rectangles");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  const int width = 1 + (data[0] | data[1] << 8) % 300;
  const int height = 1 + (data[2] | data[3] << 8) % 300;
  const size_t count = static_cast<size_t>(width) * height;
  std::vector<uint32_t> keys(count);
  size_t at = 0;
  uint32_t kind = OUTSIDE_KEY;
  for (size_t i = 4; i < size && at < count; ++i) {
    kind = KINDS[data[i] >> 6];
    for (size_t run = 1 + (data[i] & 63); run > 0 && at < count; --run) keys[at++] = kind;
  }
  while (at < count) keys[at++] = kind;

  std::vector<uint32_t> artwork(count), composition(count);
  for (size_t i = 0; i < count; ++i) {
    artwork[i] = 0x00ABCDEF ^ static_cast<uint32_t>(i);
    composition[i] = 0x00FEDCBA ^ static_cast<uint32_t>(i * 7);
  }
  const std::vector<uint32_t> photo = composition;
  auto region = std::make_unique<RegionBlock>();
  ScanOutline(keys.data(), width, height, region.get(), composition.data(), artwork.data());
  CheckRegion(*region, keys, width, height);
  for (size_t i = 0; i < count; ++i) {
    const bool showsArtwork = keys[i] != OUTSIDE_KEY && keys[i] != PHOTO_KEY;
    Require(composition[i] == (showsArtwork ? artwork[i] : photo[i]), "artwork lies over the photo");
  }

  // The splash scans without composing; the region comes out the same.
  auto alone = std::make_unique<RegionBlock>();
  ScanOutline(keys.data(), width, height, alone.get(), nullptr, nullptr);
  Require(SameRegion(*region, *alone) && alone->header.count == region->header.count, "same region without composing");
  return 0;
}
