// Panning, resize steps and drops through the frame window's messages.
#include <algorithm>

#include "app/display_scale.h"
#include "app/scale_rules.h"
#include "app/texts.h"
#include "framewindow/photo_placement.h"
#include "tests/wine/frame_window_fixture.h"

namespace {

using PlacementTest = FrameWindowTest;

// As another desktop with the input would: no position, whatever the point holds.
BOOL WINAPI FailCursorQuery(LPPOINT point) {
  *point = {10000, 10000};
  return FALSE;
}

// Each step from where the one before left the window. Sides and steps are
// 96-DPI units (the suite runs again at 144 and 192 DPI): the window's pixels
// are the stored sides scaled, its position stays in screen pixels.
TEST_F(PlacementTest, KeysTheWheelAndTheResizeMessageResizeByFourUnitsAboutTheCentre) {
  WriteDword("X1", 500);
  WriteDword("Y1", 300);
  Start();
  const int dpi = DpiOfWindow(FrameWindow);
  const LONG centre = 500 + ScaleToDpi(100, dpi) / 2, middle = 300 + ScaleToDpi(100, dpi) / 2;
  // Two notches of the wheel at once are one step.
  const struct { UINT message; WPARAM wParam; int32_t side; } steps[] = {
      {WM_KEYDOWN, VK_ADD, 104}, {WM_KEYDOWN, VK_OEM_MINUS, 100}, {WM_KEYDOWN, VK_SUBTRACT, 96},
      {WM_MOUSEWHEEL, MAKEWPARAM(0, 240), 92}, {WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 96},
      {MSG_RESIZE_STEP, 0xFFFF0000, 100}};
  for (const auto& step : steps) {
    Send(step.message, step.wParam, 1);
    const LONG pixels = ScaleToDpi(step.side, dpi);
    EXPECT_EQ(std::tuple(Placed(), Settings.W1), std::tuple(Box{centre - pixels / 2, middle - pixels / 2, pixels, pixels}, step.side))
        << step.message << " " << step.wParam;
  }
}

TEST_F(PlacementTest, ACtrlDragPansOnePhotoPixelPerScreenPixelUntilTheCaptureGoes) {
  Start();
  SetCursorPos(400, 400);
  Send(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL | MK_SHIFT, 0);
  EXPECT_EQ(GetCapture(), FrameWindow);
  // Each move counts from the one before: by 5,7 and then by -2,1.
  for (const POINT to : {POINT{405, 407}, POINT{403, 408}}) {
    SetCursorPos(to.x, to.y);
    Send(WM_MOUSEMOVE, MK_LBUTTON, 0);
  }
  EXPECT_EQ(std::tuple(Settings.X2, Settings.Y2, Settings.W3), std::tuple(-21 - 3, -11 - 8, 128)) << "Ctrl over Shift";
  // A step whose cursor cannot be read (another desktop has the input) is left out.
  CursorPosCall = FailCursorQuery;
  Send(WM_MOUSEMOVE, MK_LBUTTON, 0);
  CursorPosCall = GetCursorPos;
  EXPECT_EQ(std::pair(Settings.X2, Settings.Y2), std::pair(-24, -19));
  ReleaseCapture();
  SetCursorPos(413, 418);
  Send(WM_MOUSEMOVE, MK_LBUTTON, 0);
  EXPECT_EQ(Settings.X2, -24) << "a lost capture ends the drag";
}

// Several files dropped at once are a slideshow in name order, other files
// left out; it is kept as the set dropped.
TEST_F(PlacementTest, SeveralDroppedPicturesAreASlideshowInNameOrderAndTheWindowComesForward) {
  std::string images = CHERIMO_CORPUS_DIR "\\images\\";
  std::replace(images.begin(), images.end(), '/', '\\');
  const std::wstring wide(images.begin(), images.end());
  Start();
  EXPECT_EQ(Send(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({wide + L"photo.png", wide + L"keys.png", L"C:\\a.txt",
                                                                   wide + L"photo.jpg"}))), 0);
  std::string shown = Settings.Photo;
  for (int step = 0; step < 3; ++step) {
    Send(WM_KEYDOWN, VK_RIGHT);
    shown += std::string("|") + Settings.Photo;
  }
  EXPECT_EQ(shown, images + "keys.png|" + images + "photo.jpg|" + images + "photo.png|" + images + "keys.png");
  EXPECT_EQ(GetForegroundWindow(), FrameWindow);
  SyncSettings(1);
  const std::string set = images + "photo.png" + '\0' + images + "keys.png" + '\0' + images + "photo.jpg" + '\0' + '\0';
  EXPECT_EQ(ReadRegValue(TEXT_SETTINGS_KEY, "SlideFiles"), (RegValue{true, REG_MULTI_SZ, set}));
  // A picture dropped with a file that is none shows alone and ends the set.
  Send(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({wide + L"photo.png", L"C:\\a.txt"})));
  SyncSettings(1);
  EXPECT_FALSE(ReadRegValue(TEXT_SETTINGS_KEY, "SlideFiles").present);
}

}  // namespace
