#include "imaging/key_colors.h"

void ReplaceKeyColors(uint32_t* pixels, int width, int height, uint32_t value) {
  if (width <= 0 || height <= 0) return;
  const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
  for (size_t i = 0; i < count; ++i) {
    if (pixels[i] == OUTSIDE_KEY || pixels[i] == PHOTO_KEY) pixels[i] = value;
  }
}

void ClearFourthBytes(uint32_t* pixels, size_t count) {
  for (size_t i = 0; i < count; ++i) pixels[i] &= 0x00FFFFFF;
}
