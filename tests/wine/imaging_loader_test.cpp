// DecodeImage and the surface makers, in-process: every accepted format,
// the key colours surviving exactly, upright phone photos, and bad sources
// refused with the previous picture kept.
#include <tuple>

#include "imaging/surface.h"
#include "tests/wine/imaging_files.h"

namespace {

class ImagingLoaderTest : public testing::Test {
 protected:
  void SetUp() override { CoInitialize(nullptr); }
  void TearDown() override { CoUninitialize(); }
};

TEST_F(ImagingLoaderTest, LosslessFormatsKeepKeyColoursBadSourcesAndSizesLeaveTheLastPictureAndPicturesComeOutUpright) {
  static const uint32_t COLOURS[8] = {0x0000FF00, 0x00FF00FF, 0x0000FE00, 0x00FE00FF,
                                      0x00000000, 0x00FFFFFF, 0x00123456, 0x00800080};
  Picture keys{24, 16, Pixels(24 * 16)};
  for (int i = 0; i < 24 * 16; ++i) keys.pixels[i] = COLOURS[(i % 24 / 3 + i / 24 / 4) % 8];
  for (const char* name : {"images/keys.bmp", "images/keys.gif", "images/keys.png"}) {
    EXPECT_EQ(Decoded(name), keys) << name;
  }
  const long made = SurfaceCounts.made, released = SurfaceCounts.released;
  for (const BadFile& bad : BAD_FILES) {
    EXPECT_EQ(Decoded(bad.name), Picture{}) << bad.name;
    EXPECT_EQ(LoaderRefusal.reason, bad.reason) << bad.name;
  }
  EXPECT_EQ(std::pair(LoaderRefusal.width, LoaderRefusal.height), std::pair(int64_t{0}, int64_t{0})) << "missing";
  Decoded("bad/wide.jpg");
  EXPECT_EQ(std::pair(LoaderRefusal.width, LoaderRefusal.height), std::pair(int64_t{30000}, int64_t{20000}));
  for (ImageSource none : {ImageSource{0}, ImageSource{0xFFFF}}) EXPECT_EQ(DecodeImage(none, nullptr), 0) << none;
  EXPECT_EQ(LoaderPicture(), keys);
  // A refused size releases the old surface and keeps the last size.
  HDC screen = GetDC(nullptr);
  Surface surface;
  int32_t width = 5, height = 6;
  uint32_t* pixels = nullptr;
  ASSERT_EQ(MakeDibSurface(screen, surface, width, height, pixels, 50, 100), 1);
  ASSERT_EQ(MakeBitmapSurface(screen, surface, width, height, 100, 50), 1);
  EXPECT_EQ(MakeDibSurface(screen, surface, width, height, pixels, 20000, 20000), 0);
  EXPECT_EQ(MakeBitmapSurface(screen, surface, width, height, 0, 10), 0);
  EXPECT_EQ(std::tuple(surface.bitmap, pixels, width, height), std::tuple(HBITMAP{}, nullptr, 100, 50));
  const int32_t inch = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  // Whatever a failed decode or surface made, it gave back.
  EXPECT_EQ(SurfaceCounts.made - made, SurfaceCounts.released - released);

  // Pictures come out upright at their size with the fourth byte cleared.
  // Red, green above; blue, grey below: each quadrant's centre, the lossy
  // JPEG's cut to the top bit of each channel; a fourth byte left set shows.
  constexpr uint32_t RED = 0xE02020, GREEN = 0x20E020, BLUE = 0x2020E0, GREY = 0xE0E0E0, LOSSY = 0xFF808080;
  using Quadrants = std::tuple<int32_t, int32_t, Pixels>;
  const std::tuple<const char*, uint32_t, Quadrants> rows[] = {
      {"images/icon.ico", 0xFFFFFFFF, {16, 16, {RED, GREEN, BLUE, GREY}}},
      // Turned a quarter clockwise by its EXIF tag.
      {"images/turned-6.jpg", LOSSY, {16, 32, {BLUE & LOSSY, RED & LOSSY, GREY & LOSSY, GREEN & LOSSY}}}};
  for (const auto& [name, mask, want] : rows) {
    const Picture got = Decoded(name);
    Quadrants centres{got.width, got.height, {}};
    for (int q = 0; q < 4 && !got.pixels.empty(); ++q) {
      const int x = got.width / 4 + q % 2 * got.width / 2, y = got.height / 4 + q / 2 * got.height / 2;
      std::get<2>(centres).push_back(got.pixels[y * got.width + x] & mask);
    }
    EXPECT_EQ(centres, want) << name;
  }
  // A metafile is drawn an inch a side, whole, from the first row.
  EXPECT_EQ(Decoded("images/inch.emf"), (Picture{inch, inch, Pixels(inch * inch, 0x0AC81E)}));
}

}  // namespace
