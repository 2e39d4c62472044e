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
  const std::string path = CorpusFile("images/halves.png");
  SentMessageCounter recompositions(MSG_RECOMPOSE);
  Send(MSG_SET_PHOTO, "images/halves.png");
  EXPECT_EQ(recompositions.count, 1);
  EXPECT_EQ(Settings.W2, 200);
  EXPECT_EQ(Settings.H2, 200);
  ExpectView(0, 0, 200, 200);
  EXPECT_EQ(path, Settings.Photo);

  Settings.X2 = 7;
  Settings.Y2 = -3;
  Settings.W3 = 300;
  Settings.H3 = 200;
  SendMessageA(FrameWindow, MSG_SET_PHOTO, reinterpret_cast<WPARAM>(path.c_str()), 1);
  EXPECT_EQ(recompositions.count, 1);
  EXPECT_EQ(Settings.W2, 200);
  ExpectView(7, -3, 300, 200);
  EXPECT_EQ(path, Settings.Photo);
}

TEST_F(ImagingSourcesTest, TheDefaultPhotoKeepsTheStoredPanAndZoom) {
  Send(MSG_SET_PHOTO, "images/photo.jpg");
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
  Send(MSG_SET_PHOTO, "images/photo.jpg");
  Send(MSG_SET_FRAME, "images/frame.png");
  Settings.X2 = 4;
  Settings.W3 = 50;
  const PhotoState photo = CurrentPhoto();
  const FrameState frame = CurrentFrame();
  SentMessageCounter recompositions(MSG_RECOMPOSE);
  for (const char* bad : BAD_FILES) {
    Send(MSG_SET_PHOTO, bad);
    Send(MSG_SET_FRAME, bad);
    EXPECT_TRUE(CurrentPhoto() == photo) << bad;
    EXPECT_TRUE(CurrentFrame() == frame) << bad;
  }
  SendMessageA(FrameWindow, MSG_SET_FRAME, 0xFFFE, 0);  // no such resource
  EXPECT_TRUE(CurrentFrame() == frame);
  EXPECT_EQ(recompositions.count, 0);
}

TEST_F(ImagingSourcesTest, ASmallCustomFrameIsStretchedToFillBothFrameSurfaces) {
  const Pixels small = DecodedPixels("images/frame-small.png");
  ASSERT_EQ(small.size(), 64u * 64);
  const std::string path = CorpusFile("images/frame-small.png");
  SentMessageCounter recompositions(MSG_RECOMPOSE);
  Send(MSG_SET_FRAME, "images/frame-small.png");
  EXPECT_EQ(recompositions.count, 1);
  EXPECT_EQ(Settings.FrameID, FRAME_ID_CUSTOM);
  EXPECT_EQ(path, Settings.Frame);
  const uint32_t* keys = FramePixels(FrameKeySurface);
  const uint32_t* artwork = FramePixels(FrameArtSurface);
  ASSERT_TRUE(keys && artwork);
  for (int y = 0; y < 256; ++y) {
    for (int x = 0; x < 256; ++x) {
      const uint32_t source = small[(y / 4) * 64 + x / 4];
      ASSERT_EQ(keys[y * 256 + x], source) << x << "," << y;
      ASSERT_EQ(artwork[y * 256 + x], source == 0x0000FF00 || source == 0x00FF00FF ? 0u : source) << x << "," << y;
    }
  }
  // The start-up call puts the frame in place without recomposing.
  SendMessageA(FrameWindow, MSG_SET_FRAME, reinterpret_cast<WPARAM>(path.c_str()), 1);
  EXPECT_EQ(recompositions.count, 1);
  EXPECT_EQ(Settings.FrameID, FRAME_ID_CUSTOM);
}

TEST_F(ImagingSourcesTest, ALargeCustomFrameKeepsAKeyOnlyWhereItsWholeBlockIsThatKey) {
  // 512 x 512 reduced to 256: the AND of each 2 x 2 block, never just its first pixel.
  // Its corner block is magenta, then green; the block at (300, 100) is green first, then artwork.
  const Pixels large = DecodedPixels("images/frame-large.png");
  ASSERT_EQ(large.size(), 512u * 512);
  Send(MSG_SET_FRAME, "images/frame-large.png");
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
  Send(MSG_SET_FRAME, "images/frame-small.png");
  const std::string custom = Settings.Frame;
  SendMessageA(FrameWindow, MSG_SET_FRAME, 2011, 0);
  EXPECT_EQ(Settings.FrameID, 2011);
  EXPECT_EQ(custom, Settings.Frame);  // the custom frame's path stays for later
}

}  // namespace
