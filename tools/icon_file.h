// Writes a Windows .ico: paletted images (16 or 256 colours, with their own
// palette and transparency mask), 32-bit images with alpha, and the 256 x 256
// one compressed as PNG, as Windows Vista and later read it.
#pragma once
#include <string>
#include <vector>

#include "small_pictures.h"

struct IconPicture {
  IconArt art;
  int bitsPerPixel;  // 4, 8 or 32
};

void WriteIcon(const std::string& path, const std::vector<IconPicture>& pictures);
