// Panning, zooming, resize steps, keys and drops through the frame window's messages.
#include <shlobj.h>

#include <cstring>
#include <string>

#include "framewindow/photo_placement.h"
#include "tests/wine/frame_window_fixture.h"

namespace {

class PlacementTest : public FrameWindowTest {
 protected:
  // A drag as the mouse makes it: press at the cursor, then moves of the
  // cursor in screen coordinates.
  static void PressAt(POINT point, WPARAM keys) {
    SetCursorPos(point.x, point.y);
    Send(WM_LBUTTONDOWN, MK_LBUTTON | keys, 0);
  }
  static void MoveBy(POINT& point, int dx, int dy) {
    point.x += dx;
    point.y += dy;
    SetCursorPos(point.x, point.y);
    Send(WM_MOUSEMOVE, MK_LBUTTON, 0);
  }

};

// Each step from where the one before left the window.
TEST_F(PlacementTest, KeysAndTheWheelResizeByFourPixelsAboutTheCentreAndStopAtTheLimits) {
  WriteDword("X1", 500);
  WriteDword("Y1", 300);
  Start();
  const struct {
    UINT message;
    WPARAM wParam;
    Box after;
  } steps[] = {
      {WM_KEYDOWN, VK_ADD, {498, 298, 104, 104}},
      {WM_KEYDOWN, VK_OEM_MINUS, {500, 300, 100, 100}},
      {WM_KEYDOWN, VK_OEM_PLUS, {498, 298, 104, 104}},
      {WM_KEYDOWN, VK_SUBTRACT, {500, 300, 100, 100}},
      {WM_MOUSEWHEEL, MAKEWPARAM(0, 120), {502, 302, 96, 96}},
      {WM_MOUSEWHEEL, MAKEWPARAM(0, 240), {504, 304, 92, 92}},
      {WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), {502, 302, 96, 96}},
      {MSG_RESIZE_STEP, 0xFFFF0000, {500, 300, 100, 100}},
  };
  for (const auto& step : steps) {
    Send(step.message, step.wParam, 1);
    EXPECT_EQ(Placed(), step.after) << step.message << " " << step.wParam;
    EXPECT_EQ((Box{Settings.X1, Settings.Y1, Settings.W1, Settings.H1}), step.after) << "every step is stored";
  }
  MoveWindow(FrameWindow, 100, 100, 254, 254, TRUE);
  Send(WM_KEYDOWN, VK_ADD, 1);
  EXPECT_EQ(Placed(), (Box{100, 100, 256, 256})) << "the last step stops at the limit, the corner stays";
  Send(WM_KEYDOWN, VK_ADD, 1);
  EXPECT_EQ(Placed(), (Box{100, 100, 256, 256}));
  MoveWindow(FrameWindow, 100, 100, 34, 34, TRUE);
  Send(WM_KEYDOWN, VK_SUBTRACT, 1);
  EXPECT_EQ(Placed(), (Box{100, 100, 32, 32}));
}

TEST_F(PlacementTest, ACtrlDragPansOnePhotoPixelPerScreenPixelUntilTheCaptureGoes) {
  Start();
  POINT cursor = {400, 400};
  PressAt(cursor, MK_CONTROL | MK_SHIFT);
  EXPECT_EQ(GetCapture(), FrameWindow);
  MoveBy(cursor, 5, 7);
  MoveBy(cursor, -2, 1);
  EXPECT_EQ(Settings.X2, -21 - 3);
  EXPECT_EQ(Settings.Y2, -11 - 8);
  EXPECT_EQ(Settings.W3, 128) << "Ctrl wins over Shift";
  ReleaseCapture();
  MoveBy(cursor, 10, 10);
  EXPECT_EQ(Settings.X2, -24) << "a lost capture ends the drag";

  PressAt(cursor, MK_SHIFT);
  MoveBy(cursor, 0, 6);
  EXPECT_EQ(Settings.W3, 122);
  Send(WM_LBUTTONUP);
  EXPECT_EQ(GetCapture(), nullptr);
  MoveBy(cursor, 0, 6);
  EXPECT_EQ(Settings.W3, 122) << "the release ends the drag";
}

TEST_F(PlacementTest, PageKeysStepThroughTheFramesWithoutWrapping) {
  WriteDword("FrameID", 2001);
  Start();
  Send(WM_KEYDOWN, VK_PRIOR, 1);
  EXPECT_EQ(Settings.FrameID, 2000);
  Send(WM_KEYDOWN, VK_PRIOR, 1);
  EXPECT_EQ(Settings.FrameID, 2000);
  Send(WM_KEYDOWN, VK_NEXT, 1);
  EXPECT_EQ(Settings.FrameID, 2001);
}

TEST_F(PlacementTest, EscapeAndADoubleClickPutTheWindowAway) {
  Start();
  EXPECT_EQ(Send(WM_KEYDOWN, VK_ESCAPE, 1), 0);
  EXPECT_EQ(Settings.Show, 2);
  EXPECT_FALSE(IsWindowVisible(FrameWindow));
  Send(MSG_SET_SHOW_STATE, 1);
  Send(WM_LBUTTONDBLCLK, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(Settings.Show, 2);
  EXPECT_FALSE(IsWindowVisible(FrameWindow));
}

TEST_F(PlacementTest, OfSeveralDroppedFilesTheFirstIsTakenAndTheWindowComesForward) {
  Start();
  EXPECT_EQ(Send(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({L"C:\\photos\\first.jpg", L"C:\\photos\\second.jpg"}))), 0);
  EXPECT_STREQ(FileNameBuffer, "C:\\photos\\first.jpg");
  EXPECT_EQ(GetForegroundWindow(), FrameWindow);
}

}  // namespace
