// DecodeImage and the surface makers, in-process: every accepted format,
// the key colours surviving exactly, upright phone photos, and bad files
// refused with the previous picture kept.
#include <gtest/gtest.h>

#include <objbase.h>

#include <cstdlib>

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

  std::string Write(const char* name, const Bytes& bytes) {
    const std::string path = folder.File(name);
    EXPECT_TRUE(WriteBytes(path, bytes));
    return path;
  }
  static int Decode(const std::string& path) { return DecodeImage(reinterpret_cast<ImageSource>(path.c_str()), nullptr); }
  static uint32_t LoaderPixel(int x, int y) { return LoaderPixels[static_cast<size_t>(y) * LoaderWidth + x]; }
  static bool EveryFourthByteIsZero() {
    for (size_t i = 0; i < static_cast<size_t>(LoaderWidth) * LoaderHeight; ++i) {
      if (LoaderPixels[i] >> 24) return false;
    }
    return true;
  }

  TempFolder folder;
};

// Within a few levels per channel, for lossy formats.
bool Near(uint32_t a, uint32_t b, int tolerance) {
  for (int shift = 0; shift < 24; shift += 8) {
    if (std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF)) > tolerance) return false;
  }
  return true;
}

TEST_F(ImagingLoaderTest, LosslessFormatsDecodeAtTheirOwnSizeWithExactKeyColours) {
  const Pixels frame = MakeFramePixels(100, 60);
  const std::string files[] = {Write("frame.bmp", EncodeBmp(100, 60, frame)),
                               Write("frame.png", EncodePng(100, 60, frame)),
                               Write("frame.gif", EncodeGif(100, 60, frame))};
  for (const std::string& path : files) {
    ASSERT_EQ(Decode(path), 1) << path;
    ASSERT_EQ(LoaderWidth, 100) << path;
    ASSERT_EQ(LoaderHeight, 60) << path;
    ASSERT_NE(LoaderPixels, nullptr);
    for (int i = 0; i < 100 * 60; ++i) ASSERT_EQ(LoaderPixels[i], frame[i]) << path << " pixel " << i;
  }
  // The hand-deflated black PNG of the bad-file corpus is itself a valid picture.
  ASSERT_EQ(Decode(Write("black.png", EncodeBlackPng(300, 200))), 1);
  EXPECT_EQ(LoaderWidth, 300);
  EXPECT_EQ(LoaderHeight, 200);
  EXPECT_EQ(LoaderPixel(299, 199), 0u);
}

TEST_F(ImagingLoaderTest, JpegIconAndMetafileDecodeWithTheFourthByteCleared) {
  const Pixels photo = MakePhotoPixels(64, 48);
  ASSERT_EQ(Decode(Write("photo.jpg", EncodeJpeg(64, 48, photo))), 1);
  EXPECT_EQ(LoaderWidth, 64);
  EXPECT_EQ(LoaderHeight, 48);
  EXPECT_TRUE(Near(LoaderPixel(5, 5), photo[5 * 64 + 5], 12));
  EXPECT_TRUE(EveryFourthByteIsZero());

  const Pixels icon = MakePhotoPixels(32, 32);
  ASSERT_EQ(Decode(Write("icon.ico", EncodeIco(32, icon))), 1);
  EXPECT_EQ(LoaderWidth, 32);
  EXPECT_EQ(LoaderHeight, 32);
  EXPECT_TRUE(Near(LoaderPixel(3, 3), icon[3 * 32 + 3], 2));
  EXPECT_TRUE(EveryFourthByteIsZero());

  const std::string emf = folder.File("inch.emf");
  ASSERT_TRUE(WriteEmf(emf, RGB(10, 200, 30)));
  ASSERT_EQ(Decode(emf), 1);
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
  // Quadrants 64 pixels wide, so the lossy blocks do not mix their colours.
  const int width = 128, height = 64;
  const Pixels stored = MakePhotoPixels(width, height);
  for (int orientation = 1; orientation <= 8; ++orientation) {
    char name[32];
    wsprintfA(name, "turned%d.jpg", orientation);
    ASSERT_EQ(Decode(Write(name, EncodeJpeg(width, height, stored, orientation))), 1) << orientation;
    const bool swapped = OrientationSwapsSides(orientation);
    ASSERT_EQ(LoaderWidth, swapped ? height : width) << orientation;
    ASSERT_EQ(LoaderHeight, swapped ? width : height) << orientation;
    Pixels upright(stored.size());
    OrientPixels(stored.data(), width, height, orientation, upright.data());
    for (int y = 8; y < LoaderHeight; y += 16) {
      for (int x = 8; x < LoaderWidth; x += 16) {
        ASSERT_TRUE(Near(LoaderPixel(x, y), upright[static_cast<size_t>(y) * LoaderWidth + x], 24))
            << "orientation " << orientation << " at " << x << "," << y;
      }
    }
  }
  // A quarter turn clockwise puts the stored top-left quadrant (red) at the top right.
  ASSERT_EQ(Decode(Write("six.jpg", EncodeJpeg(width, height, stored, 6))), 1);
  EXPECT_TRUE(Near(LoaderPixel(LoaderWidth - 8, 8), 0x00E02020, 24));
}

TEST_F(ImagingLoaderTest, ANewDecodeReplacesTheOldOneAndSourceZeroKeepsIt) {
  ASSERT_EQ(Decode(Write("a.png", EncodePng(10, 20, Pixels(200, 0x00112233)))), 1);
  ASSERT_EQ(Decode(Write("b.png", EncodePng(30, 5, Pixels(150, 0x00445566)))), 1);
  EXPECT_EQ(LoaderWidth, 30);
  EXPECT_EQ(LoaderHeight, 5);
  EXPECT_EQ(LoaderPixel(29, 4), 0x00445566u);
  const HBITMAP bitmap = LoaderSurface.bitmap;
  EXPECT_EQ(DecodeImage(0, nullptr), 0);
  EXPECT_EQ(LoaderSurface.bitmap, bitmap);
  EXPECT_EQ(LoaderWidth, 30);
  EXPECT_EQ(LoaderPixel(0, 0), 0x00445566u);
}

TEST_F(ImagingLoaderTest, BadFilesAreRefusedQuietlyAndTheLastPictureStays) {
  ASSERT_EQ(Decode(Write("good.png", EncodePng(12, 7, Pixels(84, 0x00ABCDEF)))), 1);
  const HBITMAP bitmap = LoaderSurface.bitmap;
  const long made = SurfaceCounts.made, released = SurfaceCounts.released;
  for (const BadFile& bad : MakeBadFiles(folder)) {
    EXPECT_EQ(Decode(bad.path), 0) << bad.name;
    EXPECT_EQ(LoaderSurface.bitmap, bitmap) << bad.name;
    EXPECT_EQ(LoaderWidth, 12) << bad.name;
    EXPECT_EQ(LoaderHeight, 7) << bad.name;
    EXPECT_EQ(LoaderPixel(11, 6), 0x00ABCDEFu) << bad.name;
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
