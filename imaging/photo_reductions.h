// Reduced copies of a large photo, made when the photo is set, so that a
// recomposition averages a few hundred thousand pixels instead of millions.
#pragma once
#include <cstdint>

#include "imaging/heap_array.h"
#include "imaging/reduce.h"

constexpr int MAX_PHOTO_LEVELS = 32;

struct PhotoReductions {
  const uint32_t* source = nullptr;  // the photo the levels were made from
  int width = 0, height = 0;
  int levelCount = 0;
  PixelLevel levels[MAX_PHOTO_LEVELS] = {};  // level 0 is the photo itself
  HeapArray<uint32_t> halfStorage;           // level 1, made when first needed
  HeapArray<uint32_t> storage;               // levels 2 and up
};

// Level k holds the photo reduced 2^k times on each side (sizes rounded up),
// down to a single pixel; each pixel is the average of the photo pixels
// below it. Level 1, a quarter of the photo's memory, is left for
// LevelForSquare to make when a square first needs it: fresh memory is slow
// to fill, and most photos are shown zoomed out. 0 when out of memory; then
// `reductions` is unchanged.
int BuildPhotoReductions(const uint32_t* pixels, int width, int height, PhotoReductions& reductions);

// The smallest level that still has at least `target` pixels across a square
// of `side` photo pixels, so that averaging from it never enlarges.
const PixelLevel& LevelForSquare(PhotoReductions& reductions, int64_t side, int target);
