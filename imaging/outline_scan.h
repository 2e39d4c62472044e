// Turns a key image into the rectangles of a window region, one row run at a
// time, and lays the frame's artwork over the photo in the same pass.
#pragma once
#include <cstdint>

constexpr int REGION_MAX_RECTS = 2500;

// The layout of the region block handed to the platform (a rectangle-list
// region header followed by the rectangles), all fields 32-bit.
struct RegionRect {
  int32_t left, top, right, bottom;
  bool operator==(const RegionRect&) const = default;
};

struct RegionHeader {
  uint32_t size;       // 32
  uint32_t type;       // 1: a list of rectangles
  uint32_t count;      // rectangles stored
  uint32_t regionSize; // 0
  uint32_t boundLeft, boundTop, boundRight, boundBottom;
};

struct RegionBlock {
  RegionHeader header;
  RegionRect rects[REGION_MAX_RECTS];
};
static_assert(sizeof(RegionHeader) == 32 && sizeof(RegionBlock) == 40032);

// Stores every run of non-outside key pixels as a one-pixel-high rectangle,
// rows from the top, runs from the left, at most REGION_MAX_RECTS of them.
// When `composition` and `artwork` are given, every non-outside pixel whose
// key is not the photo key takes the artwork pixel, to the last pixel even
// after the rectangle limit is reached.
void ScanOutline(const uint32_t* keys, int width, int height, RegionBlock* region, uint32_t* composition,
                 const uint32_t* artwork);

// 1 when both blocks list the same rectangles.
int SameRegion(const RegionBlock& a, const RegionBlock& b);
