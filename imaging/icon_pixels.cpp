#include "imaging/icon_pixels.h"

#include "imaging/key_colors.h"
#include "imaging/reduce.h"

int ComposeIconPixels(const uint32_t* composition, const uint32_t* keys, const uint32_t* artwork, int width,
                      int height, int side, IconPixels& icon) {
  const size_t count = static_cast<size_t>(side) * side;
  const int maskRowBytes = (side + 15) / 16 * 2;
  HeapArray<uint32_t> smallComposition, smallKeys, smallArtwork;
  if (!smallComposition.Allocate(count) || !smallKeys.Allocate(count) || !smallArtwork.Allocate(count) ||
      !icon.color.Allocate(count) || !icon.mask.Allocate(static_cast<size_t>(maskRowBytes) * side) ||
      !AreaAverageWhole(composition, width, height, smallComposition.data, side, side) ||
      !ReduceByAnd(keys, width, height, smallKeys.data, side, side) ||
      !AreaAverageWhole(artwork, width, height, smallArtwork.data, side, side)) {
    return 0;
  }
  icon.side = side;
  icon.maskRowBytes = maskRowBytes;
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      const size_t i = static_cast<size_t>(y) * side + x;
      if (smallKeys[i] == OUTSIDE_KEY) {
        icon.mask[static_cast<size_t>(y) * maskRowBytes + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
      } else {
        icon.color[i] = smallKeys[i] == PHOTO_KEY ? smallComposition[i] : smallArtwork[i];
      }
    }
  }
  return 1;
}
