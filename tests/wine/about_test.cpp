// The About box on the program's own frame window, and its link driven by
// mouse messages.
#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "app/ids.h"
#include "app/texts.h"
#include "tests/wine/shell_recorder.h"

namespace {

std::string Control(unsigned id, const char* windowClass, const char* style, const char* text) {
  return std::to_string(id) + " " + windowClass + " " + style + " " + text;
}

// The frame window's thread runs the box; a second thread checks it, sends it
// what Escape turns into, which must leave it open, and ends it with the given
// message. An ending box is hidden and its owner enabled at once.
void OpenAndEnd(UINT openMessage, WPARAM openWParam, UINT endMessage, WPARAM endWParam) {
  std::atomic<bool> done = false;
  std::thread watcher([&] {
    HWND dialog = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (dialog = FindWindowA("#32770", TEXT_ABOUT_TITLE)) && IsWindowVisible(dialog); }));
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), FrameWindow);
    EXPECT_FALSE(IsWindowEnabled(FrameWindow)) << "modal to the frame window";
    EXPECT_EQ(GetWindowLongA(dialog, GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW), WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    const std::vector<std::string> expected = {
        Control(IDOK, "Button", "50010001", "OK"), Control(IDC_ABOUT_LINK, TEXT_LINK_CLASS, "50010000", TEXT_HOME_PAGE),
        Control(IDC_ABOUT_GROUP, "Button", "50000007", ""), Control(IDC_ABOUT_ICON, "Static", "50000003", "(icon)"),
        Control(IDC_ABOUT_NOTICE, "Static", "50020000", TEXT_ABOUT_NOTICE),
        Control(IDC_SHORTCUTS_GROUP, "Button", "50000007", TEXT_SHORTCUTS_CAPTION),
        Control(IDC_SHORTCUTS_KEYS, "Static", "50020000", TEXT_SHORTCUTS_KEYS),
        Control(IDC_SHORTCUTS_MOUSE, "Static", "50020000", TEXT_SHORTCUTS_MOUSE)};
    std::vector<std::string> controls;  // in their tab order
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      char name[64], text[512], style[16];
      GetClassNameA(child, name, sizeof name);
      GetWindowTextA(child, text, sizeof text);
      snprintf(style, sizeof style, "%lX", GetWindowLongA(child, GWL_STYLE));
      const bool icon = SendMessageA(child, STM_GETICON, 0, 0) != 0;
      controls.push_back(Control(static_cast<unsigned>(GetDlgCtrlID(child)), name, style, icon ? "(icon)" : text));
    }
    EXPECT_EQ(controls, expected);
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(IsWindowVisible(dialog) && !IsWindowEnabled(FrameWindow)) << "open after Escape";
    PostMessageA(dialog, endMessage, endWParam, endMessage == WM_KEYDOWN ? 0x001C0001 : 0);
    // Whatever happened, the frame window's thread must get out of the box.
    if (!WaitUntil([&] { return !IsWindow(dialog); })) {
      ADD_FAILURE() << "still open";
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    }
    done = true;
  });
  PostMessageA(FrameWindow, openMessage, openWParam, 0);
  EXPECT_TRUE(WaitUntil([&] { return done.load(); }, 30000));
  watcher.join();
  EXPECT_TRUE(IsWindowEnabled(FrameWindow));
}

// The link as its window shows it: the LINK_ state whose colour most of the
// text has, and where the text begins.
struct Look {
  unsigned state = 0;
  POINT origin;
};

Look LookOf(HWND link) {
  constexpr COLORREF COLORS[] = {0, RGB(0, 0, 128), RGB(224, 0, 0), RGB(0, 0, 255)};
  RECT rect;
  GetClientRect(link, &rect);
  Look look = {0, {rect.right, rect.bottom}};
  int counts[4] = {};
  HDC dc = GetWindowDC(link);
  for (int y = 0; y < rect.bottom; ++y) {
    for (int x = 0; x < rect.right; ++x) {
      const unsigned state = static_cast<unsigned>(std::find(COLORS + 1, COLORS + 4, GetPixel(dc, x, y)) - COLORS) % 4;
      counts[state] += state != 0;
      if (state != 0) look.origin = {std::min<LONG>(look.origin.x, x), std::min<LONG>(look.origin.y, y)};
    }
  }
  ReleaseDC(link, dc);
  look.state = static_cast<unsigned>(std::max_element(counts, counts + 4) - counts);
  return look;
}

// One mouse message to the link, at x (inside from 0, left of it below), and
// the state it must then show with the opens recorded so far.
struct Step {
  UINT message;
  WPARAM keys;
  int x;
  unsigned state;
  size_t opens;
};

constexpr UINT MOVE = WM_MOUSEMOVE, DOWN = WM_LBUTTONDOWN, UP = WM_LBUTTONUP;
constexpr Step CLICKS[] = {
    // Hover, press, drag off and back, release: blue at the first move back,
    // red from the next, as the link remembers the press.
    {MOVE, 0, 5, LINK_HOVER, 0}, {DOWN, MK_LBUTTON, 5, LINK_PRESSED, 0}, {MOVE, MK_LBUTTON, -9, LINK_NORMAL, 0},
    {MOVE, MK_LBUTTON, 5, LINK_HOVER, 0}, {MOVE, MK_LBUTTON, 6, LINK_PRESSED, 0}, {UP, 0, 6, LINK_NORMAL, 1},
    // Pressed, dragged off and released there: the release never reaches the link.
    {MOVE, 0, 5, LINK_HOVER, 1}, {DOWN, MK_LBUTTON, 5, LINK_PRESSED, 1}, {MOVE, MK_LBUTTON, -9, LINK_NORMAL, 1},
    // Passed over with the button up, pressed elsewhere and released on it.
    {MOVE, 0, 5, LINK_HOVER, 1}, {MOVE, 0, -9, LINK_NORMAL, 1}, {MOVE, MK_LBUTTON, 5, LINK_HOVER, 1},
    {MOVE, MK_LBUTTON, 6, LINK_HOVER, 1}, {UP, 0, 6, LINK_NORMAL, 1},
    // A repaint while resting on it shows it at rest until the mouse moves.
    {MOVE, 0, 5, LINK_HOVER, 1}, {WM_PAINT, 0, 5, LINK_NORMAL, 1}, {MOVE, 0, 6, LINK_HOVER, 1},
    // One plain click.
    {DOWN, MK_LBUTTON, 6, LINK_PRESSED, 1}, {UP, 0, 6, LINK_NORMAL, 2},
};

// F1 and the menu item open the box, Enter and the close button end it; its
// link opens only on a press and release both on it; the menu's home page and
// mail link reach the shell byte for byte.
TEST_F(ShellRecorderTest, TheAboutBoxOpensAndEndsItsLinkOpensOnAClickAndTheMenuOpensItsAddresses) {
  Start();
  OpenAndEnd(WM_KEYDOWN, VK_F1, WM_KEYDOWN, VK_RETURN);
  OpenAndEnd(WM_COMMAND, IDM_ABOUT, WM_SYSCOMMAND, SC_CLOSE);
  // Away from the pointer, so that no real mouse move reaches it.
  POINT cursor;
  GetCursorPos(&cursor);
  HWND link = CreateWindowExA(0, TEXT_LINK_CLASS, TEXT_HOME_PAGE, WS_POPUP | WS_VISIBLE, cursor.x > 400 ? 20 : 600,
                              cursor.y > 300 ? 20 : 400, 180, 30, FrameWindow, nullptr, nullptr, nullptr);
  ASSERT_NE(link, nullptr);
  Look rest;
  ASSERT_TRUE(WaitUntil([&] { return (rest = LookOf(link)).state == LINK_NORMAL; }));
  for (const Step& step : CLICKS) {
    if (step.message == WM_PAINT) RedrawWindow(link, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    if (step.message != WM_PAINT) SendMessageA(link, step.message, step.keys, MAKELPARAM(step.x, 10));
    // Hover and press draw into the client rectangle less one pixel at its
    // left and top: the centred text moves by none or one each way.
    const Look look = LookOf(link);
    const LONG dx = look.origin.x - rest.origin.x, dy = look.origin.y - rest.origin.y, most = step.state != LINK_NORMAL;
    EXPECT_EQ(look.state, step.state) << "step " << &step - CLICKS;
    EXPECT_TRUE(dx >= 0 && dx <= most && dy >= 0 && dy <= most) << "step " << &step - CLICKS << " moved " << dx << "," << dy;
    EXPECT_EQ(WaitForRecordedOpens(step.opens).size(), step.opens) << "step " << &step - CLICKS;
  }
  DestroyWindow(link);
  Send(WM_COMMAND, IDM_VISIT_HOME_PAGE);
  Send(WM_COMMAND, IDM_TELL_FRIENDS);
  std::vector<std::string> opens = WaitForRecordedOpens(4);
  std::sort(opens.begin() + 2, opens.end());  // two programs started at once may record in either order
  EXPECT_EQ(opens, (std::vector<std::string>{TEXT_HOME_PAGE, TEXT_HOME_PAGE, TEXT_HOME_PAGE, TEXT_MAIL_LINK}));
}

}  // namespace
