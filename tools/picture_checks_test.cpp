// Checks the committed pictures against the rules the program relies on:
// sizes and format, the key colours of frames and splash, the icon's images.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/ids.h"
#include "png_reader.h"

namespace {

const std::string RESOURCES = CHERIMO_RESOURCES_DIR;

std::string FramePath(int id) { return RESOURCES + "/frames/" + std::to_string(id) + ".png"; }

StoredPng ReadRgb(const std::string& path, int width, int height) {
  StoredPng png = ReadStoredPng(path);
  EXPECT_TRUE(png.readable) << path;
  EXPECT_EQ(png.bitDepth, 8) << path;
  EXPECT_EQ(png.colourType, PNG_COLOR_TYPE_RGB) << path;
  EXPECT_EQ(png.interlace, PNG_INTERLACE_NONE) << path;
  EXPECT_EQ(png.pixels.width, width) << path;
  EXPECT_EQ(png.pixels.height, height) << path;
  return png;
}

// An artwork pixel blended towards a key colour would show as a green or
// pink fringe once the key around it turns transparent or into the photo.
bool LeansTowards(Rgb pixel, Rgb key) {
  if (key == KEY_OUTSIDE) return pixel.g >= 128 && pixel.g - std::max(pixel.r, pixel.b) >= 64;
  const int weaker = std::min(pixel.r, pixel.b);
  return weaker >= 128 && weaker - pixel.g >= 64;
}

// Artwork pixels next to the given key (8-neighbourhood) that lean towards it.
int FringePixels(const RgbImage& image, Rgb key) {
  int count = 0;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      const Rgb pixel = image.at(x, y);
      if (pixel == KEY_OUTSIDE || pixel == KEY_PHOTO) continue;
      bool touchesKey = false;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
          touchesKey |= image.contains(x + dx, y + dy) && image.at(x + dx, y + dy) == key;
      count += touchesKey && LeansTowards(pixel, key);
    }
  return count;
}

int Count(const RgbImage& image, Rgb colour) {
  return static_cast<int>(std::count(image.cells.begin(), image.cells.end(), colour));
}

// Number of 4-connected areas of the colour; with onlyEnclosed, only those
// that do not reach the picture's edge.
int Areas(const RgbImage& image, Rgb colour, bool onlyEnclosed = false) {
  Grid<uint8_t> seen(image.width, image.height);
  int areas = 0;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      if (seen.at(x, y) || !(image.at(x, y) == colour)) continue;
      bool reachesEdge = false;
      std::vector<std::pair<int, int>> stack{{x, y}};
      seen.at(x, y) = 1;
      while (!stack.empty()) {
        const auto [px, py] = stack.back();
        stack.pop_back();
        reachesEdge |= px == 0 || py == 0 || px == image.width - 1 || py == image.height - 1;
        for (const auto& [nx, ny] : {std::pair{px + 1, py}, {px - 1, py}, {px, py + 1}, {px, py - 1}})
          if (image.contains(nx, ny) && !seen.at(nx, ny) && image.at(nx, ny) == colour) {
            seen.at(nx, ny) = 1;
            stack.emplace_back(nx, ny);
          }
      }
      areas += !onlyEnclosed || !reachesEdge;
    }
  return areas;
}

bool BorderIsAll(const RgbImage& image, Rgb colour) {
  for (int x = 0; x < image.width; ++x)
    if (!(image.at(x, 0) == colour) || !(image.at(x, image.height - 1) == colour)) return false;
  for (int y = 0; y < image.height; ++y)
    if (!(image.at(0, y) == colour) || !(image.at(image.width - 1, y) == colour)) return false;
  return true;
}

TEST(Frames, AreRgbPicturesWithAllThreeKindsOfPixelAndHardKeyEdges) {
  for (int id = FRAME_ID_FIRST; id <= FRAME_ID_LAST; ++id) {
    SCOPED_TRACE(id);
    const StoredPng png = ReadRgb(FramePath(id), 256, 256);
    if (png.pixels.cells.empty()) continue;
    const RgbImage& image = png.pixels;
    const int outside = Count(image, KEY_OUTSIDE), hole = Count(image, KEY_PHOTO);
    EXPECT_GT(outside, 0);
    EXPECT_GT(hole, 0);
    EXPECT_GT(256 * 256 - outside - hole, 0);
    EXPECT_EQ(FringePixels(image, KEY_OUTSIDE), 0);
    EXPECT_EQ(FringePixels(image, KEY_PHOTO), 0);
    // Big enough for a face; the five-pointed stars give the least room.
    EXPECT_GE(hole, 256 * 256 / 5);
    EXPECT_TRUE(BorderIsAll(image, KEY_OUTSIDE));
    // One hole, except for the windows with their several panes; no green
    // islands inside the outline.
    EXPECT_EQ(Areas(image, KEY_PHOTO), id == 2029 ? 2 : id == 2030 ? 4 : 1);
    EXPECT_EQ(Areas(image, KEY_OUTSIDE, true), 0);
  }
}

TEST(Frames, EveryRectangleHoleFitsTheDefaultPhotoView) {
  // With no settings the default photo covers x 42..215, y 22..256 of the
  // 256 x 256 frame; the rectangles' holes must show only the photo.
  for (int id : {2008, 2039, 2054, 2069, 2084}) {
    SCOPED_TRACE(id);
    const RgbImage image = ReadRgb(FramePath(id), 256, 256).pixels;
    for (int y = 0; y < image.height; ++y)
      for (int x = 0; x < image.width; ++x)
        if (image.at(x, y) == KEY_PHOTO) {
          ASSERT_TRUE(x >= 44 && x < 212 && y >= 24 && y < 232) << x << "," << y;
        }
    EXPECT_GE(Count(image, KEY_PHOTO), 150 * 190);
  }
}

TEST(Frames, AreAllDifferent) {
  std::set<std::string> contents;
  for (int id = FRAME_ID_FIRST; id <= FRAME_ID_LAST; ++id) {
    std::ifstream file(FramePath(id), std::ios::binary);
    contents.insert(std::string(std::istreambuf_iterator<char>(file), {}));
  }
  EXPECT_EQ(contents.size(), 91u);
}

TEST(OtherPictures, HaveTheirSizesAndKeyRules) {
  const RgbImage photo = ReadRgb(RESOURCES + "/photo.png", 87, 127).pixels;
  EXPECT_EQ(Count(photo, KEY_OUTSIDE) + Count(photo, KEY_PHOTO), 0);

  const RgbImage splash = ReadRgb(RESOURCES + "/splash.png", 190, 152).pixels;
  ASSERT_FALSE(splash.cells.empty());
  EXPECT_TRUE(BorderIsAll(splash, KEY_OUTSIDE));
  EXPECT_EQ(Areas(splash, KEY_OUTSIDE, true), 0);
  EXPECT_EQ(Count(splash, KEY_PHOTO), 0);
  EXPECT_GT(Count(splash, KEY_OUTSIDE), 0);
  EXPECT_GT(190 * 152 - Count(splash, KEY_OUTSIDE), 190 * 152 / 2);
  EXPECT_EQ(FringePixels(splash, KEY_OUTSIDE), 0);

  const RgbImage hint = ReadRgb(RESOURCES + "/hint.png", 286, 48).pixels;
  ASSERT_FALSE(hint.cells.empty());
  EXPECT_EQ(Count(hint, KEY_OUTSIDE) + Count(hint, KEY_PHOTO), 0);
}

uint32_t Little(const std::string& bytes, size_t at, int width) {
  uint32_t value = 0;
  for (int i = width - 1; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
  return value;
}

// Each image of the icon is what its directory entry says: a PNG of its size,
// or a bitmap of its size and depth with its palette and mask. (Which sizes
// the icon holds is checked on the exe.)
TEST(ProgramIcon, EveryImageIsWhatItsEntrySays) {
  std::ifstream file(RESOURCES + "/icon.ico", std::ios::binary);
  const std::string ico(std::istreambuf_iterator<char>(file), {});
  ASSERT_GE(ico.size(), 6u);
  EXPECT_EQ(Little(ico, 0, 4), 0x10000u);
  const uint32_t count = Little(ico, 4, 2);
  ASSERT_GE(ico.size(), 6 + 16 * size_t{count});
  for (size_t entry = 6; entry < 6 + 16 * size_t{count}; entry += 16) {
    const uint32_t side = Little(ico, entry, 1) == 0 ? 256 : Little(ico, entry, 1);
    EXPECT_EQ(Little(ico, entry + 1, 1), side & 0xFF);
    const uint32_t bits = Little(ico, entry + 6, 2), size = Little(ico, entry + 8, 4), offset = Little(ico, entry + 12, 4);
    ASSERT_LE(size_t{offset} + size, ico.size());
    if (ico.compare(offset, 8, "\x89PNG\r\n\x1A\n") == 0) {
      // IHDR: big-endian width and height, 8 bits of RGBA.
      EXPECT_EQ(ico.substr(offset + 16, 10), std::string({0, 0, 1, 0, 0, 0, 1, 0, 8, 6}));
      EXPECT_EQ(side, 256u);
      continue;
    }
    const uint32_t paletteBytes = bits < 32 ? (1u << bits) * 4 : 0, colourBytes = side * side * bits / 8;
    EXPECT_EQ(size, 40 + paletteBytes + colourBytes + side * ((side + 31) / 32 * 4)) << side;
    EXPECT_EQ(Little(ico, offset, 4), 40u);
    EXPECT_EQ(Little(ico, offset + 4, 4), side);
    EXPECT_EQ(Little(ico, offset + 8, 4), 2 * side);
    EXPECT_EQ(Little(ico, offset + 14, 2), bits);
  }
}

TEST(ResourceScript, NamesEveryPictureOnce) {
  std::ifstream script(RESOURCES + "/pictures.rc");
  std::map<int, std::string> files;
  std::string line;
  while (std::getline(script, line)) {
    int id = 0;
    char name[64] = {};
    if (std::sscanf(line.c_str(), "%d R \"%63[^\"]\"", &id, name) == 2) {
      EXPECT_TRUE(files.emplace(id, name).second) << id;
    }
  }
  ASSERT_EQ(files.size(), 94u + std::size(FRAME_THUMBNAIL_SHEET_SIZES));
  EXPECT_EQ(files.begin()->first, static_cast<int>(HINT_PICTURE_ID));
  for (const auto& [id, name] : files) EXPECT_TRUE(std::ifstream(RESOURCES + "/" + name).good()) << name;
  // The menu's sheets: a cell of its size per frame, side by side, in two halves.
  for (int size : FRAME_THUMBNAIL_SHEET_SIZES) {
    ReadRgb(RESOURCES + "/" + files[static_cast<int>(FRAME_THUMBNAILS_ID_BASE) + size],
            (FRAME_ID_LAST - FRAME_ID_FIRST + 1) * size, 2 * size);
  }
}

}  // namespace
