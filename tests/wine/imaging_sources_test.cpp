// MSG_SET_PHOTO and MSG_SET_FRAME: what a new photo or frame changes, what
// the start-up call and the default photo keep, and failures that change nothing.
#include <cstring>

#include "app/settings.h"
#include "imaging/compositor.h"
#include "imaging/reduce.h"
#include "tests/wine/imaging_fixture.h"

namespace {

using ImagingSourcesTest = ImagingProgramTest;

struct PhotoState {
  int32_t W2, H2, W3, H3, X2, Y2;
  std::string photo;
  HBITMAP bitmap;
  bool operator==(const PhotoState&) const = default;
};
PhotoState CurrentPhoto() {
  return {Settings.W2, Settings.H2, Settings.W3, Settings.H3, Settings.X2, Settings.Y2, Settings.Photo,
          PhotoSurface.bitmap};
}

struct FrameState {
  int32_t frameId;
  std::string frame;
  HBITMAP keys, artwork;
  bool operator==(const FrameState&) const = default;
};
FrameState CurrentFrame() { return {Settings.FrameID, Settings.Frame, FrameKeySurface.bitmap, FrameArtSurface.bitmap}; }

// The shown square of the photo: pan (X2, Y2) and zoom (W3, H3).
void ExpectView(int32_t x2, int32_t y2, int32_t w3, int32_t h3) {
  EXPECT_EQ(Settings.X2, x2);
  EXPECT_EQ(Settings.Y2, y2);
  EXPECT_EQ(Settings.W3, w3);
  EXPECT_EQ(Settings.H3, h3);
}

const uint32_t* FramePixels(const Surface& surface) {
  int width = 0, height = 0;
  const uint32_t* pixels = DibPixels(surface, &width, &height);
  EXPECT_EQ(width, 256);
  EXPECT_EQ(height, 256);
  return pixels;
}

TEST_F(ImagingSourcesTest, ANewPhotoResetsPanAndZoomButTheStartUpCallKeepsThem) {
  const std::string path = Write("holiday.jpg", EncodeJpeg(640, 480, MakePhotoPixels(640, 480)));
  SentMessageCounter recompositions(MSG_RECOMPOSE);
  Send(MSG_SET_PHOTO, path);
  EXPECT_EQ(recompositions.count, 1);
  EXPECT_EQ(CurrentPhoto().W2, 640);
  EXPECT_EQ(Settings.H2, 480);
  ExpectView(0, 0, 640, 480);
  EXPECT_EQ(path, Settings.Photo);

  Settings.X2 = 7;
  Settings.Y2 = -3;
  Settings.W3 = 300;
  Settings.H3 = 200;
  Send(MSG_SET_PHOTO, Settings.Photo, 1);
  EXPECT_EQ(recompositions.count, 1);
  EXPECT_EQ(Settings.W2, 640);
  ExpectView(7, -3, 300, 200);
  EXPECT_EQ(path, Settings.Photo);
}

TEST_F(ImagingSourcesTest, TheDefaultPhotoKeepsTheStoredPanAndZoom) {
  Send(MSG_SET_PHOTO, Write("big.png", EncodePng(300, 200, MakePhotoPixels(300, 200))));
  Settings.X2 = -21;
  Settings.Y2 = -11;
  Settings.W3 = 128;
  Settings.H3 = 168;
  const std::string photo = Settings.Photo;
  SendMessageA(FrameWindow, MSG_SET_PHOTO, DEFAULT_PHOTO_ID, 0);
  EXPECT_EQ(Settings.W2, 87);
  EXPECT_EQ(Settings.H2, 127);
  ExpectView(-21, -11, 128, 168);
  EXPECT_EQ(photo, Settings.Photo);
}

TEST_F(ImagingSourcesTest, PhotosAndFramesThatCannotBeDecodedOrHeldChangeNothing) {
  Send(MSG_SET_PHOTO, Write("photo.png", EncodePng(90, 60, MakePhotoPixels(90, 60))));
  Send(MSG_SET_FRAME, Write("frame.png", EncodePng(256, 256, MakeFramePixels(256, 256))));
  Settings.X2 = 4;
  Settings.W3 = 50;
  const PhotoState photo = CurrentPhoto();
  const FrameState frame = CurrentFrame();
  SentMessageCounter recompositions(MSG_RECOMPOSE);
  for (const BadFile& bad : MakeBadFiles(folder)) {
    Send(MSG_SET_PHOTO, bad.path);
    Send(MSG_SET_FRAME, bad.path);
    EXPECT_TRUE(CurrentPhoto() == photo) << bad.name;
    EXPECT_TRUE(CurrentFrame() == frame) << bad.name;
  }
  SendMessageA(FrameWindow, MSG_SET_FRAME, 0xFFFE, 0);  // no such resource
  EXPECT_TRUE(CurrentFrame() == frame);
  EXPECT_EQ(recompositions.count, 0);
}

TEST_F(ImagingSourcesTest, ASmallCustomFrameIsStretchedToFillBothFrameSurfaces) {
  const Pixels small = MakeFramePixels(128, 128);
  const std::string path = Write("small-frame.bmp", EncodeBmp(128, 128, small));
  SentMessageCounter recompositions(MSG_RECOMPOSE);
  Send(MSG_SET_FRAME, path);
  EXPECT_EQ(recompositions.count, 1);
  EXPECT_EQ(Settings.FrameID, FRAME_ID_CUSTOM);
  EXPECT_EQ(path, Settings.Frame);
  const uint32_t* keys = FramePixels(FrameKeySurface);
  const uint32_t* artwork = FramePixels(FrameArtSurface);
  ASSERT_TRUE(keys && artwork);
  for (int y = 0; y < 256; ++y) {
    for (int x = 0; x < 256; ++x) {
      const uint32_t source = small[(y / 2) * 128 + x / 2];
      ASSERT_EQ(keys[y * 256 + x], source) << x << "," << y;
      ASSERT_EQ(artwork[y * 256 + x], source == 0x0000FF00 || source == 0x00FF00FF ? 0u : source) << x << "," << y;
    }
  }
  // The start-up call puts the frame in place without recomposing.
  Send(MSG_SET_FRAME, Settings.Frame, 1);
  EXPECT_EQ(recompositions.count, 1);
  EXPECT_EQ(Settings.FrameID, FRAME_ID_CUSTOM);
}

TEST_F(ImagingSourcesTest, ALargeCustomFrameKeepsAKeyOnlyWhereItsWholeBlockIsThatKey) {
  // 512 x 512 reduced to 256: the AND of each 2 x 2 block, never just its first pixel.
  Pixels large = MakeFramePixels(512, 512);
  large[0] = 0x00FF00FF;  // corner block: magenta, then green
  large[512 * 100 + 300] = 0x0000FF00;  // green first in a block of artwork
  Send(MSG_SET_FRAME, Write("large-frame.png", EncodePng(512, 512, large)));
  const uint32_t* keys = FramePixels(FrameKeySurface);
  ASSERT_NE(keys, nullptr);
  Pixels expected(256 * 256);
  ASSERT_EQ(ReduceByAnd(large.data(), 512, 512, expected.data(), 256, 256), 1);
  EXPECT_EQ(std::memcmp(keys, expected.data(), expected.size() * 4), 0);
  EXPECT_EQ(keys[0], 0x00FF00FFu & 0x0000FF00u);
  EXPECT_NE(keys[50 * 256 + 150], 0x0000FF00u);
}

TEST_F(ImagingSourcesTest, BuiltInFramesAreChosenByTheirId) {
  if (!FindResourceA(nullptr, MAKEINTRESOURCEA(2011), "R")) GTEST_SKIP() << "built-in frames not yet in";
  Send(MSG_SET_FRAME, Write("custom.png", EncodePng(64, 64, MakeFramePixels(64, 64))));
  const std::string custom = Settings.Frame;
  SendMessageA(FrameWindow, MSG_SET_FRAME, 2011, 0);
  EXPECT_EQ(Settings.FrameID, 2011);
  EXPECT_EQ(custom, Settings.Frame);  // the custom frame's path stays for later
}

}  // namespace
