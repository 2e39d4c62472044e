// The pixels of the window's and the tray's icons: the composition in small,
// shaped like the frame, at the icon sizes the system asks for.
#pragma once
#include <cstdint>

#include "imaging/heap_array.h"

struct IconPixels {
  int side = 0;
  // A monochrome bitmap's rows are whole 16-bit words.
  int maskRowBytes = 0;
  HeapArray<uint32_t> color;  // black where transparent
  // One bit a pixel, leftmost pixel in the highest bit, 1 = transparent: the
  // AND mask of an icon, rows top first.
  HeapArray<uint8_t> mask;
};

// Reduces the three window-sized pictures to side × side (the keys by the AND
// rule, composition and artwork by averaging) and picks each icon pixel:
// transparent over the outside key, the small composition over the photo key,
// the small artwork elsewhere. 0 when out of memory.
int ComposeIconPixels(const uint32_t* composition, const uint32_t* keys, const uint32_t* artwork, int width,
                      int height, int side, IconPixels& icon);
