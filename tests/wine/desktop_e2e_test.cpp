// The real exe driven as a user drives it: real mouse and keyboard input
// from xdotool on the X display, the registry read after the program ends.
#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <tuple>
#include <vector>

#include "app/ids.h"
#include "tests/wine/program_fixture.h"

namespace {

class DesktopTest : public RealProgramTest {
 protected:
  // One input, then a wait until Wine has taken it, as a hand on the mouse
  // or keyboard would.
  static void Input(const std::string& command, int virtualKey, bool down) {
    ASSERT_TRUE(RunXdotool(command));
    ASSERT_TRUE(WaitUntil([&] { return ((GetAsyncKeyState(virtualKey) & 0x8000) != 0) == down; }));
  }

  // A drag by one or more moves, with a key held or none.
  void Drag(std::initializer_list<POINT> moves, const char* key = nullptr, int virtualKey = 0) const {
    ASSERT_TRUE(OnWindow());
    if (key) Input(std::string("keydown ") + key, virtualKey, true);
    Input("mousedown 1", VK_LBUTTON, true);
    for (const POINT move : moves) {
      POINT start, now;
      GetCursorPos(&start);
      ASSERT_TRUE(RunXdotool("mousemove_relative -- " + std::to_string(move.x) + " " + std::to_string(move.y)));
      ASSERT_TRUE(WaitUntil([&] { return GetCursorPos(&now) && now.x == start.x + move.x && now.y == start.y + move.y; }));
    }
    Input("mouseup 1", VK_LBUTTON, false);
    if (key) Input(std::string("keyup ") + key, virtualKey, false);
  }
};

// Where the camera photo's sharp edge shows on the screen along the window's
// middle row: the first pixel from the left that is light.
LONG EdgeOnScreen(HWND window) {
  const Box box = BoxOf(window);
  HDC screen = GetDC(nullptr);
  LONG edge = -1;
  for (LONG x = 0; x < box.width && edge < 0; ++x) {
    if (GetGValue(GetPixel(screen, box.left + x, box.top + box.height / 2)) > 0xA0) edge = x;
  }
  ReleaseDC(nullptr, screen);
  return edge;
}

// One walk on a camera photo: keys and the wheel resize the window and step
// through the frames, drags move it, pan the picture as far as the pointer
// goes and zoom it there and back, Escape hides it and a click on its tray
// icon brings it back; the end stores all of it.
TEST_F(DesktopTest, RealInputReachesTheWindowAndTheEndStoresWhatItDid) {
  WriteDword("X1", 400);
  WriteDword("Y1", 300);
  WriteDword("W1", 200);
  WriteDword("H1", 200);
  std::string camera = CHERIMO_CORPUS_DIR "\\images\\camera.jpg";
  std::replace(camera.begin(), camera.end(), '/', '\\');
  window = StartedWindow(program, Quoted(camera).c_str());
  ASSERT_NE(window, nullptr);
  // Keys arrive in order: once the resize shows, the page keys before it are done.
  ASSERT_TRUE(OnWindow("key Next key Prior key Prior key plus"));
  ASSERT_TRUE(WaitUntil([&] { return BoxOf(window).width == 204; })) << testing::PrintToString(BoxOf(window));
  // Button 4 rolls the wheel away from the user: one step smaller, which the
  // box after the first drag shows.
  ASSERT_TRUE(OnWindow("click 4"));
  Drag({{30, 20}});
  ASSERT_TRUE(WaitUntil([&] { return BoxOf(window) == Box{430, 320, 200, 200}; })) << testing::PrintToString(BoxOf(window));
  // The photo's 3000-pixel square over 200 window pixels leaves about 33 of
  // them on each side: 20 of them to the pointer, the picture's edge with it.
  LONG edge = -1;
  ASSERT_TRUE(WaitUntil([&] { return (edge = EdgeOnScreen(window)) > 0; }));
  Drag({{20, 0}}, "Control_L", VK_CONTROL);
  LONG moved = -1;
  EXPECT_TRUE(WaitUntil([&] { return std::abs((moved = EdgeOnScreen(window)) - edge - 20) <= 2; })) << edge << " -> " << moved;
  Drag({{0, 60}, {0, -60}}, "Shift_L", VK_SHIFT);

  // The tray's window shows once it holds an icon.
  HWND tray = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(tray = FindWindowA(nullptr, "Wine System Tray")) != 0; }));
  ASSERT_TRUE(OnWindow("key Escape"));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }));
  // The icon is the first one in the tray's client area.
  POINT icon = {GetSystemMetrics(SM_CXSMICON) / 2 + 2, GetSystemMetrics(SM_CYSMICON) / 2 + 2};
  ClientToScreen(tray, &icon);
  ASSERT_TRUE(RunXdotool("mousemove " + std::to_string(icon.x) + " " + std::to_string(icon.y) + " click 1"));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != 0; }));
  ASSERT_EQ(CloseAndWait(program, window), 0);
  std::vector<std::optional<int64_t>> stored;
  for (const char* name : {"Show", "X1", "Y1", "W1", "X2", "Y2", "W3", "H3", "FrameID"}) stored.push_back(StoredDword(name));
  // Panned by 20 window pixels of 15 photo pixels each; zoomed in and back out to the same view.
  EXPECT_EQ(stored, (std::vector<std::optional<int64_t>>{1, 430, 320, 200, 500 - 300, 0, 3000, 3000,
                                                         FRAME_ID_DEFAULT - 1}));
}

// Grown by the wheel from its first place, the work area's top-right
// corner, the window moves inward and stays whole on the screen.
TEST_F(DesktopTest, TheWheelGrowsTheWindowAtTheCornerWithinTheWorkArea) {
  window = StartedWindow(program);
  ASSERT_NE(window, nullptr);
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  ASSERT_EQ(BoxOf(window).left + BoxOf(window).width, work.right);
  ASSERT_TRUE(OnWindow("click --repeat 40 --delay 5 5"));
  ASSERT_TRUE(WaitUntil([&] { return BoxOf(window).width == 256; })) << testing::PrintToString(BoxOf(window));
  const Box box = BoxOf(window);
  EXPECT_EQ(std::tuple(box.left + box.width, box.top >= work.top, box.top + box.height <= work.bottom),
            std::tuple(work.right, true, true)) << testing::PrintToString(box);
}

}  // namespace
