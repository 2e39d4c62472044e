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

  RECT Rect() const {
    RECT rect;
    GetWindowRect(window, &rect);
    return rect;
  }

  // The pointer onto the middle of the window, where keys and the wheel go.
  std::string OverWindow() const {
    const RECT rect = Rect();
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

  std::optional<int64_t> SettingAfterExit(const char* name) {
    EXPECT_EQ(CloseAndWait(program, window), 0);
    return StoredDword(name);
  }

  RunningProgram program;
  HWND window = nullptr;
};

TEST_F(DesktopTest, APlainDragMovesTheWindowAndTheNextStartKnowsWhere) {
  Drag(30, 20);
  ASSERT_TRUE(WaitUntil([&] { return Rect().left == 430 && Rect().top == 320; })) << Rect().left << "," << Rect().top;
  EXPECT_EQ(SettingAfterExit("X1"), 430);
  EXPECT_EQ(StoredDword("Y1"), 320);
}

TEST_F(DesktopTest, ACtrlDragPansThePhotoByTheCursorsMovement) {
  Drag(12, -9, "Control_L", VK_CONTROL);
  EXPECT_EQ(Rect().left, 400) << "the window itself stays";
  EXPECT_EQ(SettingAfterExit("X2"), -21 - 12);
  EXPECT_EQ(StoredDword("Y2"), -11 + 9);
}

TEST_F(DesktopTest, AShiftDragDownZoomsInAboutTheCentre) {
  Drag(0, 20, "Shift_L", VK_SHIFT);
  EXPECT_EQ(SettingAfterExit("W3"), 128 - 20);
  EXPECT_EQ(StoredDword("H3"), 168 - 20);
  EXPECT_EQ(StoredDword("X2"), -21 + 10);
}

TEST_F(DesktopTest, PlusMinusAndTheWheelResizeByFourPixelsASide) {
  ASSERT_TRUE(RunXdotool(OverWindow() + " key plus"));
  ASSERT_TRUE(WaitUntil([&] { return Rect().right - Rect().left == 104; }));
  EXPECT_EQ(Rect().left, 398);
  ASSERT_TRUE(RunXdotool(OverWindow() + " key minus key minus"));
  ASSERT_TRUE(WaitUntil([&] { return Rect().right - Rect().left == 96; }));
  EXPECT_EQ(Rect().left, 402);
  // Button 4 rolls the wheel away from the user: one step smaller.
  ASSERT_TRUE(RunXdotool(OverWindow() + " click 4"));
  ASSERT_TRUE(WaitUntil([&] { return Rect().right - Rect().left == 92; }));
  ASSERT_TRUE(RunXdotool(OverWindow() + " click 5"));
  ASSERT_TRUE(WaitUntil([&] { return Rect().right - Rect().left == 96; }));
  EXPECT_EQ(SettingAfterExit("W1"), 96);
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

TEST_F(DesktopTest, PageDownShowsTheNextFrame) {
  HRGN before = ShapeOf(window);
  ASSERT_NE(before, nullptr);
  ASSERT_TRUE(RunXdotool(OverWindow() + " key Next"));
  HRGN after = nullptr;
  EXPECT_TRUE(WaitUntil([&] {
    if (after) DeleteObject(after);
    after = ShapeOf(window);
    return after && !EqualRgn(before, after);
  })) << "the rectangle frame's shape gives way to the rhombus";
  DeleteObject(before);
  if (after) DeleteObject(after);
  EXPECT_EQ(SettingAfterExit("FrameID"), FRAME_ID_DEFAULT + 1);
}

TEST_F(DesktopTest, EscapeHidesTheWindowAndASecondStartBringsItBack) {
  ASSERT_TRUE(RunXdotool(OverWindow() + " key Escape"));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }));
  RunningProgram again;
  ASSERT_TRUE(StartProgramProcess(again));
  EXPECT_EQ(WaitForExit(again), 0);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(SettingAfterExit("Show"), 1);
}

TEST_F(DesktopTest, AClickOnTheTrayIconRestoresTheWindow) {
  // The tray's window shows once it holds an icon.
  HWND tray = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    tray = FindWindowA(nullptr, "Wine System Tray");
    return tray && IsWindowVisible(tray);
  }));
  ASSERT_TRUE(RunXdotool(OverWindow() + " key Escape"));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }));
  // The icon is the first one in the tray's client area.
  POINT icon = {GetSystemMetrics(SM_CXSMICON) / 2 + 2, GetSystemMetrics(SM_CYSMICON) / 2 + 2};
  ClientToScreen(tray, &icon);
  ASSERT_TRUE(RunXdotool("mousemove " + std::to_string(icon.x) + " " + std::to_string(icon.y) + " click 1"));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != 0; }));
  EXPECT_EQ(SettingAfterExit("Show"), 1);
}

}  // namespace
