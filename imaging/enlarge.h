// Smooth enlargement of pictures with key colours (frames, the splash): their
// outline and artwork at a larger size without the staircase that repeated
// pixels give along a curve.
#pragma once
#include <cstdint>

// Each destination pixel weighs the 4 × 4 source pixels around its centre
// (a tent over a three-pixel box, so that a key edge's corners round off) to
// decide its kind: inside the outline or not, then photo key or artwork. A
// kind wins with the larger weight, or with a third of it where the nearest
// source pixel is of that kind, so that lines a pixel thin stay whole. An
// artwork pixel is the bilinear mean of the artwork among the four nearest
// (of the sixteen when none of those is artwork), so no key colour bleeds
// into it; a mean that comes out as a key colour is moved off it by one level
// of blue. Meant for destinations at least as large as the source on each
// side; a side as large as the source's is copied as it is. 0 when out of
// memory (the destination is then unchanged).
int EnlargeSmoothly(const uint32_t* source, int sourceWidth, int sourceHeight, uint32_t* destination,
                    int destinationWidth, int destinationHeight);
