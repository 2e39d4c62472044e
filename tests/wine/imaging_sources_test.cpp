// MSG_SET_PHOTO and MSG_SET_FRAME: what a new photo or frame changes, what
// the start-up call and the default photo keep, and failures that change nothing.
#include <string>
#include <tuple>
#include <utility>

#include "app/settings.h"
#include "imaging/compositor.h"
#include "imaging/key_colors.h"
#include "tests/wine/imaging_fixture.h"

namespace {

using ImagingSourcesTest = ImagingProgramTest;

// The photo's size, its shown square (pan X2, Y2 and zoom W3, H3) and its path.
std::tuple<int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, std::string> PhotoView() {
  return {Settings.W2, Settings.H2, Settings.X2, Settings.Y2, Settings.W3, Settings.H3, Settings.Photo};
}

std::pair<int32_t, std::string> FrameChoice() { return {Settings.FrameID, Settings.Frame}; }

// Everything a photo or frame change may touch.
auto Sources() {
  return std::tuple(PhotoView(), FrameChoice(), PhotoSurface.bitmap, FrameKeySurface.bitmap, FrameArtSurface.bitmap);
}

// Set where a recomposition writes: it never writes the fourth byte.
constexpr uint32_t UNTOUCHED = 0xDEADBEEF;

TEST_F(ImagingSourcesTest, NewSourcesReplaceTheOldStartUpCallsDoNotRecomposeAndBadFilesChangeNothing) {
  const std::string photo = CorpusFile("images/halves.png"), frame = CorpusFile("images/frame-small.png");
  Send(MSG_SET_PHOTO, "images/halves.png");
  EXPECT_EQ(PhotoView(), std::tuple(200, 200, 0, 0, 200, 200, photo));
  Settings.X2 = 7;
  Settings.Y2 = -3;
  Settings.W3 = 300;
  // The start-up calls keep pan and zoom and do not recompose; the default photo keeps them too.
  CompositionPixels[0] = UNTOUCHED;
  SendMessageA(FrameWindow, MSG_SET_PHOTO, reinterpret_cast<WPARAM>(photo.c_str()), 1);
  SendMessageA(FrameWindow, MSG_SET_FRAME, reinterpret_cast<WPARAM>(frame.c_str()), 1);
  EXPECT_EQ(CompositionPixels[0], UNTOUCHED);
  EXPECT_EQ(PhotoView(), std::tuple(200, 200, 7, -3, 300, 200, photo));
  SendMessageA(FrameWindow, MSG_SET_PHOTO, DEFAULT_PHOTO_ID, 0);
  EXPECT_EQ(PhotoView(), std::tuple(87, 127, 7, -3, 300, 200, photo));
  EXPECT_NE(CompositionPixels[0], UNTOUCHED);
  EXPECT_EQ(FrameChoice(), std::pair(FRAME_ID_CUSTOM, frame));
  // Stretched by four; the artwork is black where either key is.
  const Pixels small = Decoded("images/frame-small.png").pixels;
  ASSERT_EQ(small.size(), 64u * 64);
  Pixels keys(256 * 256), artwork(256 * 256);
  for (int i = 0; i < 256 * 256; ++i) {
    keys[i] = small[i / 256 / 4 * 64 + i % 256 / 4];
    artwork[i] = keys[i] == OUTSIDE_KEY || keys[i] == PHOTO_KEY ? 0 : keys[i];
  }
  EXPECT_EQ(FramePixels(FrameKeySurface), keys);
  EXPECT_EQ(FramePixels(FrameArtSurface), artwork);
  SendMessageA(FrameWindow, MSG_SET_FRAME, 2011, 0);
  EXPECT_EQ(FrameChoice(), std::pair(2011, frame));  // the custom path stays for later

  const auto before = Sources();
  CompositionPixels[0] = UNTOUCHED;
  for (const char* bad : BAD_FILES) {
    Send(MSG_SET_PHOTO, bad);
    Send(MSG_SET_FRAME, bad);
    EXPECT_EQ(Sources(), before) << bad;
  }
  SendMessageA(FrameWindow, MSG_SET_FRAME, 0xFFFE, 0);  // no such resource
  EXPECT_EQ(Sources(), before);
  EXPECT_EQ(CompositionPixels[0], UNTOUCHED);
}

}  // namespace
