// The About box's link driven by real mouse input from xdotool on the real
// exe: its looks read back from the screen, its clicks recorded by the stand-in
// that the shell opens addresses with.
#include <cstdlib>
#include <string>

#include "app/ids.h"
#include "app/texts.h"
#include "tests/wine/program_fixture.h"
#include "tests/wine/shell_recorder.h"

namespace {

// What the menu and the link hand to the shell must reach the program that
// the shell starts unchanged.
TEST(ShellRecorder, AddressesReachTheOpeningProgramByteForByte) {
  if (!RegisterShellRecorder()) GTEST_SKIP() << "runs only in the project's private Wine prefix";
  const char* addresses[] = {
      TEXT_HOME_PAGE,
      "http://cherimo.brivanta.example/a b?x=\"1\"&y=%20%1%*#z",
      "mailto:?subject=Brivanta%20Cherimo&body=Hi!%0D%0A%0D%0AIt's%20called%20Brivanta%20Cherimo%0D%0ACheers,",
  };
  for (const char* address : addresses) {
    ClearRecordedOpens();
    ShellExecuteA(nullptr, nullptr, address, nullptr, nullptr, SW_HIDE);
    const std::vector<std::string> opens = WaitForRecordedOpens(1);
    ASSERT_EQ(opens.size(), 1u) << address;
    EXPECT_EQ(opens[0], address);
  }
  UnregisterShellRecorder();
}

constexpr COLORREF NAVY = RGB(0, 0, 128), BLUE = RGB(0, 0, 255), RED = RGB(224, 0, 0);

// The link as the screen shows it: the colour of its text and where the text
// begins within the control.
struct Look {
  COLORREF color = CLR_INVALID;
  POINT origin = {-1, -1};
};

class LinkTest : public RealProgramTest {
 protected:
  void SetUp() override {
    RealProgramTest::SetUp();
    if (IsSkipped()) return;
    ASSERT_TRUE(RegisterShellRecorder());
    // Out of the way of the box, which opens in the middle of the screen.
    WriteDword("X1", 20);
    WriteDword("Y1", 20);
    HWND frame = StartedWindow(program);
    ASSERT_NE(frame, nullptr);
    RECT rect;
    GetWindowRect(frame, &rect);
    ASSERT_TRUE(MoveTo((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2));
    ASSERT_TRUE(RunXdotool("key F1"));
    ASSERT_TRUE(WaitUntil([&] { return (dialog = FindWindowA("#32770", TEXT_ABOUT_TITLE)) != nullptr; }));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(dialog) != 0; }));
    link = GetDlgItem(dialog, IDC_ABOUT_LINK);
    ASSERT_NE(link, nullptr);
    GetWindowRect(link, &linkRect);
    ASSERT_TRUE(WaitUntil([&] { return (rest = LookOfLink()).color == NAVY; })) << "painted at rest";
  }

  void TearDown() override {
    if (!IsSkipped()) {
      RunXdotool("mouseup 1");
      UnregisterShellRecorder();
    }
    RealProgramTest::TearDown();
  }

  static bool MoveTo(int x, int y) {
    if (!RunXdotool("mousemove " + std::to_string(x) + " " + std::to_string(y))) return false;
    return WaitUntil([&] {
      POINT now;
      GetCursorPos(&now);
      return now.x == x && now.y == y;
    });
  }

  static bool Button(bool down) {
    if (!RunXdotool(down ? "mousedown 1" : "mouseup 1")) return false;
    return WaitUntil([&] { return ((GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0) == down; });
  }

  bool MoveOnto(int dx = 0) const {
    return MoveTo((linkRect.left + linkRect.right) / 2 + dx, (linkRect.top + linkRect.bottom) / 2);
  }
  // Inside the group box below the link, where the box itself takes the mouse.
  bool MoveOff() const { return MoveTo(linkRect.left + 20, linkRect.bottom + 3); }

  Look LookOfLink() const {
    const int width = linkRect.right - linkRect.left, height = linkRect.bottom - linkRect.top;
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, linkRect.left, linkRect.top, SRCCOPY);
    GdiFlush();
    const DWORD background = GetSysColor(COLOR_BTNFACE);
    Look look;
    int counts[3] = {};
    const COLORREF colors[3] = {NAVY, BLUE, RED};
    look.origin = {width, height};
    // The first row and column are left out: hover and press do not repaint
    // them, and the program icon above reaches one pixel into the first row.
    for (int y = 1; y < height; ++y) {
      for (int x = 1; x < width; ++x) {
        const DWORD pixel = static_cast<const DWORD*>(bits)[y * width + x];
        const COLORREF color = RGB(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF);
        // Text pixels are coloured, blended or not; borders and face are grey.
        const int red = GetRValue(color), blue = GetBValue(color);
        if (color == background || std::abs(red - blue) < 24) continue;
        look.origin = {std::min<LONG>(look.origin.x, x), std::min<LONG>(look.origin.y, y)};
        for (int index = 0; index < 3; ++index) counts[index] += color == colors[index];
      }
    }
    for (int index = 0; index < 3; ++index) {
      // Bold text has plenty of pixels in the pure colour.
      if (counts[index] >= 20) look.color = colors[index];
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return look;
  }

  // Hover and press draw into the client rectangle less one pixel at its
  // left and top: centred in it, the text moves by half a pixel each way,
  // which rounds to one or none by the parity of the sizes.
  bool Shows(COLORREF color, bool moved) const {
    Look now;
    const bool shown = WaitUntil([&] {
      now = LookOfLink();
      const LONG dx = now.origin.x - rest.origin.x, dy = now.origin.y - rest.origin.y;
      const bool placed = moved ? dx >= 0 && dx <= 1 && dy >= 0 && dy <= 1 : dx == 0 && dy == 0;
      return now.color == color && placed;
    });
    if (!shown) {
      ADD_FAILURE() << "shows " << std::hex << now.color << std::dec << " at " << now.origin.x << ","
                    << now.origin.y << ", rest at " << rest.origin.x << "," << rest.origin.y;
    }
    return shown;
  }

  RunningProgram program;
  HWND dialog = nullptr;
  HWND link = nullptr;
  RECT linkRect = {};
  Look rest;
};

TEST_F(LinkTest, HoverPressDragOffAndBackThenReleaseOpensTheAddress) {
  ASSERT_TRUE(MoveOnto());
  EXPECT_TRUE(Shows(BLUE, true));
  ASSERT_TRUE(Button(true));
  EXPECT_TRUE(Shows(RED, true));
  ASSERT_TRUE(MoveOff());
  EXPECT_TRUE(Shows(NAVY, false));
  // Back on with the button still held: blue at the first move, red from the
  // next, as the link remembers the press.
  ASSERT_TRUE(MoveOnto());
  EXPECT_TRUE(Shows(BLUE, true));
  ASSERT_TRUE(MoveOnto(1));
  EXPECT_TRUE(Shows(RED, true));
  ASSERT_TRUE(Button(false));
  EXPECT_EQ(WaitForRecordedOpens(1), std::vector<std::string>{TEXT_HOME_PAGE});
}

TEST_F(LinkTest, OnlyAPressAndReleaseBothOnTheLinkOpenIt) {
  // Released off the link.
  ASSERT_TRUE(MoveOnto());
  ASSERT_TRUE(Button(true));
  ASSERT_TRUE(MoveOff());
  ASSERT_TRUE(Button(false));
  EXPECT_TRUE(Shows(NAVY, false));
  // Pressed off the link and released on it, once the pointer has passed
  // over it with the button up.
  ASSERT_TRUE(MoveOnto());
  ASSERT_TRUE(MoveOff());
  ASSERT_TRUE(Button(true));
  ASSERT_TRUE(MoveOnto());
  ASSERT_TRUE(MoveOnto(1));
  EXPECT_TRUE(Shows(BLUE, true)) << "not pressed: the press began elsewhere";
  ASSERT_TRUE(Button(false));
  // Then one real click: it alone is recorded.
  ASSERT_TRUE(MoveOnto(2));
  ASSERT_TRUE(Button(true));
  ASSERT_TRUE(Button(false));
  EXPECT_EQ(WaitForRecordedOpens(1), std::vector<std::string>{TEXT_HOME_PAGE});
}

TEST_F(LinkTest, ARepaintWhileRestingOnItShowsNavyUntilTheMouseMoves) {
  ASSERT_TRUE(MoveOnto());
  EXPECT_TRUE(Shows(BLUE, true));
  RedrawWindow(link, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
  EXPECT_TRUE(Shows(NAVY, false));
  ASSERT_TRUE(MoveOnto(1));
  EXPECT_TRUE(Shows(BLUE, true));
}

}  // namespace
