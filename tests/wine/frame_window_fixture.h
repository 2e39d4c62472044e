// The frame window of a real start-up, in this process, against a private
// registry. Settings written before Start() are what the program loads.
#pragma once
#include <gtest/gtest.h>

#include "app/program.h"
#include "app/settings.h"
#include "framewindow/frame_window.h"
#include "tests/wine/harness.h"

class FrameWindowTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(RedirectCurrentUser()); }
  void TearDown() override {
    if (IsWindow(FrameWindow)) DestroyWindow(FrameWindow);
    RestoreCurrentUser();
  }

  void Start() {
    ASSERT_EQ(StartProgram(), 1);
    ASSERT_TRUE(WaitUntil([] { return IsWindowVisible(FrameWindow) != 0; }));
  }

  static RECT WindowRect() {
    RECT rect;
    GetWindowRect(FrameWindow, &rect);
    return rect;
  }
  static Box Placed() { return BoxOf(FrameWindow); }

  static LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageA(FrameWindow, message, wParam, lParam);
  }
};
