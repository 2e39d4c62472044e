// Halved copies of a large photo, made once when the photo is set, so that a
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
  HeapArray<uint32_t> storage;               // levels 1 and up
};

// Level k+1 halves level k (sizes rounded up), down to a single pixel; each
// pixel is the average of the pixels below it. 0 when out of memory; then
// `reductions` is unchanged.
int BuildPhotoReductions(const uint32_t* pixels, int width, int height, PhotoReductions& reductions);

// The smallest level that still has at least `target` pixels across a square
// of `side` photo pixels, so that averaging from it never enlarges.
const PixelLevel& LevelForSquare(const PhotoReductions& reductions, int64_t side, int target);
