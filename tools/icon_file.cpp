#include "icon_file.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <png.h>

namespace {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(Bytes& out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

int Channel(Rgb c, int which) { return which == 0 ? c.r : which == 1 ? c.g : c.b; }

// Median cut: splits the box with the widest channel range at its median
// until there are `count` boxes, then averages each box.
std::vector<Rgb> MedianCutPalette(std::vector<Rgb> colours, size_t count) {
  std::vector<std::vector<Rgb>> boxes{std::move(colours)};
  while (boxes.size() < count) {
    int best = -1, bestChannel = 0, bestRange = 0;
    for (size_t i = 0; i < boxes.size(); ++i)
      for (int channel = 0; channel < 3; ++channel) {
        const auto [low, high] = std::minmax_element(boxes[i].begin(), boxes[i].end(), [channel](Rgb a, Rgb b) {
          return Channel(a, channel) < Channel(b, channel);
        });
        const int range = boxes[i].empty() ? 0 : Channel(*high, channel) - Channel(*low, channel);
        if (range > bestRange) {
          best = static_cast<int>(i);
          bestChannel = channel;
          bestRange = range;
        }
      }
    if (best < 0) break;  // every box holds a single colour
    std::vector<Rgb>& box = boxes[best];
    std::stable_sort(box.begin(), box.end(),
                     [bestChannel](Rgb a, Rgb b) { return Channel(a, bestChannel) < Channel(b, bestChannel); });
    std::vector<Rgb> upper(box.begin() + static_cast<long>(box.size() / 2), box.end());
    box.resize(box.size() / 2);
    boxes.push_back(std::move(upper));
  }
  std::vector<Rgb> palette;
  for (const std::vector<Rgb>& box : boxes) {
    long sum[3] = {0, 0, 0};
    for (Rgb c : box)
      for (int channel = 0; channel < 3; ++channel) sum[channel] += Channel(c, channel);
    const long n = static_cast<long>(box.size());
    palette.push_back({static_cast<uint8_t>((sum[0] + n / 2) / n), static_cast<uint8_t>((sum[1] + n / 2) / n),
                       static_cast<uint8_t>((sum[2] + n / 2) / n)});
  }
  return palette;
}

uint8_t Nearest(const std::vector<Rgb>& palette, Rgb c) {
  size_t best = 0;
  long bestDistance = -1;
  for (size_t i = 0; i < palette.size(); ++i) {
    const long dr = palette[i].r - c.r, dg = palette[i].g - c.g, db = palette[i].b - c.b;
    const long distance = 2 * dr * dr + 4 * dg * dg + 3 * db * db;
    if (bestDistance < 0 || distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return static_cast<uint8_t>(best);
}

bool Opaque(const IconArt& art, int x, int y) { return art.alpha.at(x, y) >= 128; }

// Straight colour and alpha, black where nothing shows.
std::array<uint8_t, 4> Rgba(const IconArt& art, int x, int y) {
  const uint8_t alpha = art.alpha.at(x, y);
  const Rgb c = alpha > 0 ? art.colour.at(x, y) : Rgb{0, 0, 0};
  return {c.r, c.g, c.b, alpha};
}

// One icon image: header, palette, colour indices or BGRA pixels, and AND
// mask, rows bottom-up.
Bytes IconImage(const IconArt& art, int bitsPerPixel) {
  const size_t paletteSize = bitsPerPixel == 32 ? 0 : size_t{1} << bitsPerPixel;
  std::vector<Rgb> opaqueColours;
  for (size_t i = 0; i < art.colour.cells.size(); ++i)
    if (art.alpha.cells[i] >= 128) opaqueColours.push_back(art.colour.cells[i]);
  // Index 0 stays black: transparent pixels show through it under the mask.
  std::vector<Rgb> palette{{0, 0, 0}};
  if (paletteSize > 0)
    for (Rgb c : MedianCutPalette(opaqueColours, paletteSize - 1)) palette.push_back(c);
  const int size = art.colour.width;
  const int colourRowBytes = (size * bitsPerPixel + 31) / 32 * 4, maskRowBytes = (size + 31) / 32 * 4;
  Bytes image;
  Put32(image, 40);
  Put32(image, static_cast<uint32_t>(size));
  Put32(image, static_cast<uint32_t>(2 * size));  // colour and mask rows together
  Put16(image, 1);
  Put16(image, static_cast<uint32_t>(bitsPerPixel));
  Put32(image, 0);
  Put32(image, static_cast<uint32_t>((colourRowBytes + maskRowBytes) * size));
  Put32(image, 0);
  Put32(image, 0);
  Put32(image, static_cast<uint32_t>(paletteSize));
  Put32(image, 0);
  for (size_t i = 0; i < paletteSize; ++i) {
    const Rgb c = i < palette.size() ? palette[i] : Rgb{0, 0, 0};
    image.insert(image.end(), {c.b, c.g, c.r, 0});
  }
  for (int y = size - 1; y >= 0; --y) {
    Bytes row(static_cast<size_t>(colourRowBytes));
    for (int x = 0; x < size; ++x) {
      if (bitsPerPixel == 32) {
        const std::array<uint8_t, 4> c = Rgba(art, x, y);
        std::ranges::copy(std::array{c[2], c[1], c[0], c[3]}, row.begin() + 4 * x);
        continue;
      }
      const uint8_t index = Opaque(art, x, y) ? Nearest(palette, art.colour.at(x, y)) : 0;
      if (bitsPerPixel == 8)
        row[x] = index;
      else
        row[x / 2] |= static_cast<uint8_t>(x % 2 == 0 ? index << 4 : index);
    }
    image.insert(image.end(), row.begin(), row.end());
  }
  for (int y = size - 1; y >= 0; --y) {
    Bytes row(static_cast<size_t>(maskRowBytes));
    for (int x = 0; x < size; ++x)
      if (!Opaque(art, x, y)) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    image.insert(image.end(), row.begin(), row.end());
  }
  return image;
}

void AppendPngBytes(png_structp png, png_bytep data, png_size_t length) {
  Bytes& out = *static_cast<Bytes*>(png_get_io_ptr(png));
  out.insert(out.end(), data, data + length);
}

// The picture as an 8-bit RGBA PNG with straight alpha.
Bytes PngImage(const IconArt& art) {
  Bytes image;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    std::fprintf(stderr, "could not compress the icon's PNG image\n");
    std::exit(1);
  }
  png_set_write_fn(png, &image, AppendPngBytes, nullptr);
  png_set_compression_level(png, 9);
  const int size = art.colour.width;
  png_set_IHDR(png, info, size, size, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  Bytes row(static_cast<size_t>(4 * size));
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) std::ranges::copy(Rgba(art, x, y), row.begin() + 4 * x);
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return image;
}

}  // namespace

void WriteIcon(const std::string& path, const std::vector<IconPicture>& pictures) {
  std::vector<Bytes> images;
  for (const IconPicture& picture : pictures)
    images.push_back(picture.art.colour.width == 256 ? PngImage(picture.art)
                                                     : IconImage(picture.art, picture.bitsPerPixel));
  Bytes file;
  Put16(file, 0);
  Put16(file, 1);
  Put16(file, static_cast<uint32_t>(pictures.size()));
  uint32_t offset = static_cast<uint32_t>(6 + 16 * pictures.size());
  for (size_t i = 0; i < pictures.size(); ++i) {
    const int bits = pictures[i].bitsPerPixel;
    file.push_back(static_cast<uint8_t>(pictures[i].art.colour.width));  // 256 is written as 0
    file.push_back(static_cast<uint8_t>(pictures[i].art.colour.height));
    file.push_back(bits == 4 ? 16 : 0);  // palette size; 0 stands for 256 or none
    file.push_back(0);
    Put16(file, 1);
    Put16(file, static_cast<uint32_t>(bits));
    Put32(file, static_cast<uint32_t>(images[i].size()));
    Put32(file, offset);
    offset += static_cast<uint32_t>(images[i].size());
  }
  for (const Bytes& image : images) file.insert(file.end(), image.begin(), image.end());
  FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr || std::fwrite(file.data(), 1, file.size(), out) != file.size() || std::fclose(out) != 0) {
    std::perror(path.c_str());
    std::exit(1);
  }
}
