#include "thumbnail_sheets.h"

#include <filesystem>

#include "app/ids.h"
#include "imaging/reduce.h"

namespace {

// The frame in the program's pixel format: its artwork with the keys black,
// or its key mask.
std::vector<uint32_t> Split(const RgbImage& frame, bool mask) {
  std::vector<uint32_t> pixels(frame.cells.size());
  for (size_t i = 0; i < pixels.size(); ++i) {
    const Rgb c = frame.cells[i];
    const bool key = c == KEY_OUTSIDE || c == KEY_PHOTO;
    pixels[i] = mask ? (key ? 0x00FFFFFF : 0) : key ? 0 : static_cast<uint32_t>(c.r << 16 | c.g << 8 | c.b);
  }
  return pixels;
}

}  // namespace

void WriteThumbnailSheets(const std::string& folder, const std::vector<CatalogueEntry>& frames) {
  std::filesystem::remove_all(folder);  // sheets of sizes no longer made
  std::filesystem::create_directories(folder);
  const int count = static_cast<int>(frames.size());
  for (int size : FRAME_THUMBNAIL_SHEET_SIZES) {
    RgbImage sheet(count * size, 2 * size);
    std::vector<uint32_t> reduced(static_cast<size_t>(size) * size);
    for (int i = 0; i < count; ++i) {
      for (int half = 0; half < 2; ++half) {
        const RgbImage& frame = frames[i].frame;
        const std::vector<uint32_t> pixels = Split(frame, half == 1);
        AreaAverageWhole(pixels.data(), frame.width, frame.height, reduced.data(), size, size);
        for (int y = 0; y < size; ++y)
          for (int x = 0; x < size; ++x) {
            const uint32_t p = reduced[static_cast<size_t>(y) * size + x];
            sheet.at(i * size + x, half * size + y) = {static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8),
                                                       static_cast<uint8_t>(p)};
          }
      }
    }
    WritePng(folder + "/" + std::to_string(size) + ".png", sheet);
  }
}
