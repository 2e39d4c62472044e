// Thousands of recompositions and photo and frame changes hold no more
// memory and no more graphics objects at the end than at the start.
#include <windows.h>

#include <psapi.h>

#include <tuple>

#include "app/settings.h"
#include "imaging/frame_icon.h"
#include "imaging/surface.h"
#include "tests/wine/imaging_fixture.h"

namespace {

using ImagingLeakTest = ImagingProgramTest;

// What the program holds: surfaces and icons alive, and its private memory.
struct Holdings {
  long surfaces, icons;
  SIZE_T bytes;
};
Holdings Now() {
  PROCESS_MEMORY_COUNTERS_EX memory = {};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
  return {SurfaceCounts.made - SurfaceCounts.released, FrameIconCounts.made - FrameIconCounts.destroyed,
          memory.PrivateUsage};
}

TEST_F(ImagingLeakTest, TenThousandRecompositionsAndAThousandPictureChangesHoldNothingMore) {
  // Photo and frame pairs, the last one bad.
  const char* const pictures[][2] = {{"images/photo.jpg", "images/frame.png"},
                                     {"images/halves.png", "images/frame-large.png"},
                                     {"bad/truncated.png", "bad/truncated.png"}};
  // Every tenth step changes photo and frame; every step pans, every 50th
  // zooms, every 100th resizes: the composition, the scaled frame, the
  // region and the icon are all remade along the way.
  auto step = [&](int i) {
    if (i % 10 == 0) {
      Send(MSG_SET_PHOTO, pictures[i / 10 % 3][0]);
      Send(MSG_SET_FRAME, pictures[i / 10 % 3][1]);
    }
    Settings.X2 = i % 97 - 40;
    if (i % 50 == 0) Settings.W3 = Settings.H3 = 300 + i % 400;
    if (i % 100 == 0) ResizeClient(i % 200 == 0 ? 256 : 180, i % 200 == 0 ? 256 : 150);
    SendMessageA(FrameWindow, MSG_RECOMPOSE, 0, 0);
  };
  // A while to let caches fill, then many times more.
  for (int i = 0; i < 200; ++i) step(i);
  const Holdings before = Now();
  for (int i = 0; i < 10000; ++i) step(i);
  const Holdings after = Now();
  EXPECT_EQ(std::tuple(before.icons, after.surfaces, after.icons), std::tuple(1L, before.surfaces, 1L));
  EXPECT_LT(after.bytes, before.bytes + (4 << 20)) << before.bytes << " -> " << after.bytes;
}

}  // namespace
