#include "png_reader.h"

#include <png.h>

#include <cstdio>

StoredPng ReadStoredPng(const std::string& path) {
  StoredPng result;
  FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return result;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return StoredPng{};
  }
  png_init_io(png, file);
  png_read_info(png, info);
  const int width = static_cast<int>(png_get_image_width(png, info));
  const int height = static_cast<int>(png_get_image_height(png, info));
  result.bitDepth = png_get_bit_depth(png, info);
  result.colourType = png_get_color_type(png, info);
  result.interlace = png_get_interlace_type(png, info);
  if (result.bitDepth == 8 && result.colourType == PNG_COLOR_TYPE_RGB && result.interlace == PNG_INTERLACE_NONE) {
    result.pixels = RgbImage(width, height);
    for (int y = 0; y < height; ++y)
      png_read_row(png, reinterpret_cast<png_bytep>(&result.pixels.cells[static_cast<size_t>(y) * width]), nullptr);
    png_read_end(png, nullptr);
  } else {
    result.pixels = RgbImage(width, height);
    result.pixels.cells.clear();
  }
  result.readable = true;
  png_destroy_read_struct(&png, &info, nullptr);
  std::fclose(file);
  return result;
}
