// The real exe driven as a user drives it: real mouse and keyboard input
// from xdotool on the X display, the registry read after the program ends.
#include <string>

#include "app/ids.h"
#include "tests/wine/program_fixture.h"

namespace {

class DesktopTest : public RealProgramTest {
 protected:
  void SetUp() override {
    RealProgramTest::SetUp();
    if (IsSkipped()) return;
    WriteDword("X1", 400);
    WriteDword("Y1", 300);
    window = StartedWindow(program);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(IsWindowVisible(window));
  }

  // The pointer onto the middle of the window, where keys and the wheel go.
  std::string OverWindow() const {
    RECT rect;
    GetWindowRect(window, &rect);
    return "mousemove " + std::to_string((rect.left + rect.right) / 2) + " " +
           std::to_string((rect.top + rect.bottom) / 2);
  }

  // A drag, with a key held or none, one input at a time: each waits until
  // Wine has taken the previous one, as a hand on the mouse would.
  void Drag(int dx, int dy, const char* key = nullptr, int virtualKey = 0) const {
    const auto down = [](int vk) { return (GetAsyncKeyState(vk) & 0x8000) != 0; };
    ASSERT_TRUE(RunXdotool(OverWindow()));
    if (key) {
      ASSERT_TRUE(RunXdotool(std::string("keydown ") + key));
      ASSERT_TRUE(WaitUntil([&] { return down(virtualKey); }));
    }
    ASSERT_TRUE(RunXdotool("mousedown 1"));
    ASSERT_TRUE(WaitUntil([&] { return down(VK_LBUTTON); }));
    POINT start;
    GetCursorPos(&start);
    ASSERT_TRUE(RunXdotool("mousemove_relative -- " + std::to_string(dx) + " " + std::to_string(dy)));
    ASSERT_TRUE(WaitUntil([&] {
      POINT now;
      GetCursorPos(&now);
      return now.x == start.x + dx && now.y == start.y + dy;
    }));
    ASSERT_TRUE(RunXdotool("mouseup 1"));
    ASSERT_TRUE(WaitUntil([&] { return !down(VK_LBUTTON); }));
    if (key) {
      ASSERT_TRUE(RunXdotool(std::string("keyup ") + key));
      ASSERT_TRUE(WaitUntil([&] { return !down(virtualKey); }));
    }
  }

  int Width() const { return BoxOf(window).width; }
  void PressKeys(const char* keys) const { ASSERT_TRUE(RunXdotool(OverWindow() + " " + keys)); }
  void EndProgram() { ASSERT_EQ(CloseAndWait(program, window), 0); }

  RunningProgram program;
  HWND window = nullptr;
};

// The three drags one after another; the next start finds what they did.
TEST_F(DesktopTest, DragsMoveTheWindowPanThePhotoAndZoomIt) {
  Drag(30, 20);
  ASSERT_TRUE(WaitUntil([&] { return BoxOf(window) == Box{430, 320, 100, 100}; })) << testing::PrintToString(BoxOf(window));
  Drag(12, -9, "Control_L", VK_CONTROL);
  Drag(0, 20, "Shift_L", VK_SHIFT);
  EXPECT_EQ(BoxOf(window), (Box{430, 320, 100, 100})) << "the window itself stays";
  EndProgram();
  EXPECT_EQ(StoredDword("X1"), 430);
  EXPECT_EQ(StoredDword("Y1"), 320);
  // Panned by the cursor's movement, then zoomed in about the centre.
  EXPECT_EQ(StoredDword("X2"), -21 - 12 + 10);
  EXPECT_EQ(StoredDword("Y2"), -11 + 9 + 10);
  EXPECT_EQ(StoredDword("W3"), 128 - 20);
  EXPECT_EQ(StoredDword("H3"), 168 - 20);
}

// The window's shape as the system holds it; null when it has none.
HRGN ShapeOf(HWND window) {
  HRGN shape = CreateRectRgn(0, 0, 0, 0);
  if (GetWindowRgn(window, shape) == ERROR) {
    DeleteObject(shape);
    return nullptr;
  }
  return shape;
}

TEST_F(DesktopTest, KeysAndTheWheelResizeByFourPixelsASideAndPageDownShowsTheNextFrame) {
  PressKeys("key plus");
  ASSERT_TRUE(WaitUntil([&] { return Width() == 104; }));
  EXPECT_EQ(BoxOf(window).left, 398);
  PressKeys("key minus key minus");
  ASSERT_TRUE(WaitUntil([&] { return Width() == 96; }));
  EXPECT_EQ(BoxOf(window).left, 402);
  // Button 4 rolls the wheel away from the user: one step smaller.
  PressKeys("click 4");
  ASSERT_TRUE(WaitUntil([&] { return Width() == 92; }));
  PressKeys("click 5");
  ASSERT_TRUE(WaitUntil([&] { return Width() == 96; }));

  HRGN before = ShapeOf(window), after = nullptr;
  ASSERT_NE(before, nullptr);
  PressKeys("key Next");
  EXPECT_TRUE(WaitUntil([&] {
    if (after) DeleteObject(after);
    after = ShapeOf(window);
    return after && !EqualRgn(before, after);
  })) << "the rectangle frame's shape gives way to the rhombus";
  DeleteObject(before);
  if (after) DeleteObject(after);
  EndProgram();
  EXPECT_EQ(StoredDword("W1"), 96);
  EXPECT_EQ(StoredDword("FrameID"), FRAME_ID_DEFAULT + 1);
}

TEST_F(DesktopTest, EscapeHidesTheWindowAndAClickOnTheTrayIconOrASecondStartBringsItBack) {
  // The tray's window shows once it holds an icon.
  HWND tray = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    tray = FindWindowA(nullptr, "Wine System Tray");
    return tray && IsWindowVisible(tray);
  }));
  PressKeys("key Escape");
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }));
  // The icon is the first one in the tray's client area.
  POINT icon = {GetSystemMetrics(SM_CXSMICON) / 2 + 2, GetSystemMetrics(SM_CYSMICON) / 2 + 2};
  ClientToScreen(tray, &icon);
  ASSERT_TRUE(RunXdotool("mousemove " + std::to_string(icon.x) + " " + std::to_string(icon.y) + " click 1"));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != 0; }));

  SendMessageA(window, WM_COMMAND, IDM_MINIMIZE, 0);
  ASSERT_FALSE(IsWindowVisible(window));
  RunningProgram again;
  ASSERT_TRUE(StartProgramProcess(again));
  EXPECT_EQ(WaitForExit(again), 0);
  EXPECT_TRUE(IsWindowVisible(window));
  EndProgram();
  EXPECT_EQ(StoredDword("Show"), 1);
}

}  // namespace
