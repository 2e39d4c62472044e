#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <tuple>
#include <initializer_list>
#include <vector>
#include <utility>

#include "app/ids.h"
#include "app/scale_rules.h"
#include "framewindow/placement_rules.h"

namespace {

bool operator==(const PhotoView& a, const PhotoView& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// A zoom step from a view on a photo in a window, the view it gives.
PhotoView Zoomed(PhotoView view, std::initializer_list<int32_t> steps, DragMeasures measures) {
  ZoomDrag drag = StartZoomDrag(view);
  for (const int32_t d : steps) ZoomView(view, d, measures, drag);
  return view;
}

// A drag's zoom follows its vertical movement: every pixel scales the side by
// the same factor about the centre, from 10 photo pixels to the whole photo,
// and the drag back returns to where it started; a new photo fills the view.
TEST(ZoomView, ScalesInProportionAboutTheCentreWithinItsLimitsAndReturnsOnTheWayBack) {
  const int32_t drags[][3] = {{0, 6, 6},  {-3, -7, -3}, {-7, -3, -3}, {-9, 4, 4}, {-2, 4, 2},
                              {9, -4, -4}, {9, 0, 0},    {-9, 0, 0},   {0, 0, 0}};
  for (const auto& [dx, dy, amount] : drags) EXPECT_EQ(ZoomAmount(dx, dy), amount) << dx << "," << dy;
  const DragMeasures camera = {200, 200, 4000, 3000};
  const struct { PhotoView view; std::initializer_list<int32_t> steps; DragMeasures measures; PhotoView zoomed; } cases[] = {
      // The first step from a new photo's view: 10 pixels scale the side by 2^-0.1, no jump.
      {{3000, 3000, 500, 0}, {10}, camera, {2799, 2799, 601, 101}},
      {{3000, 3000, 0, 500}, {10}, {200, 200, 3000, 4000}, {2799, 2799, 101, 601}},
      {{1500, 1500, 3250, 0}, {10}, {200, 200, 8000, 1500}, {1400, 1400, 3300, 50}},
      {{30, 30, 5, 0}, {10}, {200, 200, 40, 30}, {28, 28, 6, 1}},
      // 100 pixels down show half as much, 100 up twice as much, in one step or many.
      {{3000, 3000, 500, 0}, {100}, camera, {1500, 1500, 1250, 750}},
      {{1500, 1500, 1250, 750}, {-25, -25, -25, -25}, camera, {3000, 3000, 500, 0}},
      // The limits: 10 pixels across, then the whole photo, centred where the square is larger.
      {{3000, 3000, 500, 0}, {1000}, camera, {10, 10, 1995, 1495}},
      {{3000, 3000, 500, 0}, {-1000}, camera, {4000, 4000, 0, -500}},
      {{30, 30, 5, 0}, {-1000}, {200, 200, 40, 30}, {40, 40, 0, -5}},
      // Past a limit and back: the way back starts at once.
      {{3000, 3000, 500, 0}, {-1000, 10}, camera, {3732, 3732, 134, -366}},
      // Zoomed out from a corner, the square keeps to the photo.
      {{1500, 1500, 0, 0}, {-50}, camera, {2121, 2121, 0, 0}},
      // A side stored beyond the whole photo is kept until the drag turns back; a
      // view stored past the photo's edge moves about its centre.
      {{5000, 5000, -500, -1000}, {-10}, camera, {5000, 5000, -500, -1000}},
      {{5000, 5000, -500, -1000}, {10}, camera, {4665, 4665, -332, -832}},
      {{128, 168, -21, -11}, {20}, {100, 100, 87, 127}, {111, 146, -13, -3}},
      // A tall window shows the high side.
      {{100, 60, 10, 10}, {100}, {100, 200, 400, 300}, {50, 30, 25, 25}},
  };
  for (const auto& c : cases) {
    const PhotoView got = Zoomed(c.view, c.steps, c.measures);
    EXPECT_TRUE(got == c.zoomed) << c.view.wideSide << " by " << *c.steps.begin() << ": " << got.wideSide << " "
                                 << got.highSide << " " << got.left << " " << got.top;
  }
  // Down and back up in two drags of small steps: within a pixel of the start.
  PhotoView view = {3000, 3000, 500, 0};
  view = Zoomed(view, {3, 7, 1, 2, 9, 4, 5, 6, 8, 3, 2}, camera);
  view = Zoomed(view, {-3, -7, -1, -2, -9, -4, -5, -6, -8, -3, -2}, camera);
  EXPECT_EQ(std::tuple(view.wideSide, view.highSide, std::abs(view.left - 500) <= 1, view.top), std::tuple(3000, 3000, true, 0));

  // A new photo shows its largest centred square.
  const struct { int32_t width, height; PhotoView view; } photos[] = {
      {3000, 2000, {2000, 2000, 500, 0}}, {2000, 3001, {2000, 2000, 0, 500}}, {640, 640, {640, 640, 0, 0}},
      {3000, 1, {1, 1, 1499, 0}},         {1, 1, {1, 1, 0, 0}},             {87, 127, {87, 87, 0, 20}}};
  for (const auto& c : photos) EXPECT_TRUE(FillingView(c.width, c.height) == c.view) << c.width << "x" << c.height;
}

// A pan moves the picture with the pointer at every zoom and scale, carries
// the fractions of a slow drag, and stops at the photo's edge.
TEST(PanView, FollowsThePointerCarriesFractionsAndStopsAtThePhotosEdge) {
  const struct { PhotoView view; std::vector<std::pair<int32_t, int32_t>> moves; DragMeasures measures; PhotoView panned; } cases[] = {
      // 20 pixels in a 200-pixel window showing 3000 photo pixels: 300 of them; the same at 150 %.
      {{3000, 3000, 500, 0}, {{20, 0}}, {200, 200, 4000, 3000}, {3000, 3000, 200, 0}},
      {{3000, 3000, 500, 0}, {{30, 0}}, {300, 300, 4000, 3000}, {3000, 3000, 200, 0}},
      {{300, 300, 1000, 1000}, {{-20, 20}, {5, -5}}, {200, 200, 4000, 3000}, {300, 300, 1023, 977}},
      // A slow drag: 1/20 of a photo pixel per move, carried until it makes one.
      {{10, 10, 100, 100}, std::vector<std::pair<int32_t, int32_t>>(19, {1, -1}), {200, 200, 400, 300}, {10, 10, 100, 100}},
      {{10, 10, 100, 100}, std::vector<std::pair<int32_t, int32_t>>(20, {1, -1}), {200, 200, 400, 300}, {10, 10, 99, 101}},
      // Stopped at the edge, the way back starts at once; vertically the square fills the photo and stays.
      {{3000, 3000, 500, 0}, {{40, 0}, {-1, 9}}, {199, 199, 4000, 3000}, {3000, 3000, 15, 0}},
      // Larger than the photo: centred, however it is dragged.
      {{4000, 4000, 0, -500}, {{50, 50}}, {200, 200, 4000, 3000}, {4000, 4000, 0, -500}},
      // The default view lies past the default photo: it moves only back towards it.
      {{128, 168, -21, -11}, {{12, -9}}, {100, 100, 87, 127}, {128, 168, -21, 0}},
      {{128, 168, -21, -11}, {{-12, 9}}, {100, 100, 87, 127}, {128, 168, -20, -11}},
      // A tall window measures each axis by its own pixels and shows the high side.
      {{100, 60, 100, 100}, {{10, 10}}, {100, 200, 400, 300}, {100, 60, 94, 97}},
  };
  for (const auto& c : cases) {
    PhotoView view = c.view;
    PanDrag drag = {};
    for (const auto& [dx, dy] : c.moves) PanView(view, dx, dy, c.measures, drag);
    EXPECT_TRUE(view == c.panned) << c.view.left << "," << c.view.top << ": " << view.left << "," << view.top;
  }
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
