// The program's own pixel loops alone, without the window system around
// them: the reductions of a 12-megapixel photo, the photo averaged onto a
// 256 x 256 window from them and from the default photo's size, the outline
// scan with composition, the frame scaled by the AND rule, and the icon.
// What the drag-step figures cost on top of these is the platform's.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "bench/timing.h"
#include "imaging/icon_pixels.h"
#include "imaging/key_colors.h"
#include "imaging/outline_scan.h"
#include "imaging/photo_reductions.h"
#include "imaging/reduce.h"

namespace {

using Pixels = std::vector<uint32_t>;

constexpr int SIDE = 256;
constexpr int RUNS = 200;


Pixels Noise(size_t count, uint32_t seed) {
  Pixels pixels(count);
  for (uint32_t& pixel : pixels) {
    seed = seed * 1103515245 + 12345;
    pixel = seed >> 8;
  }
  return pixels;
}

// Frame keys of the usual kind: outside green beyond a circle, photo inside a smaller one.
Pixels Ring(int side) {
  Pixels keys(static_cast<size_t>(side) * side);
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      const int dx = 2 * x + 1 - side, dy = 2 * y + 1 - side, d = dx * dx + dy * dy;
      keys[static_cast<size_t>(y) * side + x] = d >= side * side * 81 / 100 ? OUTSIDE_KEY
                                                : d < side * side * 36 / 100 ? PHOTO_KEY
                                                                             : 0x00806040;
    }
  }
  return keys;
}

}  // namespace

int main() {
  std::printf("pixel loops, %dx%d window, medians of %d runs\n", SIDE, SIDE, RUNS);
  const Pixels large = Noise(4000 * 3000, 1);
  PhotoReductions reductions;
  const double build = MedianOf(5, [&](int) { BuildPhotoReductions(large.data(), 4000, 3000, reductions); });
  std::printf("  reductions of a 4000x3000 photo: %.2f ms (median of 5)\n", build);

  Pixels out(SIDE * SIDE);
  const PixelLevel& level = LevelForSquare(reductions, 4000, SIDE);
  std::printf("  4000x3000 photo fully zoomed out, from its %dx%d reduction: %.3f ms\n", level.width, level.height,
              MedianOf(RUNS, [&](int i) {
                AreaAverage(level, 4000, 3000, {i % 2, 0, 4000, 4000}, out.data(), SIDE, SIDE);
              }));
  const Pixels small = Noise(87 * 127, 3);
  std::printf("  default photo 87x127 enlarged: %.3f ms\n", MedianOf(RUNS, [&](int i) {
                AreaAverage({small.data(), 87, 127, 0}, 87, 127, {i % 2, 0, 87, 87}, out.data(), SIDE, SIDE);
              }));

  const Pixels keys = Ring(SIDE), artwork = Noise(SIDE * SIDE, 2);
  auto region = std::make_unique<RegionBlock>();
  std::printf("  outline scan with composition: %.3f ms\n", MedianOf(RUNS, [&](int) {
                ScanOutline(keys.data(), SIDE, SIDE, region.get(), out.data(), artwork.data());
              }));
  Pixels scaled(SIDE * SIDE);
  std::printf("  frame keys by the AND rule, 256x256 to 255x255: %.3f ms\n", MedianOf(RUNS, [&](int) {
                ReduceByAnd(keys.data(), SIDE, SIDE, scaled.data(), SIDE - 1, SIDE - 1);
              }));
  IconPixels icon;
  std::printf("  icon pixels: %.3f ms\n", MedianOf(RUNS, [&](int) {
                ComposeIconPixels(out.data(), keys.data(), artwork.data(), SIDE, SIDE, 32, icon);
              }));
  return 0;
}
