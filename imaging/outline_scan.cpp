#include "imaging/outline_scan.h"

#include <cstring>

#include "imaging/key_colors.h"
#include "imaging/pixel_lanes.h"

namespace {

void StartRegion(RegionHeader& header) {
  header.size = sizeof(RegionHeader);
  header.type = 1;
  header.count = 0;
  header.regionSize = 0;
  header.boundLeft = 0xFFFFFFFF;
  header.boundTop = 0xFFFFFFFF;
  header.boundRight = 0;
  header.boundBottom = 0;
}

void StoreRun(RegionBlock* region, int start, int end, int y) {
  RegionHeader& header = region->header;
  if (header.count >= REGION_MAX_RECTS) return;
  region->rects[header.count++] = {start, y, end, y + 1};
  // Unsigned, so the first rectangle always sets left and top.
  if (static_cast<uint32_t>(start) < header.boundLeft) header.boundLeft = static_cast<uint32_t>(start);
  if (static_cast<uint32_t>(y) < header.boundTop) header.boundTop = static_cast<uint32_t>(y);
  if (static_cast<uint32_t>(end) > header.boundRight) header.boundRight = static_cast<uint32_t>(end);
  if (static_cast<uint32_t>(y + 1) > header.boundBottom) header.boundBottom = static_cast<uint32_t>(y + 1);
}

// Four pixels of a row: the artwork laid over every one whose key is
// neither outside nor photo; the bits of those that are not outside, lowest
// for the leftmost.
int ScanFour(const uint32_t* keys, uint32_t* composition, const uint32_t* artwork, int count) {
  const __m128i key = LoadPixels(keys, count);
  const __m128i outside = _mm_cmpeq_epi32(key, _mm_set1_epi32(static_cast<int>(OUTSIDE_KEY)));
  if (composition) {
    const __m128i kept = _mm_or_si128(outside, _mm_cmpeq_epi32(key, _mm_set1_epi32(static_cast<int>(PHOTO_KEY))));
    const __m128i laid = _mm_or_si128(_mm_and_si128(kept, LoadPixels(composition, count)),
                                      _mm_andnot_si128(kept, LoadPixels(artwork, count)));
    StorePixels(composition, laid, count);
  }
  return ~_mm_movemask_ps(_mm_castsi128_ps(outside)) & LaneBits(count);
}

}  // namespace

void ScanOutline(const uint32_t* keys, int width, int height, RegionBlock* region, uint32_t* composition,
                 const uint32_t* artwork) {
  StartRegion(region->header);
  const bool compose = composition && artwork;
  for (int y = 0; y < height; ++y) {
    const size_t row = static_cast<size_t>(y) * static_cast<size_t>(width);
    int start = -1;  // where the open run began, -1 between runs
    for (int x = 0; x < width; x += PIXELS_PER_VECTOR) {
      const int count = width - x;
      const int inside = ScanFour(keys + row + x, compose ? composition + row + x : nullptr,
                                  compose ? artwork + row + x : nullptr, count);
      // Runs mostly go on or stay off for all four.
      if (inside == (start < 0 ? 0 : LaneBits(count))) continue;
      for (int i = 0; i < PIXELS_PER_VECTOR && i < count; ++i) {
        if ((inside >> i & 1) && start < 0) {
          start = x + i;
        } else if (!(inside >> i & 1) && start >= 0) {
          StoreRun(region, start, x + i, y);
          start = -1;
        }
      }
    }
    if (start >= 0) StoreRun(region, start, width, y);
  }
}

int SameRegion(const RegionBlock& a, const RegionBlock& b) {
  return a.header.count == b.header.count &&
         std::memcmp(a.rects, b.rects, a.header.count * sizeof(RegionRect)) == 0;
}
