// Reads a PNG file as it is stored: its header fields and, for 8-bit RGB
// files, the pixels.
#pragma once
#include <string>

#include "raster.h"

struct StoredPng {
  bool readable = false;
  int bitDepth = 0, colourType = -1, interlace = -1;
  RgbImage pixels;  // filled only for 8-bit RGB
};

StoredPng ReadStoredPng(const std::string& path);
