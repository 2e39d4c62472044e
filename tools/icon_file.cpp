#include "icon_file.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

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

// One icon image: header, palette, colour indices and AND mask, rows bottom-up.
Bytes IconImage(const IconArt& art, int bitsPerPixel) {
  const size_t paletteSize = size_t{1} << bitsPerPixel;
  std::vector<Rgb> opaqueColours;
  for (size_t i = 0; i < art.colour.cells.size(); ++i)
    if (art.opaque.cells[i]) opaqueColours.push_back(art.colour.cells[i]);
  // Index 0 stays black: transparent pixels show through it under the mask.
  std::vector<Rgb> palette{{0, 0, 0}};
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
      const uint8_t index = art.opaque.at(x, y) ? Nearest(palette, art.colour.at(x, y)) : 0;
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
      if (!art.opaque.at(x, y)) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    image.insert(image.end(), row.begin(), row.end());
  }
  return image;
}

}  // namespace

void WriteIcon(const std::string& path, const IconArt& art) {
  const Bytes images[] = {IconImage(art, 4), IconImage(art, 8)};
  Bytes file;
  Put16(file, 0);
  Put16(file, 1);
  Put16(file, 2);
  uint32_t offset = 6 + 16 * 2;
  for (int i = 0; i < 2; ++i) {
    const int bits = i == 0 ? 4 : 8;
    file.push_back(static_cast<uint8_t>(art.colour.width));
    file.push_back(static_cast<uint8_t>(art.colour.height));
    file.push_back(bits == 4 ? 16 : 0);  // palette size; 0 stands for 256
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
