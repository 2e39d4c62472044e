#include <gtest/gtest.h>

#include "app/ids.h"
#include "framewindow/placement_rules.h"

namespace {

TEST(ZoomAmount, FollowsTheVerticalMovement) {
  EXPECT_EQ(ZoomAmount(0, 6), 6);
  EXPECT_EQ(ZoomAmount(-3, -7), -3);
  EXPECT_EQ(ZoomAmount(-7, -3), -3);
  EXPECT_EQ(ZoomAmount(-9, 4), 4);
  EXPECT_EQ(ZoomAmount(-2, 4), 2);
  EXPECT_EQ(ZoomAmount(9, -4), -4);
  EXPECT_EQ(ZoomAmount(9, 0), 0);
  EXPECT_EQ(ZoomAmount(-9, 0), 0);
  EXPECT_EQ(ZoomAmount(0, 0), 0);
}

PhotoView Zoomed(PhotoView view, int32_t d) {
  ZoomView(view, d);
  return view;
}

TEST(ZoomView, ZoomsAboutTheCentreOfTheShownArea) {
  const PhotoView in = Zoomed({128, 168, -21, -11}, 6);
  EXPECT_EQ(in.wideSide, 122);
  EXPECT_EQ(in.highSide, 162);
  EXPECT_EQ(in.left, -18);
  EXPECT_EQ(in.top, -8);
  const PhotoView out = Zoomed({128, 168, -21, -11}, -3);
  EXPECT_EQ(out.wideSide, 131);
  EXPECT_EQ(out.highSide, 171);
  EXPECT_EQ(out.left, -23);
  EXPECT_EQ(out.top, -13);
  EXPECT_EQ(Zoomed({128, 168, -21, -11}, 5).left, -19);
}

TEST(ZoomView, ClampsEachSideOnItsOwnAndThenKeepsThatAxisStill) {
  const PhotoView small = Zoomed({12, 100, 40, 50}, 6);
  EXPECT_EQ(small.wideSide, 10);
  EXPECT_EQ(small.left, 40);
  EXPECT_EQ(small.highSide, 94);
  EXPECT_EQ(small.top, 53);
  const PhotoView large = Zoomed({2046, 2040, 0, 0}, -4);
  EXPECT_EQ(large.wideSide, 2048);
  EXPECT_EQ(large.left, 0);
  EXPECT_EQ(large.highSide, 2044);
  EXPECT_EQ(large.top, -2);
}

TEST(ZoomView, AStepOfNothingBringsAnOversizedNewPhotoIntoRange) {
  const PhotoView wide = Zoomed({5000, 3000, 0, 0}, 0);
  EXPECT_EQ(wide.wideSide, 2048);
  EXPECT_EQ(wide.highSide, 2048);
  EXPECT_EQ(wide.left, 0);
  const PhotoView inRange = Zoomed({128, 168, -21, -11}, 0);
  EXPECT_EQ(inRange.wideSide, 128);
  EXPECT_EQ(inRange.left, -21);
}

TEST(PanView, MovesTheShownAreaAgainstTheCursor) {
  PhotoView view = {128, 168, -21, -11};
  PanView(view, 5, -7);
  EXPECT_EQ(view.left, -26);
  EXPECT_EQ(view.top, -4);
  EXPECT_EQ(view.wideSide, 128);
}

void ExpectBox(WindowBox box, int32_t left, int32_t top, int32_t width, int32_t height) {
  EXPECT_EQ(box.left, left);
  EXPECT_EQ(box.top, top);
  EXPECT_EQ(box.width, width);
  EXPECT_EQ(box.height, height);
}

constexpr int16_t GROW = -1;
constexpr int16_t SHRINK = 1;

TEST(ResizeStep, GrowsAndShrinksAboutTheCentre) {
  ExpectBox(ResizeStep(500, 300, 600, 400, GROW), 498, 298, 104, 104);
  ExpectBox(ResizeStep(500, 300, 600, 400, SHRINK), 502, 302, 96, 96);
  ExpectBox(ResizeStep(500, 300, 600, 400, 0), 502, 302, 96, 96);
}

TEST(ResizeStep, ClampedSidesKeepTheirCorner) {
  ExpectBox(ResizeStep(10, 20, 264, 274, GROW), 10, 20, 256, 256);
  ExpectBox(ResizeStep(10, 20, 266, 276, GROW), 10, 20, 256, 256);
  ExpectBox(ResizeStep(10, 20, 44, 54, SHRINK), 10, 20, 32, 32);
  ExpectBox(ResizeStep(0, 0, 300, 200, SHRINK), 0, 2, 256, 196);
}

TEST(FramePaging, StopsAtBothEndsWithoutWrapping) {
  EXPECT_EQ(NextFrameId(2008), 2009);
  EXPECT_EQ(PreviousFrameId(2008), 2007);
  EXPECT_EQ(PreviousFrameId(FRAME_ID_FIRST), FRAME_ID_FIRST);
  EXPECT_EQ(NextFrameId(FRAME_ID_LAST), FRAME_ID_LAST);
  EXPECT_EQ(PreviousFrameId(FRAME_ID_CUSTOM), FRAME_ID_FIRST);
  EXPECT_EQ(NextFrameId(FRAME_ID_CUSTOM), FRAME_ID_LAST);
}

TEST(FramePaging, AStoredIdOutsideTheRangeStepsIntoIt) {
  for (int32_t stored : {0, 5, 1999, 2091, 99999, -2, INT32_MIN, INT32_MAX}) {
    const int32_t previous = PreviousFrameId(stored);
    const int32_t next = NextFrameId(stored);
    EXPECT_GE(previous, FRAME_ID_FIRST) << stored;
    EXPECT_LE(previous, FRAME_ID_LAST) << stored;
    EXPECT_GE(next, FRAME_ID_FIRST) << stored;
    EXPECT_LE(next, FRAME_ID_LAST) << stored;
  }
}

}  // namespace
