// MSG_RECOMPOSE on the running frame window: the window region, the icon,
// the composition, and what wParam and lParam 1 leave alone.
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

// Pixels where the window's region disagrees with the keys.
int ShapeErrors(const Pixels& keys, int width) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  int wrong = GetWindowRgn(FrameWindow, region) == ERROR;
  for (size_t i = 0; i < keys.size(); ++i) {
    wrong +=
        (PtInRegion(region, static_cast<int>(i % width), static_cast<int>(i / width)) != 0) != (keys[i] != OUTSIDE_KEY);
  }
  DeleteObject(region);
  return wrong;
}

// The icon's AND mask: 1 where it is transparent.
std::vector<bool> IconTransparency(HICON icon) {
  ICONINFO info = {};
  EXPECT_TRUE(GetIconInfo(icon, &info));
  uint8_t bits[32 * 4] = {};  // a monochrome bitmap's rows are whole words: 4 bytes for 32 pixels
  GetBitmapBits(info.hbmMask, sizeof bits, bits);
  DeleteObject(info.hbmMask);
  DeleteObject(info.hbmColor);
  std::vector<bool> transparent(32 * 32);
  for (int i = 0; i < 32 * 32; ++i) transparent[i] = bits[i / 8] >> (7 - i % 8) & 1;
  return transparent;
}

void ExpectShapeAndIconOfFrame(const Pixels& frame) {
  SettleIcon();
  EXPECT_EQ(ShapeErrors(frame, 256), 0);
  Pixels smallKeys(32 * 32);
  ASSERT_EQ(ReduceByAnd(frame.data(), 256, 256, smallKeys.data(), 32, 32), 1);
  std::vector<bool> transparent(32 * 32);
  for (int i = 0; i < 32 * 32; ++i) transparent[i] = smallKeys[i] == OUTSIDE_KEY;
  EXPECT_EQ(IconTransparency(FrameIcon), transparent);
}

TEST_F(ImagingComposeTest, AtFullSizeTheShapeIsExactlyTheNonGreenPixelsAndTheIconFollowsTheKeys) {
  ResizeClient(256, 256);
  const Pixels frame = Decoded("images/frame.png").pixels, photo = Decoded("images/photo.png").pixels;
  ASSERT_EQ(frame.size(), 256u * 256);
  ASSERT_EQ(photo.size(), 256u * 256);
  Send(MSG_SET_PHOTO, "images/photo.png");
  Send(MSG_SET_FRAME, "images/frame.png");
  ExpectShapeAndIconOfFrame(frame);
  // Photo-key pixels show the photo, the other pixels inside the artwork.
  int mismatches = 0;
  for (int i = 0; i < 256 * 256; ++i) {
    if (frame[i] != OUTSIDE_KEY) mismatches += CompositionPixels[i] != (frame[i] == PHOTO_KEY ? photo[i] : frame[i]);
  }
  EXPECT_EQ(mismatches, 0);
  for (int id : {2000, 2008, 2011, 2045, 2090}) {
    SCOPED_TRACE(id);
    SendMessageA(FrameWindow, MSG_SET_FRAME, id, 0);
    ExpectShapeAndIconOfFrame(FramePixels(FrameKeySurface));
  }
}

TEST_F(ImagingComposeTest, WParamOneKeepsTheRegionLParamOneTheTrayIconAndADragThrottlesTheIcon) {
  ResizeClient(256, 256);
  const Pixels ring = Decoded("images/frame.png").pixels;
  Send(MSG_SET_FRAME, "images/frame.png");
  Send(MSG_SET_FRAME, "images/all-photo.png", 1);
  SettleIcon();
  SentMessages sent;
  const HICON before = FrameIcon;
  SendMessageA(FrameWindow, MSG_RECOMPOSE, 1, 1);
  SettleIcon();
  EXPECT_EQ(ShapeErrors(ring, 256), 0);
  const LPARAM icon = reinterpret_cast<LPARAM>(FrameIcon);
  EXPECT_NE(FrameIcon, before);
  EXPECT_EQ(sent.Of(WM_SETICON), (std::vector<LPARAM>{icon, icon}));
  for (WPARAM size : {ICON_SMALL, ICON_BIG}) EXPECT_EQ(SendMessageA(FrameWindow, WM_GETICON, size, 0), icon);
  SendMessageA(FrameWindow, MSG_RECOMPOSE, 0, 0);
  EXPECT_EQ(ShapeErrors(Pixels(256 * 256, PHOTO_KEY), 256), 0);
  SettleIcon();
  EXPECT_EQ(sent.Of(MSG_SET_TRAY_ICON), std::vector<LPARAM>{reinterpret_cast<LPARAM>(FrameIcon)});

  // During a drag the icon follows at most every tenth of a second and ends on the latest composition.
  sent.log.clear();
  const DWORD start = GetTickCount();
  int steps = 0;
  for (; GetTickCount() - start < 300; ++steps) {
    Settings.X2 = steps % 64;
    SendMessageA(FrameWindow, MSG_RECOMPOSE, 0, 0);
  }
  const size_t setsDuringTheDrag = sent.Of(WM_SETICON).size() / 2;
  SettleIcon();
  EXPECT_GT(steps, 20);
  EXPECT_LE(setsDuringTheDrag, 5u);
  EXPECT_EQ(sent.Of(MSG_SET_TRAY_ICON).size(), sent.Of(WM_SETICON).size() / 2);
  EXPECT_EQ(sent.Of(MSG_SET_TRAY_ICON).back(), reinterpret_cast<LPARAM>(FrameIcon));
  // A single recomposition long after the last icon sets its icon at once.
  const DWORD settled = GetTickCount();
  WaitUntil([&] { return GetTickCount() - settled > 150; });
  const HICON last = FrameIcon;
  SendMessageA(FrameWindow, MSG_RECOMPOSE, 0, 0);
  EXPECT_FALSE(IconRefreshPending());
  EXPECT_NE(FrameIcon, last);
}

TEST_F(ImagingComposeTest, TheSquareShowsThePhotoWhereItReachesBlackBeyondAndTheShapeStopsAtItsLimit) {
  constexpr uint32_t WHITE = 0x00FFFFFF, RED = 0x00FF0000, BLUE = 0x000000FF;
  struct Probe {
    int x, y;
    uint32_t colour;
  };
  struct Row {
    const char *frame, *photo;
    int32_t x2, y2, w3, h3;
    int width, height;
    uint32_t runs;
    std::vector<Probe> probes;
  };
  const Row rows[] = {
      // The built-in pan and zoom on an 87 x 127 photo: the square reaches
      // beyond it on the left, the right and the top, not the bottom.
      {"images/all-photo.png",
       "images/white.png",
       -21,
       -11,
       128,
       168,
       100,
       100,
       100,
       {{5, 50, 0}, {95, 50, 0}, {50, 3, 0}, {50, 50, WHITE}, {50, 99, WHITE}}},
      // Taller than wide, H3 is the square's side: only the red half; wider, both.
      {"images/all-photo.png", "images/halves.png", 0, 0, 200, 100, 100, 200, 200, {{99, 100, RED}}},
      {"images/all-photo.png", "images/halves.png", 0, 0, 200, 100, 200, 100, 100, {{10, 50, RED}, {190, 50, BLUE}}},
      // Every other column green, 32768 runs: the shape is cut, the picture whole.
      {"images/stripes.png", "images/white.png", 0, 0, 87, 127, 256, 256, REGION_MAX_RECTS, {{254, 255, 0x00405060}}},
      // Without a frame, a black rectangle.
      {nullptr, "images/white.png", 0, 0, 87, 127, 64, 48, 48, {{0, 0, 0}, {32, 24, 0}, {63, 47, 0}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.frame ? row.frame : "no frame");
    Surface none, alsoNone;
    if (row.frame)
      Send(MSG_SET_FRAME, row.frame);
    else
      ReplaceFrameSurfaces(none, alsoNone);
    Send(MSG_SET_PHOTO, row.photo);
    Settings.X2 = row.x2;
    Settings.Y2 = row.y2;
    Settings.W3 = row.w3;
    Settings.H3 = row.h3;
    ResizeClient(row.width, row.height);
    SendMessageA(FrameWindow, MSG_RECOMPOSE, 0, 0);
    std::vector<uint32_t> got, want;
    for (const Probe& probe : row.probes) {
      got.push_back(CompositionPixels[probe.y * row.width + probe.x]);
      want.push_back(probe.colour);
    }
    EXPECT_EQ(got, want);
    EXPECT_EQ(reinterpret_cast<const RegionBlock*>(RegionBuffer)->header.count, row.runs);
    if (row.runs == static_cast<uint32_t>(row.height)) {
      EXPECT_EQ(ShapeErrors(Pixels(row.width * row.height, PHOTO_KEY), row.width), 0);
    }
  }
}

}  // namespace
