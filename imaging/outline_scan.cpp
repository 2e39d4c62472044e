#include "imaging/outline_scan.h"

#include <cstring>

#include "imaging/key_colors.h"

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

}  // namespace

void ScanOutline(const uint32_t* keys, int width, int height, RegionBlock* region, uint32_t* composition,
                 const uint32_t* artwork) {
  StartRegion(region->header);
  const bool compose = composition && artwork;
  for (int y = 0; y < height; ++y) {
    const size_t row = static_cast<size_t>(y) * static_cast<size_t>(width);
    const uint32_t* keyRow = keys + row;
    int x = 0;
    while (x < width) {
      if (keyRow[x] == OUTSIDE_KEY) {
        ++x;
        continue;
      }
      const int start = x;
      for (; x < width && keyRow[x] != OUTSIDE_KEY; ++x) {
        if (compose && keyRow[x] != PHOTO_KEY) composition[row + x] = artwork[row + x];
      }
      StoreRun(region, start, x, y);
    }
  }
}

int SameRegion(const RegionBlock& a, const RegionBlock& b) {
  return a.header.count == b.header.count &&
         std::memcmp(a.rects, b.rects, a.header.count * sizeof(RegionRect)) == 0;
}
