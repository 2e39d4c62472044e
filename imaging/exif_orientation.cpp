#include "imaging/exif_orientation.h"

#include <cstring>

namespace {

constexpr uint16_t ORIENTATION_TAG = 0x0112;
constexpr uint16_t SHORT_TYPE = 3;
constexpr size_t TIFF_START = 6;  // after "Exif\0\0"

struct TiffReader {
  const uint8_t* tiff;
  size_t size;
  bool bigEndian;

  bool Fits(size_t offset, size_t length) const { return offset <= size && length <= size - offset; }
  uint16_t Read16(size_t offset) const {
    return bigEndian ? static_cast<uint16_t>(tiff[offset] << 8 | tiff[offset + 1])
                     : static_cast<uint16_t>(tiff[offset] | tiff[offset + 1] << 8);
  }
  uint32_t Read32(size_t offset) const {
    const uint32_t high = Read16(offset), low = Read16(offset + 2);
    return bigEndian ? high << 16 | low : low << 16 | high;
  }
};

}  // namespace

int ReadExifOrientation(const uint8_t* payload, size_t size) {
  if (size < TIFF_START + 8 || std::memcmp(payload, "Exif\0\0", TIFF_START) != 0) return 1;
  TiffReader reader = {payload + TIFF_START, size - TIFF_START, false};
  if (std::memcmp(reader.tiff, "MM\0*", 4) == 0) {
    reader.bigEndian = true;
  } else if (std::memcmp(reader.tiff, "II*\0", 4) != 0) {
    return 1;
  }
  const uint32_t directory = reader.Read32(4);
  if (!reader.Fits(directory, 2)) return 1;
  const uint16_t entries = reader.Read16(directory);
  for (uint16_t i = 0; i < entries; ++i) {
    const size_t entry = directory + 2 + static_cast<size_t>(i) * 12;
    if (!reader.Fits(entry, 12)) return 1;
    if (reader.Read16(entry) != ORIENTATION_TAG) continue;
    if (reader.Read16(entry + 2) != SHORT_TYPE || reader.Read32(entry + 4) != 1) return 1;
    const uint16_t value = reader.Read16(entry + 8);
    return value >= 1 && value <= 8 ? value : 1;
  }
  return 1;
}

int OrientationSwapsSides(int orientation) { return orientation >= 5 && orientation <= 8; }

void OrientPixels(const uint32_t* source, int width, int height, int orientation, uint32_t* destination) {
  const int outWidth = OrientationSwapsSides(orientation) ? height : width;
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = source + static_cast<size_t>(y) * width;
    for (int x = 0; x < width; ++x) {
      int toX = x, toY = y;
      switch (orientation) {
        case 2: toX = width - 1 - x; break;                         // mirrored left to right
        case 3: toX = width - 1 - x; toY = height - 1 - y; break;   // upside down
        case 4: toY = height - 1 - y; break;                        // mirrored top to bottom
        case 5: toX = y; toY = x; break;                            // mirrored along the diagonal
        case 6: toX = height - 1 - y; toY = x; break;               // needs a quarter turn clockwise
        case 7: toX = height - 1 - y; toY = width - 1 - x; break;   // mirrored along the other diagonal
        case 8: toX = y; toY = width - 1 - x; break;                // needs a quarter turn anticlockwise
        default: break;
      }
      destination[static_cast<size_t>(toY) * outWidth + toX] = row[x];
    }
  }
}
