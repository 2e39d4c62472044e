// DecodeImage and the surface makers, in-process: every accepted format,
// the key colours surviving exactly, upright phone photos, and bad sources
// refused with the previous picture kept.
#include <gtest/gtest.h>
#include <objbase.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "app/ids.h"
#include "imaging/exif_orientation.h"
#include "imaging/image_loader.h"
#include "imaging/surface.h"
#include "tests/wine/imaging_files.h"

namespace {

class ImagingLoaderTest : public testing::Test {
 protected:
  void SetUp() override { CoInitialize(nullptr); }
  void TearDown() override { CoUninitialize(); }
};

bool FourthBytesClear(const Pixels& pixels) {
  return !pixels.empty() && std::none_of(pixels.begin(), pixels.end(), [](uint32_t pixel) { return pixel >> 24; });
}

// Within a few levels per channel, for lossy formats.
bool Near(uint32_t a, uint32_t b, int tolerance) {
  for (int shift = 0; shift < 24; shift += 8) {
    if (std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF)) > tolerance) return false;
  }
  return true;
}

TEST_F(ImagingLoaderTest, LosslessFormatsKeepKeyColoursExactlyAndBadSourcesLeaveTheLastPicture) {
  static const uint32_t COLOURS[8] = {0x0000FF00, 0x00FF00FF, 0x0000FE00, 0x00FE00FF,
                                      0x00000000, 0x00FFFFFF, 0x00123456, 0x00800080};
  Picture keys{24, 16, Pixels(24 * 16)};
  for (int i = 0; i < 24 * 16; ++i) keys.pixels[i] = COLOURS[(i % 24 / 3 + i / 24 / 4) % 8];
  for (const char* name : {"images/keys.bmp", "images/keys.gif", "images/keys.png"}) {
    EXPECT_EQ(Decoded(name), keys) << name;
  }
  const HBITMAP bitmap = LoaderSurface.bitmap;
  const long made = SurfaceCounts.made, released = SurfaceCounts.released;
  for (const char* bad : BAD_FILES) EXPECT_EQ(Decoded(bad), Picture{}) << bad;
  for (ImageSource none : {ImageSource{0}, ImageSource{0xFFFF}}) EXPECT_EQ(DecodeImage(none, nullptr), 0) << none;
  EXPECT_EQ(LoaderSurface.bitmap, bitmap);
  EXPECT_EQ(LoaderPicture(), keys);
  // Whatever a failed decode made, it gave back.
  EXPECT_EQ(SurfaceCounts.made - made, SurfaceCounts.released - released);
}

TEST_F(ImagingLoaderTest, QuarteredPicturesComeOutUprightWithTheFourthByteCleared) {
  // Red, green above; blue, grey below: quadrants of whole 8 x 8 blocks, so
  // the lossy blocks do not mix their colours.
  static const uint32_t QUADRANTS[4] = {0x00E02020, 0x0020E020, 0x002020E0, 0x00E0E0E0};
  struct Row {
    std::string name;
    int orientation, width, height, tolerance;
  };
  std::vector<Row> rows = {{"images/photo.jpg", 1, 32, 16, 24}, {"images/icon.ico", 1, 16, 16, 2}};
  for (char turn = 1; turn <= 8; ++turn) {
    rows.push_back({"images/turned-0.jpg", turn, 32, 16, 24});
    rows.back().name[14] += turn;
  }
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Pixels stored(row.width * row.height), upright(stored.size());
    for (int i = 0; i < row.width * row.height; ++i) {
      stored[i] = QUADRANTS[(i % row.width >= row.width / 2) + 2 * (i / row.width >= row.height / 2)];
    }
    OrientPixels(stored.data(), row.width, row.height, row.orientation, upright.data());
    const Picture got = Decoded(row.name.c_str());
    ASSERT_EQ(std::pair(got.width, got.height), OrientationSwapsSides(row.orientation)
                                                    ? std::pair(row.height, row.width)
                                                    : std::pair(row.width, row.height));
    int wrong = 0;
    for (int y = 4; y < got.height; y += 8) {
      for (int x = 4; x < got.width; x += 8)
        wrong += !Near(got.pixels[y * got.width + x], upright[y * got.width + x], row.tolerance);
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_TRUE(FourthBytesClear(got.pixels));
  }
}

TEST_F(ImagingLoaderTest, AMetafileIsAnInchAtTheScreensDensity) {
  HDC screen = GetDC(nullptr);
  const int density = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  const Picture inch = Decoded("images/inch.emf");
  EXPECT_NEAR(inch.width, density, 1);
  EXPECT_NEAR(inch.height, density, 1);
  EXPECT_EQ(LoaderPixels[inch.height / 2 * inch.width + inch.width / 2], 0x000AC81Eu);
  EXPECT_TRUE(FourthBytesClear(inch.pixels));
}

TEST_F(ImagingLoaderTest, BuiltInFramesDecodeWithBothKeysExactly) {
  for (ImageSource id = FRAME_ID_FIRST; id <= FRAME_ID_LAST; ++id) {
    ASSERT_EQ(DecodeImage(id, nullptr), 1) << id;
    const Pixels pixels = LoaderPicture().pixels;
    const bool keys =
        std::count(pixels.begin(), pixels.end(), 0x0000FF00u) && std::count(pixels.begin(), pixels.end(), 0x00FF00FFu);
    EXPECT_TRUE(FourthBytesClear(pixels) && keys) << id;
  }
}

TEST_F(ImagingLoaderTest, RemadeSurfacesReleaseTheOldOnesAndRefusedSizesChangeNothing) {
  HDC screen = GetDC(nullptr);
  Surface surface;
  int32_t width = 5, height = 6;
  uint32_t* pixels = nullptr;
  const long made = SurfaceCounts.made, released = SurfaceCounts.released;
  ASSERT_EQ(MakeDibSurface(screen, surface, width, height, pixels, 50, 100), 1);
  ASSERT_EQ(MakeBitmapSurface(screen, surface, width, height, 100, 50), 1);
  EXPECT_EQ(std::pair(SurfaceCounts.made - made, SurfaceCounts.released - released), std::pair(2L, 1L));
  EXPECT_EQ(MakeDibSurface(screen, surface, width, height, pixels, 20000, 20000), 0);
  EXPECT_EQ(MakeBitmapSurface(screen, surface, width, height, 0, 10), 0);
  EXPECT_EQ(surface.bitmap, nullptr);
  EXPECT_EQ(pixels, nullptr);
  EXPECT_EQ(std::pair(width, height), std::pair(100, 50));
  EXPECT_EQ(SurfaceCounts.made - made, SurfaceCounts.released - released);
  ReleaseDC(nullptr, screen);
}

}  // namespace
