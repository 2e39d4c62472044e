// DecodeImage and the surface makers, in-process: every accepted format,
// the key colours surviving exactly, upright phone photos, and bad files
// refused with the previous picture kept.
#include <gtest/gtest.h>

#include <objbase.h>

#include <cstdlib>
#include <string>

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

  static int Decode(const char* name) {
    const std::string path = CorpusFile(name);
    return DecodeImage(reinterpret_cast<ImageSource>(path.c_str()), nullptr);
  }
  static uint32_t LoaderPixel(int x, int y) { return LoaderPixels[static_cast<size_t>(y) * LoaderWidth + x]; }
  static bool EveryFourthByteIsZero() {
    for (size_t i = 0; i < static_cast<size_t>(LoaderWidth) * LoaderHeight; ++i) {
      if (LoaderPixels[i] >> 24) return false;
    }
    return true;
  }
};

// Within a few levels per channel, for lossy formats.
bool Near(uint32_t a, uint32_t b, int tolerance) {
  for (int shift = 0; shift < 24; shift += 8) {
    if (std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF)) > tolerance) return false;
  }
  return true;
}

// The keys pictures, as their README describes them.
uint32_t KeysPixel(int x, int y) {
  static const uint32_t COLOURS[8] = {0x0000FF00, 0x00FF00FF, 0x0000FE00, 0x00FE00FF,
                                      0x00000000, 0x00FFFFFF, 0x00123456, 0x00800080};
  return COLOURS[(x / 3 + y / 4) % 8];
}

// photo.jpg, turned-N.jpg and icon.ico: red, green above; blue, grey below.
constexpr uint32_t QUADRANTS[4] = {0x00E02020, 0x0020E020, 0x002020E0, 0x00E0E0E0};

TEST_F(ImagingLoaderTest, LosslessFormatsDecodeAtTheirOwnSizeWithExactKeyColours) {
  for (const char* name : {"images/keys.bmp", "images/keys.png", "images/keys.gif"}) {
    ASSERT_EQ(Decode(name), 1) << name;
    ASSERT_EQ(LoaderWidth, 24) << name;
    ASSERT_EQ(LoaderHeight, 16) << name;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 24; ++x) ASSERT_EQ(LoaderPixel(x, y), KeysPixel(x, y)) << name << " at " << x << "," << y;
    }
  }
}

TEST_F(ImagingLoaderTest, JpegIconAndMetafileDecodeWithTheFourthByteCleared) {
  ASSERT_EQ(Decode("images/photo.jpg"), 1);
  EXPECT_EQ(LoaderWidth, 32);
  EXPECT_EQ(LoaderHeight, 16);
  EXPECT_TRUE(Near(LoaderPixel(5, 5), QUADRANTS[0], 12));
  EXPECT_TRUE(EveryFourthByteIsZero());

  ASSERT_EQ(Decode("images/icon.ico"), 1);
  EXPECT_EQ(LoaderWidth, 16);
  EXPECT_EQ(LoaderHeight, 16);
  EXPECT_TRUE(Near(LoaderPixel(3, 3), QUADRANTS[0], 2));
  EXPECT_TRUE(Near(LoaderPixel(12, 12), QUADRANTS[3], 2));
  EXPECT_TRUE(EveryFourthByteIsZero());

  ASSERT_EQ(Decode("images/inch.emf"), 1);
  // An inch at the screen's density.
  HDC screen = GetDC(nullptr);
  const int density = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  EXPECT_NEAR(LoaderWidth, density, 1);
  EXPECT_NEAR(LoaderHeight, density, 1);
  EXPECT_EQ(LoaderPixel(LoaderWidth / 2, LoaderHeight / 2), 0x000AC81Eu);
  EXPECT_TRUE(EveryFourthByteIsZero());
}

TEST_F(ImagingLoaderTest, PhonePhotosComeOutUprightForEveryOrientation) {
  // Quadrants of whole 8 x 8 blocks, so the lossy blocks do not mix their colours.
  const int width = 32, height = 16;
  Pixels stored(width * height);
  for (int i = 0; i < width * height; ++i) stored[i] = QUADRANTS[(i % width >= 16) + 2 * (i / width >= 8)];
  for (int orientation = 1; orientation <= 8; ++orientation) {
    const std::string name = "images/turned-" + std::to_string(orientation) + ".jpg";
    ASSERT_EQ(Decode(name.c_str()), 1) << orientation;
    const bool swapped = OrientationSwapsSides(orientation);
    ASSERT_EQ(LoaderWidth, swapped ? height : width) << orientation;
    ASSERT_EQ(LoaderHeight, swapped ? width : height) << orientation;
    Pixels upright(stored.size());
    OrientPixels(stored.data(), width, height, orientation, upright.data());
    for (int y = 4; y < LoaderHeight; y += 8) {
      for (int x = 4; x < LoaderWidth; x += 8) {
        ASSERT_TRUE(Near(LoaderPixel(x, y), upright[static_cast<size_t>(y) * LoaderWidth + x], 24))
            << "orientation " << orientation << " at " << x << "," << y;
      }
    }
  }
  // A quarter turn clockwise puts the stored top-left quadrant (red) at the top right.
  ASSERT_EQ(Decode("images/turned-6.jpg"), 1);
  EXPECT_TRUE(Near(LoaderPixel(LoaderWidth - 4, 4), QUADRANTS[0], 24));
}

TEST_F(ImagingLoaderTest, ANewDecodeReplacesTheOldOneAndSourceZeroKeepsIt) {
  ASSERT_EQ(Decode("images/keys.png"), 1);
  ASSERT_EQ(Decode("images/halves.png"), 1);
  EXPECT_EQ(LoaderWidth, 200);
  EXPECT_EQ(LoaderHeight, 200);
  EXPECT_EQ(LoaderPixel(199, 199), 0x000000FFu);
  const HBITMAP bitmap = LoaderSurface.bitmap;
  EXPECT_EQ(DecodeImage(0, nullptr), 0);
  EXPECT_EQ(LoaderSurface.bitmap, bitmap);
  EXPECT_EQ(LoaderWidth, 200);
  EXPECT_EQ(LoaderPixel(0, 0), 0x00FF0000u);
}

TEST_F(ImagingLoaderTest, BadFilesAreRefusedQuietlyAndTheLastPictureStays) {
  ASSERT_EQ(Decode("images/keys.png"), 1);
  const HBITMAP bitmap = LoaderSurface.bitmap;
  const long made = SurfaceCounts.made, released = SurfaceCounts.released;
  for (const char* bad : BAD_FILES) {
    EXPECT_EQ(Decode(bad), 0) << bad;
    EXPECT_EQ(LoaderSurface.bitmap, bitmap) << bad;
    EXPECT_EQ(LoaderWidth, 24) << bad;
    EXPECT_EQ(LoaderHeight, 16) << bad;
    EXPECT_EQ(LoaderPixel(23, 15), KeysPixel(23, 15)) << bad;
  }
  // Whatever a failed decode made, it gave back.
  EXPECT_EQ(SurfaceCounts.made - made, SurfaceCounts.released - released);
  EXPECT_EQ(DecodeImage(0xFFFF, nullptr), 0);  // no such resource
}

TEST_F(ImagingLoaderTest, ResourcesDecodeAtTheirSizes) {
  if (!FindResourceA(nullptr, MAKEINTRESOURCEA(DEFAULT_PHOTO_ID), "R")) GTEST_SKIP() << "no default photo resource";
  ASSERT_EQ(DecodeImage(DEFAULT_PHOTO_ID, nullptr), 1);
  EXPECT_EQ(LoaderWidth, 87);
  EXPECT_EQ(LoaderHeight, 127);
  EXPECT_TRUE(EveryFourthByteIsZero());
}

TEST_F(ImagingLoaderTest, BuiltInFramesAreSquareWithBothKeys) {
  if (!FindResourceA(nullptr, MAKEINTRESOURCEA(FRAME_ID_FIRST), "R")) GTEST_SKIP() << "built-in frames not yet in";
  for (int id = FRAME_ID_FIRST; id <= FRAME_ID_LAST; ++id) {
    ASSERT_EQ(DecodeImage(static_cast<ImageSource>(id), nullptr), 1) << id;
    EXPECT_EQ(LoaderWidth, 256) << id;
    EXPECT_EQ(LoaderHeight, 256) << id;
    int green = 0, magenta = 0;
    for (int i = 0; i < 256 * 256; ++i) {
      green += LoaderPixels[i] == 0x0000FF00;
      magenta += LoaderPixels[i] == 0x00FF00FF;
    }
    EXPECT_GT(green, 0) << id;
    EXPECT_GT(magenta, 0) << id;
  }
}

TEST_F(ImagingLoaderTest, RemadeSurfacesReleaseTheOldOnesAndRefusedSizesChangeNothing) {
  HDC screen = GetDC(nullptr);
  Surface surface;
  int32_t width = 5, height = 6;
  uint32_t* pixels = nullptr;
  const long made = SurfaceCounts.made, released = SurfaceCounts.released;
  for (int i = 1; i <= 50; ++i) {
    ASSERT_EQ(MakeDibSurface(screen, surface, width, height, pixels, i, 2 * i), 1);
    ASSERT_EQ(MakeBitmapSurface(screen, surface, width, height, 2 * i, i), 1);
  }
  EXPECT_EQ(SurfaceCounts.made - made, 100);
  EXPECT_EQ(SurfaceCounts.released - released, 99);
  EXPECT_EQ(width, 100);
  EXPECT_EQ(height, 50);
  EXPECT_EQ(MakeDibSurface(screen, surface, width, height, pixels, 20000, 20000), 0);
  EXPECT_EQ(surface.bitmap, nullptr);
  EXPECT_EQ(pixels, nullptr);
  EXPECT_EQ(width, 100);
  EXPECT_EQ(height, 50);
  EXPECT_EQ(MakeBitmapSurface(screen, surface, width, height, 0, 10), 0);
  EXPECT_EQ(SurfaceCounts.made - made, SurfaceCounts.released - released);
  ReleaseDC(nullptr, screen);
}

}  // namespace
