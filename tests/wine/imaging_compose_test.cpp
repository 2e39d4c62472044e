// MSG_RECOMPOSE on the running frame window: the window region, the icon,
// the composition, and what wParam and lParam 1 leave alone.
#include <cstring>
#include <vector>

#include "app/settings.h"
#include "imaging/compositor.h"
#include "imaging/frame_icon.h"
#include "imaging/key_colors.h"
#include "imaging/outline_scan.h"
#include "imaging/reduce.h"
#include "tests/wine/imaging_fixture.h"

namespace {

using ImagingComposeTest = ImagingProgramTest;

std::vector<RegionRect> RunsOf(const Pixels& keys, int width, int height) {
  std::vector<RegionRect> runs;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width;) {
      if (keys[y * width + x] == OUTSIDE_KEY) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < width && keys[y * width + x] != OUTSIDE_KEY) ++x;
      runs.push_back({start, y, x, y + 1});
    }
  }
  return runs;
}

std::vector<RegionRect> StoredRuns() {
  const RegionBlock* block = reinterpret_cast<const RegionBlock*>(RegionBuffer);
  return {block->rects, block->rects + block->header.count};
}

// The window's region, pixel by pixel, against the keys.
void ExpectWindowShape(const Pixels& keys, int width, int height) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(FrameWindow, region), ERROR);
  int wrong = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) wrong += (PtInRegion(region, x, y) != 0) != (keys[y * width + x] != OUTSIDE_KEY);
  }
  DeleteObject(region);
  EXPECT_EQ(wrong, 0);
}

// The icon's AND mask: 1 where it is transparent.
std::vector<bool> IconTransparency(HICON icon) {
  ICONINFO info = {};
  EXPECT_TRUE(GetIconInfo(icon, &info));
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colors[2];
  } format = {};
  format.header.biSize = sizeof format.header;
  format.header.biWidth = 32;
  format.header.biHeight = -32;
  format.header.biPlanes = 1;
  format.header.biBitCount = 1;
  uint8_t bits[32 * 4] = {};
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, info.hbmMask, 0, 32, bits, reinterpret_cast<BITMAPINFO*>(&format), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  std::vector<bool> transparent(32 * 32);
  for (int i = 0; i < 32 * 32; ++i) transparent[i] = bits[i / 8] >> (7 - i % 8) & 1;
  return transparent;
}

void ExpectShapeAndIconOfFrame(const Pixels& frame) {
  SettleIcon();
  EXPECT_EQ(StoredRuns(), RunsOf(frame, 256, 256));
  ExpectWindowShape(frame, 256, 256);
  Pixels smallKeys(32 * 32);
  ASSERT_EQ(ReduceByAnd(frame.data(), 256, 256, smallKeys.data(), 32, 32), 1);
  const std::vector<bool> transparent = IconTransparency(FrameIcon);
  for (int i = 0; i < 32 * 32; ++i) ASSERT_EQ(transparent[i], smallKeys[i] == OUTSIDE_KEY) << i;
}

TEST_F(ImagingComposeTest, AtFullSizeTheShapeIsExactlyTheNonGreenPixelsAndTheIconFollowsTheKeys) {
  ResizeClient(256, 256);
  const Pixels frame = DecodedPixels("images/frame.png"), photo = DecodedPixels("images/photo.png");
  ASSERT_EQ(frame.size(), 256u * 256);
  ASSERT_EQ(photo.size(), 256u * 256);
  Send(MSG_SET_PHOTO, "images/photo.png");
  Send(MSG_SET_FRAME, "images/frame.png");
  ExpectShapeAndIconOfFrame(frame);
  // Photo-key pixels show the photo, the other pixels inside the artwork.
  int mismatches = 0;
  for (int i = 0; i < 256 * 256; ++i) {
    if (frame[i] == OUTSIDE_KEY) continue;
    mismatches += CompositionPixels[i] != (frame[i] == PHOTO_KEY ? photo[i] : frame[i]);
  }
  EXPECT_EQ(mismatches, 0);
}

TEST_F(ImagingComposeTest, BuiltInFramesShapeTheWindowExactlyAtFullSize) {
  if (!FindResourceA(nullptr, MAKEINTRESOURCEA(2011), "R")) GTEST_SKIP() << "built-in frames not yet in";
  ResizeClient(256, 256);
  for (int id : {2000, 2008, 2011, 2045, 2090}) {
    SendMessageA(FrameWindow, MSG_SET_FRAME, id, 0);
    ASSERT_EQ(Settings.FrameID, id);
    int width = 0, height = 0;
    const uint32_t* keys = DibPixels(FrameKeySurface, &width, &height);
    ASSERT_NE(keys, nullptr);
    ExpectShapeAndIconOfFrame(Pixels(keys, keys + 256 * 256));
  }
}

TEST_F(ImagingComposeTest, WParamOneKeepsTheRegionAndLParamOneLeavesTheTrayIconAlone) {
  ResizeClient(256, 256);
  const Pixels ring = DecodedPixels("images/frame.png"), square(256 * 256, PHOTO_KEY);
  ASSERT_EQ(ring.size(), 256u * 256);
  Send(MSG_SET_FRAME, "images/frame.png");
  Send(MSG_SET_FRAME, "images/all-photo.png", 1);
  SettleIcon();
  SentMessageCounter trayRefreshes(MSG_SET_TRAY_ICON);
  SendMessageA(FrameWindow, MSG_RECOMPOSE, 1, 1);
  SettleIcon();
  ExpectWindowShape(ring, 256, 256);
  EXPECT_EQ(trayRefreshes.count, 0);
  {
    SentMessageCounter iconSets(WM_SETICON);
    const HICON before = FrameIcon;
    SendMessageA(FrameWindow, MSG_RECOMPOSE, 1, 1);
    SettleIcon();
    EXPECT_EQ(iconSets.count, 2);
    EXPECT_NE(FrameIcon, before);
    EXPECT_EQ(iconSets.lastLParam, reinterpret_cast<LPARAM>(FrameIcon));
    EXPECT_EQ(SendMessageA(FrameWindow, WM_GETICON, ICON_SMALL, 0), reinterpret_cast<LRESULT>(FrameIcon));
    EXPECT_EQ(SendMessageA(FrameWindow, WM_GETICON, ICON_BIG, 0), reinterpret_cast<LRESULT>(FrameIcon));
  }
  SendMessageA(FrameWindow, MSG_RECOMPOSE, 0, 0);
  ExpectWindowShape(square, 256, 256);
  SettleIcon();
  EXPECT_EQ(trayRefreshes.count, 1);
  EXPECT_EQ(trayRefreshes.lastLParam, reinterpret_cast<LPARAM>(FrameIcon));
}

TEST_F(ImagingComposeTest, DuringADragTheIconFollowsAtMostEveryTenthOfASecondAndEndsOnTheLatestComposition) {
  ResizeClient(256, 256);
  Send(MSG_SET_PHOTO, "images/photo.png");
  Send(MSG_SET_FRAME, "images/frame.png");
  SettleIcon();
  SentMessageCounter iconSets(WM_SETICON), trayRefreshes(MSG_SET_TRAY_ICON);
  const DWORD start = GetTickCount();
  int steps = 0;
  for (; GetTickCount() - start < 300; ++steps) {
    Settings.X2 = steps % 64;
    SendMessageA(FrameWindow, MSG_RECOMPOSE, 0, 0);
  }
  const int setsDuringTheDrag = iconSets.count / 2;
  SettleIcon();
  EXPECT_GT(steps, 20);
  EXPECT_LE(setsDuringTheDrag, 5);
  EXPECT_EQ(trayRefreshes.count, iconSets.count / 2);
  EXPECT_EQ(trayRefreshes.lastLParam, reinterpret_cast<LPARAM>(FrameIcon));
  // A single recomposition long after the last icon sets its icon at once.
  const DWORD settled = GetTickCount();
  WaitUntil([&] { return GetTickCount() - settled > 150; });
  const HICON before = FrameIcon;
  SendMessageA(FrameWindow, MSG_RECOMPOSE, 0, 0);
  EXPECT_FALSE(IconRefreshPending());
  EXPECT_NE(FrameIcon, before);
}

TEST_F(ImagingComposeTest, TheSquareBeyondThePhotoStaysBlack) {
  // The built-in pan and zoom on an 87 x 127 photo: the square reaches
  // beyond it on the left, the right and the top.
  Send(MSG_SET_FRAME, "images/all-photo.png");
  Send(MSG_SET_PHOTO, "images/white.png");
  Settings.X2 = -21;
  Settings.Y2 = -11;
  Settings.W3 = 128;
  Settings.H3 = 168;
  ResizeClient(100, 100);
  SendMessageA(FrameWindow, MSG_RECOMPOSE, 0, 0);
  auto at = [](int x, int y) { return CompositionPixels[y * 100 + x]; };
  EXPECT_EQ(at(5, 50), 0u);    // left: x < 21/128
  EXPECT_EQ(at(95, 50), 0u);   // right: x > 108/128
  EXPECT_EQ(at(50, 3), 0u);    // top: y < 11/128
  EXPECT_EQ(at(50, 50), 0x00FFFFFFu);
  EXPECT_EQ(at(50, 99), 0x00FFFFFFu);  // 127 + 11 > 128: no black at the bottom
}

TEST_F(ImagingComposeTest, AWindowTallerThanWideTakesH3AsTheSquaresSide) {
  Send(MSG_SET_FRAME, "images/all-photo.png");
  Send(MSG_SET_PHOTO, "images/halves.png");  // red left, blue right
  Settings.W3 = 200;
  Settings.H3 = 100;
  ResizeClient(100, 200);
  SendMessageA(FrameWindow, MSG_RECOMPOSE, 0, 0);
  EXPECT_EQ(CompositionPixels[100 * 100 + 99], 0x00FF0000u);  // side 100: only the red half
  ResizeClient(200, 100);
  SendMessageA(FrameWindow, MSG_RECOMPOSE, 0, 0);
  EXPECT_EQ(CompositionPixels[50 * 200 + 10], 0x00FF0000u);  // side 200: both halves
  EXPECT_EQ(CompositionPixels[50 * 200 + 190], 0x000000FFu);
}

TEST_F(ImagingComposeTest, WithoutAFrameTheWindowIsABlackRectangle) {
  Surface none, alsoNone;
  ReplaceFrameSurfaces(none, alsoNone);
  Send(MSG_SET_PHOTO, "images/white.png");
  ResizeClient(64, 48);
  SendMessageA(FrameWindow, MSG_RECOMPOSE, 0, 0);
  EXPECT_EQ(StoredRuns(), RunsOf(Pixels(64 * 48, 0), 64, 48));
  for (int i = 0; i < 64 * 48; ++i) ASSERT_EQ(CompositionPixels[i], 0u) << i;
}

TEST_F(ImagingComposeTest, BeyondTwoThousandFiveHundredRunsTheShapeIsCutButThePictureIsWhole) {
  // Every other column green: 128 runs a row, 32768 in all.
  ResizeClient(256, 256);
  Send(MSG_SET_FRAME, "images/stripes.png");
  const RegionBlock* block = reinterpret_cast<const RegionBlock*>(RegionBuffer);
  ASSERT_EQ(block->header.count, 2500u);
  EXPECT_EQ(block->rects[2499], (RegionRect{2 * (2499 % 128), 2499 / 128, 2 * (2499 % 128) + 1, 2499 / 128 + 1}));
  EXPECT_EQ(CompositionPixels[255 * 256 + 254], 0x00405060u);
}

}  // namespace
