// MSG_SET_PHOTO and MSG_SET_FRAME: what a new photo or frame changes, what
// the start-up call and the default photo keep, and failures that change nothing.
#include <string>
#include <tuple>

#include "app/settings.h"
#include "imaging/compositor.h"
#include "imaging/key_colors.h"
#include "imaging/reduce.h"
#include "tests/wine/imaging_fixture.h"

namespace {

using ImagingSourcesTest = ImagingProgramTest;

// What a photo or frame change may touch.
struct Sources {
  int32_t W2, H2, W3, H3, X2, Y2;
  std::string photo;
  HBITMAP photoBitmap;
  int32_t frameId;
  std::string frame;
  HBITMAP keys, artwork;
  bool operator==(const Sources&) const = default;
};
Sources Current() {
  return {Settings.W2,
          Settings.H2,
          Settings.W3,
          Settings.H3,
          Settings.X2,
          Settings.Y2,
          Settings.Photo,
          PhotoSurface.bitmap,
          Settings.FrameID,
          Settings.Frame,
          FrameKeySurface.bitmap,
          FrameArtSurface.bitmap};
}

// The photo's size, its shown square (pan X2, Y2 and zoom W3, H3) and its path.
std::tuple<int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, std::string> PhotoView() {
  return {Settings.W2, Settings.H2, Settings.X2, Settings.Y2, Settings.W3, Settings.H3, Settings.Photo};
}

std::pair<int32_t, std::string> FrameChoice() { return {Settings.FrameID, Settings.Frame}; }

// Every bad file, as photo and as frame, changes nothing and does not
// recompose (counted by the caller's SentMessages).
void ExpectBadFilesChangeNothing() {
  const size_t recompositions = SentMessages::Of(MSG_RECOMPOSE).size();
  const Sources before = Current();
  for (const char* bad : BAD_FILES) {
    Send(MSG_SET_PHOTO, bad);
    Send(MSG_SET_FRAME, bad);
    EXPECT_TRUE(Current() == before) << bad;
  }
  SendMessageA(FrameWindow, MSG_SET_FRAME, 0xFFFE, 0);  // no such resource
  EXPECT_TRUE(Current() == before);
  EXPECT_EQ(SentMessages::Of(MSG_RECOMPOSE).size(), recompositions);
}

TEST_F(ImagingSourcesTest, ANewPhotoResetsPanAndZoomButTheStartUpCallAndTheDefaultPhotoKeepThem) {
  const std::string path = CorpusFile("images/halves.png");
  SentMessages sent;
  Send(MSG_SET_PHOTO, "images/halves.png");
  EXPECT_EQ(sent.Of(MSG_RECOMPOSE).size(), 1u);
  EXPECT_EQ(PhotoView(), std::tuple(200, 200, 0, 0, 200, 200, path));
  Settings.X2 = 7;
  Settings.Y2 = -3;
  Settings.W3 = 300;
  SendMessageA(FrameWindow, MSG_SET_PHOTO, reinterpret_cast<WPARAM>(path.c_str()), 1);
  EXPECT_EQ(sent.Of(MSG_RECOMPOSE).size(), 1u);
  EXPECT_EQ(PhotoView(), std::tuple(200, 200, 7, -3, 300, 200, path));
  SendMessageA(FrameWindow, MSG_SET_PHOTO, DEFAULT_PHOTO_ID, 0);
  EXPECT_EQ(PhotoView(), std::tuple(87, 127, 7, -3, 300, 200, path));
  ExpectBadFilesChangeNothing();
}

TEST_F(ImagingSourcesTest, CustomFramesFillBothSurfacesAndBuiltInOnesKeepTheirPath) {
  const Picture small = Decoded("images/frame-small.png"), large = Decoded("images/frame-large.png");
  ASSERT_EQ(small.width, 64);
  const std::string path = CorpusFile("images/frame-small.png");
  SentMessages sent;
  Send(MSG_SET_FRAME, "images/frame-small.png");
  EXPECT_EQ(sent.Of(MSG_RECOMPOSE).size(), 1u);
  EXPECT_EQ(FrameChoice(), std::pair(FRAME_ID_CUSTOM, path));
  // Stretched by four; the artwork is black where either key is.
  Pixels keys(256 * 256), artwork(256 * 256);
  for (int i = 0; i < 256 * 256; ++i) {
    keys[i] = small.pixels[i / 256 / 4 * 64 + i % 256 / 4];
    artwork[i] = keys[i] == OUTSIDE_KEY || keys[i] == PHOTO_KEY ? 0 : keys[i];
  }
  EXPECT_EQ(FramePixels(FrameKeySurface), keys);
  EXPECT_EQ(FramePixels(FrameArtSurface), artwork);
  // The start-up call puts the frame in place without recomposing.
  SendMessageA(FrameWindow, MSG_SET_FRAME, reinterpret_cast<WPARAM>(path.c_str()), 1);
  EXPECT_EQ(sent.Of(MSG_RECOMPOSE).size(), 1u);
  EXPECT_EQ(FrameChoice(), std::pair(FRAME_ID_CUSTOM, path));

  // Larger frames keep a key only where the whole block is that key.
  Send(MSG_SET_FRAME, "images/frame-large.png");
  ASSERT_EQ(ReduceByAnd(large.pixels.data(), 512, 512, keys.data(), 256, 256), 1);
  EXPECT_EQ(FramePixels(FrameKeySurface), keys);

  SendMessageA(FrameWindow, MSG_SET_FRAME, 2011, 0);
  EXPECT_EQ(FrameChoice(), std::pair(2011, CorpusFile("images/frame-large.png")));  // the custom path stays for later
  ExpectBadFilesChangeNothing();
}

}  // namespace
