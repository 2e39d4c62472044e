// The pixels of the window's 32 × 32 icon: the composition in small, shaped
// like the frame.
#pragma once
#include <cstdint>

constexpr int ICON_SIDE = 32;
constexpr int ICON_MASK_ROW_BYTES = ICON_SIDE / 8;

struct IconPixels {
  uint32_t color[ICON_SIDE * ICON_SIDE];  // black where transparent
  // One bit a pixel, leftmost pixel in the highest bit, 1 = transparent: the
  // AND mask of an icon, rows top first.
  uint8_t mask[ICON_SIDE * ICON_MASK_ROW_BYTES];
};

// Reduces the three window-sized pictures to 32 × 32 (the keys by the AND
// rule, composition and artwork by averaging) and picks each icon pixel:
// transparent over the outside key, the small composition over the photo key,
// the small artwork elsewhere. 0 when out of memory.
int ComposeIconPixels(const uint32_t* composition, const uint32_t* keys, const uint32_t* artwork, int width,
                      int height, IconPixels& icon);
