#include <gtest/gtest.h>

#include "app/startup_rules.h"

namespace {

TEST(EndsWithHiddenSwitch, MatchesOnlyTheExactEndOfTheCommandLine) {
  EXPECT_TRUE(EndsWithHiddenSwitch("\"C:\\Program Files\\cherimo.exe\" /a"));
  EXPECT_TRUE(EndsWithHiddenSwitch("cherimo.exe/a"));
  EXPECT_TRUE(EndsWithHiddenSwitch("/a"));
  EXPECT_FALSE(EndsWithHiddenSwitch("cherimo.exe /A"));
  EXPECT_FALSE(EndsWithHiddenSwitch("cherimo.exe /a "));
  EXPECT_FALSE(EndsWithHiddenSwitch("cherimo.exe /a x"));
  EXPECT_FALSE(EndsWithHiddenSwitch("a"));
  EXPECT_FALSE(EndsWithHiddenSwitch(""));
}

bool Same(ScreenRect a, ScreenRect b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(MoveOntoWorkArea, BringsARectFromAGoneDisplayBackWithItsSize) {
  const ScreenRect work = {0, 0, 1280, 984};
  EXPECT_TRUE(Same(MoveOntoWorkArea({3000, 40, 3100, 140}, work), {1180, 40, 1280, 140}));
  EXPECT_TRUE(Same(MoveOntoWorkArea({-2000, -500, -1744, -244}, work), {0, 0, 256, 256}));
  EXPECT_TRUE(Same(MoveOntoWorkArea({500, 5000, 600, 5100}, work), {500, 884, 600, 984}));
}

TEST(MoveOntoWorkArea, KeepsTheTopLeftOnTheAreaWhenTheWindowIsLarger) {
  EXPECT_TRUE(Same(MoveOntoWorkArea({900, 900, 1156, 1156}, {0, 0, 200, 150}), {0, 0, 256, 256}));
}

TEST(MoveOntoWorkArea, LeavesARectAlreadyInsideAlone) {
  const ScreenRect work = {0, 0, 1280, 984};
  EXPECT_TRUE(Same(MoveOntoWorkArea({10, 32, 110, 132}, work), {10, 32, 110, 132}));
}

}  // namespace
