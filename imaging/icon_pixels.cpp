#include "imaging/icon_pixels.h"

#include <cstring>

#include "imaging/key_colors.h"
#include "imaging/reduce.h"

int ComposeIconPixels(const uint32_t* composition, const uint32_t* keys, const uint32_t* artwork, int width,
                      int height, IconPixels& icon) {
  constexpr int count = ICON_SIDE * ICON_SIDE;
  uint32_t smallComposition[count], smallKeys[count], smallArtwork[count];
  if (!AreaAverageWhole(composition, width, height, smallComposition, ICON_SIDE, ICON_SIDE) ||
      !ReduceByAnd(keys, width, height, smallKeys, ICON_SIDE, ICON_SIDE) ||
      !AreaAverageWhole(artwork, width, height, smallArtwork, ICON_SIDE, ICON_SIDE)) {
    return 0;
  }
  std::memset(icon.mask, 0, sizeof icon.mask);
  for (int i = 0; i < count; ++i) {
    if (smallKeys[i] == OUTSIDE_KEY) {
      icon.color[i] = 0;
      icon.mask[i / 8] |= static_cast<uint8_t>(0x80 >> (i % 8));
    } else {
      icon.color[i] = smallKeys[i] == PHOTO_KEY ? smallComposition[i] : smallArtwork[i];
    }
  }
  return 1;
}
