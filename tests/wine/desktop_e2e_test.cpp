// The real exe driven as a user drives it: real mouse and keyboard input
// from xdotool on the X display, the registry read after the program ends.
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

  // A drag, with a key held or none.
  void Drag(int dx, int dy, const char* key = nullptr, int virtualKey = 0) const {
    ASSERT_TRUE(OnWindow());
    if (key) Input(std::string("keydown ") + key, virtualKey, true);
    Input("mousedown 1", VK_LBUTTON, true);
    POINT start, now;
    GetCursorPos(&start);
    ASSERT_TRUE(RunXdotool("mousemove_relative -- " + std::to_string(dx) + " " + std::to_string(dy)));
    ASSERT_TRUE(WaitUntil([&] { return GetCursorPos(&now) && now.x == start.x + dx && now.y == start.y + dy; }));
    Input("mouseup 1", VK_LBUTTON, false);
    if (key) Input(std::string("keyup ") + key, virtualKey, false);
  }
};

// One walk: keys and the wheel resize the window and step through the
// frames, three drags move it, pan the photo and zoom it, Escape hides it and
// a click on its tray icon brings it back; the end stores all of it.
TEST_F(DesktopTest, RealInputReachesTheWindowAndTheEndStoresWhatItDid) {
  WriteDword("X1", 400);
  WriteDword("Y1", 300);
  window = StartedWindow(program);
  ASSERT_NE(window, nullptr);
  // Keys arrive in order: once the resize shows, the page keys before it are done.
  ASSERT_TRUE(OnWindow("key Next key Prior key Prior key plus"));
  ASSERT_TRUE(WaitUntil([&] { return BoxOf(window).width == 104; })) << testing::PrintToString(BoxOf(window));
  // Button 4 rolls the wheel away from the user: one step smaller, which the
  // box after the first drag shows.
  ASSERT_TRUE(OnWindow("click 4"));
  Drag(30, 20);
  ASSERT_TRUE(WaitUntil([&] { return BoxOf(window) == Box{430, 320, 100, 100}; })) << testing::PrintToString(BoxOf(window));
  Drag(12, -9, "Control_L", VK_CONTROL);
  Drag(0, 20, "Shift_L", VK_SHIFT);

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
  // Panned by the cursor's movement, then zoomed in about the centre.
  EXPECT_EQ(stored, (std::vector<std::optional<int64_t>>{1, 430, 320, 100, -21 - 12 + 10, -11 + 9 + 10, 128 - 20,
                                                         168 - 20, FRAME_ID_DEFAULT - 1}));
}

}  // namespace
