#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "app/ids.h"
#include "app/scale_rules.h"
#include "framewindow/placement_rules.h"

namespace {

bool operator==(const PhotoView& a, const PhotoView& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// A drag's zoom follows its vertical movement; the zoom is about the centre, and a clamped side keeps its corner;
// a new photo fills the view.
TEST(ZoomView, FollowsTheVerticalMovementZoomsAboutTheCentreAClampedSideKeepsItsCornerANewPhotoFills) {
  const int32_t drags[][3] = {{0, 6, 6},  {-3, -7, -3}, {-7, -3, -3}, {-9, 4, 4}, {-2, 4, 2},
                              {9, -4, -4}, {9, 0, 0},    {-9, 0, 0},   {0, 0, 0}};
  for (const auto& [dx, dy, amount] : drags) EXPECT_EQ(ZoomAmount(dx, dy), amount) << dx << "," << dy;
  const struct { PhotoView view; int32_t d; PhotoView zoomed; } cases[] = {
      {{128, 168, -21, -11}, 6, {122, 162, -18, -8}}, {{128, 168, -21, -11}, -3, {131, 171, -23, -13}},
      {{128, 168, -21, -11}, 5, {123, 163, -19, -9}}, {{128, 168, -21, -11}, 0, {128, 168, -21, -11}},
      // Exactly the smallest side, then exactly the largest; an oversized new photo comes into range.
      {{12, 100, 40, 50}, 6, {10, 94, 40, 53}}, {{16, 100, 40, 50}, 6, {10, 94, 43, 53}},
      {{2046, 2040, 0, 0}, -4, {2048, 2044, 0, -2}}, {{2044, 2040, 0, 0}, -4, {2048, 2044, -2, -2}},
      {{5000, 3000, 7, 7}, 0, {2048, 2048, 7, 7}}};
  for (const auto& c : cases) {
    PhotoView view = c.view;
    ZoomView(view, c.d);
    EXPECT_TRUE(view == c.zoomed) << c.view.wideSide << " by " << c.d << ": " << view.wideSide << " " << view.left;
  }
  PhotoView panned = {128, 168, -21, -11};
  PanView(panned, 5, -7);
  EXPECT_TRUE(panned == (PhotoView{128, 168, -26, -4}));

  // A new photo shows its largest centred square.
  const struct { int32_t width, height; PhotoView view; } photos[] = {
      {3000, 2000, {2000, 2000, 500, 0}}, {2000, 3001, {2000, 2000, 0, 500}}, {640, 640, {640, 640, 0, 0}},
      {3000, 1, {1, 1, 1499, 0}},         {1, 1, {1, 1, 0, 0}},             {87, 127, {87, 87, 0, 20}}};
  for (const auto& c : photos) EXPECT_TRUE(FillingView(c.width, c.height) == c.view) << c.width << "x" << c.height;
}

// Steps and sides follow the display's scale, which rounds to the nearest pixel and back to the same units.
TEST(ResizeStep, ResizesAboutTheCentreAClampedSideKeepsItsCornerAndScalingRoundsToTheNearestPixel) {
  constexpr int16_t GROW = -1, SHRINK = 1;
  const struct { int32_t left, top, right, bottom; int16_t direction; int32_t dpi; WindowBox box; } cases[] = {
      {500, 300, 600, 400, GROW, 96, {498, 298, 104, 104}}, {500, 300, 600, 400, SHRINK, 96, {502, 302, 96, 96}},
      // No direction shrinks; grows to exactly the largest side, shrinks to exactly the smallest.
      {500, 300, 600, 400, 0, 96, {502, 302, 96, 96}}, {10, 20, 262, 272, GROW, 96, {8, 18, 256, 256}},
      {10, 20, 264, 274, GROW, 96, {10, 20, 256, 256}}, {10, 20, 46, 56, SHRINK, 96, {12, 22, 32, 32}},
      {10, 20, 44, 54, SHRINK, 96, {10, 20, 32, 32}}, {0, 0, 300, 200, SHRINK, 96, {0, 2, 256, 196}},
      // Steps and limits grow with the scale: 6 pixels at 150 %, 5 at 125 %, sides up to 384 and 512.
      {500, 300, 650, 450, GROW, 144, {497, 297, 156, 156}}, {500, 300, 625, 425, SHRINK, 120, {502, 302, 120, 120}},
      {0, 0, 381, 381, GROW, 144, {0, 0, 384, 384}}, {0, 0, 506, 60, GROW, 192, {0, -4, 512, 68}},
      {0, 0, 70, 64, SHRINK, 192, {0, 0, 64, 64}},  // 35 units less 4 is 31: clamped at 32
  };
  for (const auto& c : cases) {
    const WindowBox box = ResizeStep(c.left, c.top, c.right, c.bottom, c.direction, c.dpi);
    EXPECT_EQ(std::memcmp(&box, &c.box, sizeof box), 0) << c.right - c.left << "@" << c.dpi << ": " << box.left << " " << box.width;
  }

  const int32_t scaled[][3] = {{100, 96, 100}, {100, 144, 150}, {100, 120, 125}, {101, 120, 126}, {256, 192, 512},
                               {3, 144, 5},    {-3, 144, -5},   {100, 0, 100},   {INT32_MAX, 192, INT32_MAX}};
  for (const auto& [value, dpi, pixels] : scaled) EXPECT_EQ(ScaleToDpi(value, dpi), pixels) << value << "@" << dpi;
  for (const int32_t dpi : {96, 120, 144, 168, 192, 240, 288}) {
    for (int32_t value = -300; value <= 300; ++value) ASSERT_EQ(UnscaleFromDpi(ScaleToDpi(value, dpi), dpi), value) << dpi;
  }
}

TEST(FramePaging, StepsWithinTheBuiltInFramesWithoutWrapping) {
  const int32_t cases[][3] = {{2008, 2007, 2009},         {FRAME_ID_FIRST, FRAME_ID_FIRST, 2001},
                              {FRAME_ID_LAST, 2089, FRAME_ID_LAST}, {FRAME_ID_CUSTOM, FRAME_ID_FIRST, FRAME_ID_LAST},
                              {1999, FRAME_ID_FIRST, FRAME_ID_FIRST}, {2091, FRAME_ID_LAST, FRAME_ID_LAST},
                              {INT32_MIN, FRAME_ID_FIRST, FRAME_ID_FIRST}, {INT32_MAX, FRAME_ID_LAST, FRAME_ID_LAST}};
  for (const auto& [id, previous, next] : cases) {
    EXPECT_EQ((std::pair{PreviousFrameId(id), NextFrameId(id)}), (std::pair{previous, next})) << id;
  }
}

}  // namespace
