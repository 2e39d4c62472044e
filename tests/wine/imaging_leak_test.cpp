// Thousands of recompositions and photo and frame changes hold no more
// memory and no more graphics objects at the end than at the start.
#include <windows.h>
#include <psapi.h>

#include "app/settings.h"
#include "imaging/frame_icon.h"
#include "imaging/surface.h"
#include "tests/wine/imaging_fixture.h"

namespace {

using ImagingLeakTest = ImagingProgramTest;

SIZE_T PrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX counters = {};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
  return counters.PrivateUsage;
}

// What the program holds: surfaces and icons alive, and its private memory.
struct Holdings {
  long surfaces, icons;
  SIZE_T bytes;
};
Holdings Now() {
  return {SurfaceCounts.made - SurfaceCounts.released, FrameIconCounts.made - FrameIconCounts.destroyed,
          PrivateBytes()};
}

constexpr SIZE_T ALLOWED_GROWTH = 4 << 20;

// Runs the step a while to let caches fill, then many times more: what the
// program holds afterwards must be what it held before.
template <typename Step>
void ExpectNothingMoreHeldAfter(int warmUp, int count, Step step) {
  for (int i = 0; i < warmUp; ++i) step(i);
  const Holdings before = Now();
  for (int i = 0; i < count; ++i) step(i);
  const Holdings after = Now();
  EXPECT_EQ(after.surfaces, before.surfaces);
  EXPECT_EQ(before.icons, 1);
  EXPECT_EQ(after.icons, 1);
  EXPECT_LT(after.bytes, before.bytes + ALLOWED_GROWTH) << before.bytes << " -> " << after.bytes;
}

TEST_F(ImagingLeakTest, TenThousandRecompositionsHoldNothingMore) {
  Send(MSG_SET_PHOTO, "images/photo.png");
  Send(MSG_SET_FRAME, "images/frame.png");
  // Every step pans, every 50th zooms, every 100th resizes: the composition,
  // the scaled frame, the region and the icon are all remade along the way.
  auto step = [](int i) {
    Settings.X2 = i % 97 - 40;
    if (i % 50 == 0) Settings.W3 = Settings.H3 = 300 + i % 400;
    if (i % 100 == 0) ResizeClient(i % 200 == 0 ? 256 : 180, i % 200 == 0 ? 256 : 150);
    SendMessageA(FrameWindow, MSG_RECOMPOSE, 0, 0);
  };
  ExpectNothingMoreHeldAfter(200, 10000, step);
}

TEST_F(ImagingLeakTest, AThousandPhotoAndFrameChangesHoldNothingMore) {
  const char* const photos[] = {"images/photo.jpg", "images/halves.png"};
  const char* const frames[] = {"images/frame.png", "images/frame-large.png"};
  const char* const bad = "bad/truncated.png";
  auto change = [&](int i) {
    Send(MSG_SET_PHOTO, photos[i % 2]);
    Send(MSG_SET_FRAME, frames[i / 2 % 2]);
    if (i % 10 == 0) {
      Send(MSG_SET_PHOTO, bad);
      Send(MSG_SET_FRAME, bad);
    }
  };
  ExpectNothingMoreHeldAfter(50, 1000, change);
}

}  // namespace
