// Turns a frame's outline, hole and flat colours into the final key-coloured
// picture: a raised, bevelled band lit from the top left, hard-edged keys.
#pragma once
#include "raster.h"

constexpr int FRAME_SIZE = 256;

struct FrameShape {
  Mask outline;  // every pixel of the window, hole included
  Mask hole;     // the photo's pixels, a subset of the outline
};

// Per-pixel measures of the band between outline and hole.
struct BandGeometry {
  Field toOutside, toHole;  // distance to the nearest outside and hole pixel
  Field height;             // rounded profile rising from both band edges
  Field normalX, normalY, normalZ;
};

// profileWidth: how far from an edge the band takes to reach its full height.
BandGeometry MeasureBand(const FrameShape& shape, float profileWidth);

struct Finish {
  float relief;     // steepness of the profile
  float specular;   // strength of the highlight
  float shininess;  // its sharpness
  float mirror;     // strength of a reflected surrounding (polished metal)
  float edgeShade;  // factor of the 1 px line along both band edges
};

// The albedo is read only on band pixels. Outside becomes pure green and the
// hole pure magenta; no band pixel is either key.
RgbImage ShadeFrame(const FrameShape& shape, const BandGeometry& band, const RgbImage& albedo, const Finish& finish);
