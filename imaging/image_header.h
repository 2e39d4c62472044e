// What an image file says about itself before it is decoded: its size, so
// that a picture too large for memory is refused before a decoder tries, and
// for JPEG its EXIF orientation.
#pragma once
#include <cstddef>
#include <cstdint>

#include "app/size_limits.h"

// 1 when a surface of this size is allowed: both sides positive, not too many pixels.
int ImageSizeAllowed(int64_t width, int64_t height);

struct ImageHeader {
  int64_t width = 0, height = 0;  // 0 when the header does not say (or is not recognised)
  int orientation = 1;            // EXIF orientation of a JPEG; 1 for every other picture
  bool known = false;             // the bytes begin as a PNG, JPEG, GIF or BMP does
};

// Reads the header of a PNG, JPEG, GIF or BMP file held in memory.
ImageHeader ReadImageHeader(const uint8_t* bytes, size_t size);

// How many first bytes of a file are read and checked before the rest.
constexpr size_t HEADER_BYTES = 64 * 1024;

// 1 when a file of that name, beginning with these bytes, is no picture we
// read: its name promises a format whose files always begin with a mark of
// their own (.jpg, .png, .gif, .bmp, .ico, .emf, .tif ...), and the bytes
// begin as no picture at all. Such a file is refused without being read
// further; a name that promises nothing (or a format without a mark, .tga)
// is left to the decoders.
int BeginsAsNoPicture(const uint8_t* bytes, size_t size, const char* name);
