// The frame window's picture messages, in-process. MSG_SET_PHOTO and
// MSG_SET_FRAME: what a new photo or frame changes, what the start-up call
// keeps, and failures that change nothing. MSG_RECOMPOSE: the
// window region, the icon, the composition, what wParam 1 leaves alone and
// the icon during a drag. Thousands of them hold no more memory and no more
// graphics objects at the end than at the start.
#include <psapi.h>

#include <tuple>

#include "app/display_scale.h"
#include "app/scale_rules.h"
#include "app/texts.h"
#include "desktop/tray_icon.h"
#include "imaging/compositor.h"
#include "imaging/frame_icon.h"
#include "imaging/key_colors.h"
#include "imaging/outline_scan.h"
#include "imaging/reduce.h"
#include "tests/wine/frame_window_fixture.h"
#include "splash/notice_window.h"
#include "tests/wine/imaging_files.h"

namespace {

// A surface's pixels; empty when it has none.
Pixels SurfacePixels(const Surface& surface) {
  int width = 0, height = 0;
  const uint32_t* pixels = DibPixels(surface, &width, &height);
  return pixels ? Pixels(pixels, pixels + width * height) : Pixels{};
}

// The icon of the latest composition may follow a little later.
void SettleIcon() {
  ASSERT_TRUE(WaitUntil([] { return !IconRefreshPending(); }, 2000));
}

// Sends a corpus file, e.g. "images/frame.png", as the message's path and
// waits for the picture worker. Returns why it was refused, at once or as
// the notice of a chosen file says.
Refusal SendFile(UINT message, const char* name, LPARAM lParam = 0) {
  const std::string path = CorpusFile(name);
  HideNotice();
  const auto refused =
      static_cast<Refusal>(SendMessageA(FrameWindow, message, reinterpret_cast<WPARAM>(path.c_str()), lParam));
  AwaitPictures();
  if (refused != Refusal::NONE) return refused;
  const std::string notice = NoticeText();
  for (int reason = 1; reason < static_cast<int>(std::size(TEXT_NOTICE_REASONS)); ++reason) {
    const std::string words = TEXT_NOTICE_REASONS[reason];
    if (!notice.empty() && notice.find(words.substr(0, words.find(" ("))) != std::string::npos) {
      return static_cast<Refusal>(reason);
    }
  }
  return Refusal::NONE;
}
// The window is borderless: its size is the composition's.
void ResizeClient(int width, int height) {
  SetWindowPos(FrameWindow, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The side of an icon's bitmap and its AND mask, set where it is transparent:
// a monochrome bitmap's rows are whole words, 4 bytes for 32 pixels.
std::pair<LONG, std::vector<uint8_t>> IconMask(HICON icon) {
  ICONINFO info = {};
  BITMAP bitmap = {};
  if (GetIconInfo(icon, &info)) GetObjectA(info.hbmMask, sizeof bitmap, &bitmap);
  std::vector<uint8_t> bits(static_cast<size_t>(bitmap.bmWidthBytes) * bitmap.bmHeight);
  GetBitmapBits(info.hbmMask, static_cast<LONG>(bits.size()), bits.data());
  DeleteObject(info.hbmMask);
  DeleteObject(info.hbmColor);
  return {bitmap.bmWidth, bits};
}
LONG IconSide(HICON icon) { return IconMask(icon).first; }

std::vector<HRGN> RefusedRegions;
int WINAPI RefuseRegion(HWND, HRGN region, BOOL) {
  RefusedRegions.push_back(region);
  return 0;
}

TEST_F(FrameWindowTest, TheShapeAndIconFollowTheKeysWParamOneKeepsTheRegionAndDragsThrottleTheIcon) {
  Start();
  ResizeClient(256, 256);
  const Pixels frame = Decoded("images/frame.png").pixels;
  ASSERT_EQ(frame.size(), 256u * 256);
  SendFile(MSG_SET_FRAME, "images/frame.png");
  SettleIcon();
  EXPECT_EQ(ShapeErrors(FrameWindow, frame.data(), 256, 256), 0);
  Pixels smallKeys(32 * 32);
  ASSERT_EQ(ReduceByAnd(frame.data(), 256, 256, smallKeys.data(), 32, 32), 1);
  std::vector<uint8_t> mask(32 * 4);
  for (int i = 0; i < 32 * 32; ++i) mask[i / 8] |= (smallKeys[i] == OUTSIDE_KEY) << (7 - i % 8);
  EXPECT_EQ(IconMask(Composed->icons.largeIcon), std::pair(LONG{32}, mask));

  // A region the system refuses is deleted, leaves the shape as it was and is tried again next time.
  SetWindowRgnCall = RefuseRegion;
  SendFile(MSG_SET_FRAME, "images/all-photo.png");
  Send(MSG_RECOMPOSE);
  SetWindowRgnCall = SetWindowRgn;
  ASSERT_EQ(RefusedRegions.size(), 2u);
  EXPECT_EQ(GetObjectType(RefusedRegions[0]) | GetObjectType(RefusedRegions[1]), 0u);
  EXPECT_EQ(ShapeErrors(FrameWindow, frame.data(), 256, 256), 0);
  SendFile(MSG_SET_FRAME, "images/frame.png");

  // The start-up call puts keys in place that wParam 1 does not apply to the region; the icon still follows them.
  SendFile(MSG_SET_FRAME, "images/all-photo.png", 1);
  Send(MSG_RECOMPOSE, 1, 0);
  SettleIcon();
  EXPECT_EQ(ShapeErrors(FrameWindow, frame.data(), 256, 256), 0);
  EXPECT_EQ(IconMask(Composed->icons.largeIcon), std::pair(LONG{32}, std::vector<uint8_t>(32 * 4)));
  EXPECT_EQ(std::pair(Send(WM_GETICON, ICON_SMALL), Send(WM_GETICON, ICON_BIG)),
            std::pair(reinterpret_cast<LRESULT>(Composed->icons.smallIcon), reinterpret_cast<LRESULT>(Composed->icons.largeIcon)));
  // A new size reshapes the window by itself.
  ResizeClient(32, 32);
  EXPECT_EQ(ShapeErrors(FrameWindow, Pixels(32 * 32, PHOTO_KEY).data(), 32, 32), 0);

  // Long after the last icon a recomposition sets its icon at once; one right
  // after it leaves its icon to a timer, which makes it once the interval is over.
  SettleIcon();
  const DWORD settled = GetTickCount();
  WaitUntil([&] { return GetTickCount() - settled > 150; });
  const long made = FrameIconCounts.made;
  Send(MSG_RECOMPOSE);
  EXPECT_EQ(std::pair(FrameIconCounts.made - made, IconRefreshPending()), std::pair(2L, 0));
  Send(MSG_RECOMPOSE);
  EXPECT_EQ(std::pair(FrameIconCounts.made - made, IconRefreshPending()), std::pair(2L, 1));
  SettleIcon();
  EXPECT_EQ(FrameIconCounts.made - made, 4);  // a small and a large icon each time

  const DWORD start = GetTickCount();
  int steps = 0;
  for (; GetTickCount() - start < 300; ++steps) {
    Settings->X2 = steps % 64;
    Send(MSG_RECOMPOSE);
  }
  SettleIcon();
  EXPECT_GT(steps, 20);
  EXPECT_LE(FrameIconCounts.made - made, 2 * (2 + 5));  // the two above, then at most five
}

TEST_F(FrameWindowTest, TheSquareShowsThePhotoWhereItReachesWhiteBeyondAndTheShapeStopsAtItsLimit) {
  Start();
  constexpr uint32_t WHITE = 0x00FFFFFF, RED = 0x00FF0000, BLUE = 0x000000FF;
  // Frame, photo, square (X2, Y2, W3, H3), window size, region runs, probes and their colours.
  using Square = std::tuple<int32_t, int32_t, int32_t, int32_t>;
  using Probes = std::vector<std::pair<int, int>>;
  const std::tuple<const char*, const char*, Square, int, int, uint32_t, Probes, Pixels> rows[] = {
      // Beyond the photo's top and left, and where a photo is transparent, the frame shows white, as a print's margin.
      {"images/all-photo.png", "images/halves.png", {-50, -50, 100, 100}, 100, 100, 100,
       {{10, 10}, {75, 75}, {10, 75}, {75, 10}}, {WHITE, RED, WHITE, WHITE}},
      {"images/all-photo.png", "images/transparent.png", {0, 0, 20, 20}, 100, 100, 100, {{20, 50}, {80, 50}},
       {RED, WHITE}},
      // Taller than wide, H3 is the square's side: only the red half; wider (and only wider), both.
      {"images/all-photo.png", "images/halves.png", {0, 0, 200, 100}, 100, 200, 200, {{99, 100}}, {RED}},
      {"images/all-photo.png", "images/halves.png", {0, 0, 200, 100}, 256, 200, 200, {{10, 50}, {245, 50}},
       {RED, BLUE}},
      // Every other column green, 32768 runs: the shape is cut, the picture whole.
      {"images/stripes.png", "images/white.png", {0, 0, 87, 127}, 256, 256, REGION_MAX_RECTS, {{254, 255}}, {0x405060}},
      // Without a frame, a black rectangle.
      {nullptr, "images/white.png", {0, 0, 87, 127}, 64, 48, 48, {{0, 0}, {32, 24}, {63, 47}}, {0, 0, 0}}};
  for (const auto& [frame, photo, square, width, height, runs, probes, colours] : rows) {
    SCOPED_TRACE(frame ? frame : "no frame");
    Surface none, alsoNone;
    ReplaceFrameSurfaces(none, alsoNone);
    if (frame) SendFile(MSG_SET_FRAME, frame);
    SendFile(MSG_SET_PHOTO, photo);
    std::tie(Settings->X2, Settings->Y2, Settings->W3, Settings->H3) = square;
    ResizeClient(width, height);
    Send(MSG_RECOMPOSE);
    Pixels got;
    for (const auto& [x, y] : probes) got.push_back(Composed->pixels[y * width + x]);
    EXPECT_EQ(got, colours);
    EXPECT_EQ(reinterpret_cast<const RegionBlock*>(RegionBuffer)->header.count, runs);
  }
}

// Measured as handed over: a repaint may remake the icon after it, which the shell has copied.
int TrayIconSide;
BOOL WINAPI RecordTrayIcon(DWORD, PNOTIFYICONDATAA data) {
  if (data->uFlags & NIF_ICON) TrayIconSide = IconSide(data->hIcon);
  return TRUE;
}

// Stored sides are 96-DPI units: at the display's scale (the suite runs again
// at 144 and 192 DPI) the window is its stored size scaled, the photo is
// averaged from its own pixels at that size, the outline is the 96-DPI one
// within a pixel along its edge, and the icons, the tray's too, have the icon
// sizes of the DPI. A move to a monitor of twice the scale takes the
// rectangle the system suggests and keeps the stored size.
TEST_F(FrameWindowTest, AtTheDisplaysScaleTheWindowPhotoOutlineAndIconsAreMadeForIt) {
  WriteDword("W1", 200);
  WriteDword("H1", 160);
  TrayShellCall = RecordTrayIcon;
  Start();
  const int dpi = DpiOfWindow(FrameWindow);
  const int width = ScaleToDpi(200, dpi), height = ScaleToDpi(160, dpi);
  EXPECT_EQ(std::tuple(Placed().width, Placed().height, Settings->W1, Settings->H1),
            std::tuple(LONG{width}, LONG{height}, 200, 160));

  const Picture photo = Decoded("images/photo.png");
  SendFile(MSG_SET_FRAME, "images/all-photo.png");
  SendFile(MSG_SET_PHOTO, "images/photo.png");
  std::tie(Settings->X2, Settings->Y2, Settings->W3, Settings->H3) = std::tuple(0, 0, 256, 256);
  Send(MSG_RECOMPOSE);
  Pixels direct(width * height);
  ASSERT_EQ(AreaAverage({photo.pixels.data(), 256, 256, 0}, 256, 256, {0, 0, 256, 256}, direct.data(), width, height), 1);
  EXPECT_EQ(Pixels(Composed->pixels, Composed->pixels + width * height), direct);

  SendFile(MSG_SET_FRAME, "images/frame.png");
  SettleIcon();
  // The 96-DPI outline: the frame's keys reduced to the stored size, scaled up.
  Pixels outline(200 * 160);
  ASSERT_EQ(ReduceByAnd(Decoded("images/frame.png").pixels.data(), 256, 256, outline.data(), 200, 160), 1);
  EXPECT_EQ(ShapeErrors(FrameWindow, outline.data(), 200, 160, width, height), 0);
  EXPECT_EQ(std::tuple(IconSide(Composed->icons.smallIcon), IconSide(Composed->icons.largeIcon), TrayIconSide),
            std::tuple(SystemMetricForDpi(SM_CXSMICON, dpi), SystemMetricForDpi(SM_CXICON, dpi),
                       SystemMetricForDpi(SM_CXSMICON, dpi)));

  const Box box = Placed();
  RECT suggested = {box.left - 10, box.top, box.left - 10 + 2 * width, box.top + 2 * height};
  Send(WM_DPICHANGED, MAKEWPARAM(2 * dpi, 2 * dpi), reinterpret_cast<LPARAM>(&suggested));
  SettleIcon();
  EXPECT_EQ(std::tuple(Placed(), Settings->W1, Settings->H1, IconSide(Composed->icons.largeIcon), TrayIconSide),
            std::tuple(Box{box.left - 10, box.top, 2 * width, 2 * height}, 200, 160,
                       SystemMetricForDpi(SM_CXICON, 2 * dpi), SystemMetricForDpi(SM_CXSMICON, 2 * dpi)));
}

// The photo's size, its shown square (pan X2, Y2 and zoom W3, H3) and path, the frame's id and path.
auto Choice() {
  return std::tuple(Settings->W2, Settings->H2, Settings->X2, Settings->Y2, Settings->W3, Settings->H3,
                    std::string(Settings->Photo), Settings->FrameID, std::string(Settings->Frame));
}

// Everything a photo or frame change may touch.
auto Sources() { return std::tuple(Choice(), Composed->photo.bitmap, Composed->frameKeys.bitmap, Composed->frameArt.bitmap); }

// Set where a recomposition writes: it never writes the fourth byte.
constexpr uint32_t UNTOUCHED = 0xDEADBEEF;

TEST_F(FrameWindowTest, NewSourcesReplaceTheOldStartUpCallsDoNotRecomposeAndBadFilesChangeNothing) {
  Start();
  const std::string photo = CorpusFile("images/halves.png"), frame = CorpusFile("images/frame-small.png");
  SendFile(MSG_SET_FRAME, "images/frame-small.png");
  Composed->pixels[0] = UNTOUCHED;
  SendFile(MSG_SET_PHOTO, "images/halves.png");
  EXPECT_NE(Composed->pixels[0], UNTOUCHED);
  EXPECT_EQ(Choice(), std::tuple(200, 200, 0, 0, 200, 200, photo, FRAME_ID_CUSTOM, frame));
  // A landscape photo fills the frame: no black in the photo hole, as a square as wide as the photo left.
  SendFile(MSG_SET_PHOTO, "images/landscape.jpg");  // 3000 x 2000
  EXPECT_EQ(std::tuple(Settings->X2, Settings->Y2, Settings->W3, Settings->H3), std::tuple(500, 0, 2000, 2000));
  Pixels shown(static_cast<size_t>(Composed->width) * Composed->height);
  ASSERT_TRUE(ReduceByAnd(SurfacePixels(Composed->frameKeys).data(), 256, 256, shown.data(), Composed->width, Composed->height));
  int hole = 0, black = 0;
  for (size_t i = 0; i < shown.size(); ++i) {
    hole += shown[i] == PHOTO_KEY;
    black += shown[i] == PHOTO_KEY && Composed->pixels[i] == 0;
  }
  EXPECT_EQ(std::pair(hole > 0, black), std::pair(true, 0));
  SendFile(MSG_SET_PHOTO, "images/halves.png");
  // Stretched by four; the artwork is black where either key is.
  const Pixels small = Decoded("images/frame-small.png").pixels;
  ASSERT_EQ(small.size(), 64u * 64);
  Pixels keys(256 * 256), artwork(256 * 256);
  for (int i = 0; i < 256 * 256; ++i) {
    keys[i] = small[i / 256 / 4 * 64 + i % 256 / 4];
    artwork[i] = keys[i] == OUTSIDE_KEY || keys[i] == PHOTO_KEY ? 0 : keys[i];
  }
  EXPECT_EQ(std::pair(SurfacePixels(Composed->frameKeys), SurfacePixels(Composed->frameArt)), std::pair(keys, artwork));
  // The start-up calls keep pan and zoom and do not recompose; the custom frame's path stays for later.
  std::tie(Settings->X2, Settings->Y2, Settings->W3) = std::tuple(7, -3, 300);
  Composed->pixels[0] = UNTOUCHED;
  SendFile(MSG_SET_PHOTO, "images/halves.png", 1);
  Send(MSG_SET_FRAME, 2011, 1);
  EXPECT_EQ(Composed->pixels[0], UNTOUCHED);
  EXPECT_EQ(Choice(), std::tuple(200, 200, 7, -3, 300, 200, photo, 2011, frame));

  const auto before = Sources();
  EXPECT_EQ(static_cast<Refusal>(Send(MSG_SET_FRAME, 0xFFFE)), Refusal::NOT_FOUND);  // no such resource
  // Nothing would be left of the window; nothing left of it at 128 x 128; a photo, hardly any key colour.
  for (const char* notAFrame : {"images/all-outside.png", "images/thin-light-lines.png", "images/photo.png"}) {
    EXPECT_EQ(SendFile(MSG_SET_FRAME, notAFrame), Refusal::NOT_A_FRAME) << notAFrame;
  }
  for (const BadFile& bad : BAD_FILES) {
    EXPECT_EQ(std::pair(SendFile(MSG_SET_PHOTO, bad.name), SendFile(MSG_SET_FRAME, bad.name)),
              std::pair(bad.reason, bad.reason)) << bad.name;
    EXPECT_EQ(Sources(), before) << bad.name;
  }
  EXPECT_EQ(Composed->pixels[0], UNTOUCHED);
  // A stored photo that no longer decodes at start gives way to the default one as at a first start.
  SendFile(MSG_SET_PHOTO, "bad/truncated.jpg", 1);
  EXPECT_EQ(std::tuple(Settings->W2, Settings->W3, Settings->X2, Settings->Y2), std::tuple(87, 128, -21, -11));
}

// What the program holds: surfaces and icons alive, and its private memory.
std::tuple<long, long, SIZE_T> Holdings() {
  PROCESS_MEMORY_COUNTERS_EX memory = {};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
  return {SurfaceCounts.made - SurfaceCounts.released, FrameIconCounts.made - FrameIconCounts.destroyed,
          memory.PrivateUsage};
}

TEST_F(FrameWindowTest, TenThousandRecompositionsAndAThousandPictureChangesHoldNothingMore) {
  Start();
  // Photo and frame pairs, the last one bad.
  const char* const pictures[][2] = {{"images/photo.jpg", "images/frame.png"},
                                     {"images/halves.png", "images/frame-large.png"},
                                     {"bad/truncated.png", "bad/truncated.png"}};
  // Every tenth step changes photo and frame; every step pans, every 50th
  // zooms, every 100th resizes: the composition, the scaled frame, the
  // region and the icon are all remade along the way.
  auto step = [&](int i) {
    if (i % 10 == 0) {
      SendFile(MSG_SET_PHOTO, pictures[i / 10 % 3][0]);
      SendFile(MSG_SET_FRAME, pictures[i / 10 % 3][1]);
    }
    Settings->X2 = i % 97 - 40;
    if (i % 50 == 0) Settings->W3 = Settings->H3 = 300 + i % 400;
    if (i % 100 == 0) ResizeClient(i % 200 == 0 ? 256 : 180, i % 200 == 0 ? 256 : 150);
    Send(MSG_RECOMPOSE);
  };
  // A while to let caches fill, then many times more.
  for (int i = 0; i < 200; ++i) step(i);
  const auto [surfaces, icons, bytes] = Holdings();
  for (int i = 0; i < 10000; ++i) step(i);
  const auto [surfacesAfter, iconsAfter, bytesAfter] = Holdings();
  EXPECT_EQ(std::tuple(icons, surfacesAfter, iconsAfter), std::tuple(2L, surfaces, 2L));
  EXPECT_LT(bytesAfter, bytes + (4 << 20)) << bytes << " -> " << bytesAfter;
}

}  // namespace
