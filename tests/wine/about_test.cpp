// The About box on the program's own frame window, and its link driven by
// mouse messages.
#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "app/ids.h"
#include "about/link_control.h"
#include "app/texts.h"
#include "framewindow/context_menu.h"
#include "tests/wine/frame_window_fixture.h"

namespace {

std::vector<std::string> Opens;

// Handed over wide and shown normally (a hidden browser started cold may stay hidden).
HINSTANCE WINAPI RecordOpen(HWND, LPCWSTR, LPCWSTR file, LPCWSTR, LPCWSTR, INT show) {
  char narrow[1024];
  WideCharToMultiByte(CP_UTF8, 0, file, -1, narrow, sizeof narrow, nullptr, nullptr);
  Opens.push_back(std::string(narrow) + (show == SW_SHOWNORMAL ? "" : " (not shown normally)"));
  return reinterpret_cast<HINSTANCE>(33);
}

// The LINK_ state whose colour the link's text shows, 0 for none, and where
// its first pixel of that colour is.
unsigned DrawnState(HWND link, POINT* first) {
  constexpr COLORREF COLORS[] = {RGB(0, 0, 128), RGB(224, 0, 0), RGB(0, 0, 255)};
  RECT rect;
  GetClientRect(link, &rect);
  HDC dc = GetWindowDC(link);
  unsigned state = 0;
  LONG pixel = 0;
  for (; pixel < rect.right * rect.bottom && state == 0; ++pixel) {
    const COLORREF colour = GetPixel(dc, pixel % rect.right, pixel / rect.right);
    state = static_cast<unsigned>(std::find(COLORS, COLORS + 3, colour) - COLORS + 1) % 4;
  }
  ReleaseDC(link, dc);
  *first = {(pixel - 1) % rect.right, (pixel - 1) / rect.right};
  return state;
}

// One mouse message to the link (its keys, at x: inside from 0, left of it
// below), and the state it must then show with the opens so far.
using Step = std::tuple<UINT, WPARAM, int, unsigned, size_t>;

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
    // A repaint while resting on it shows it at rest until the mouse moves; so does a second one.
    {MOVE, 0, 5, LINK_HOVER, 1}, {WM_PAINT, 0, 5, LINK_NORMAL, 1}, {WM_PAINT, 0, 5, LINK_NORMAL, 1},
    {MOVE, 0, 6, LINK_HOVER, 1},
    // One plain click.
    {DOWN, MK_LBUTTON, 6, LINK_PRESSED, 1}, {UP, 0, 6, LINK_NORMAL, 2}};

// The box opens and ends; its link opens only on a press and release both on it; the menu's home page and
// mail link reach the shell byte for byte.
TEST_F(FrameWindowTest, TheAboutBoxOpensAndEndsItsLinkOpensOnAClickAndTheMenuOpensItsAddresses) {
  ShellOpenCall = RecordOpen;
  Start();
  // The frame window's thread runs the box that the menu item opens; a second
  // thread sends it what Escape turns into, which must leave it open, and ends
  // it with the close button. An ending box is hidden and its owner enabled at once.
  std::atomic<bool> done = false;
  std::thread watcher([&] {
    HWND dialog = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (dialog = FindWindowA("#32770", TEXT_ABOUT_TITLE)) && IsWindowVisible(dialog); }));
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), FrameWindow);
    LOGFONTA boxFont = {}, linkFont = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof boxFont, &boxFont);
    GetObjectA(LinkFont, sizeof linkFont, &linkFont);
    EXPECT_EQ(linkFont.lfHeight, boxFont.lfHeight) << "the link's text is as large as the box's";
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(IsWindowVisible(dialog) && !IsWindowEnabled(FrameWindow)) << "modal, and open after Escape";
    // A photo handed over meanwhile brings the box forward, not the frame under
    // it, which would take the keys (F1: a second box).
    std::string photo = CHERIMO_CORPUS_DIR "/images/halves.png";
    COPYDATASTRUCT handOver = {COPYDATA_PHOTO_PATH, static_cast<DWORD>(photo.size() + 1), photo.data()};
    EXPECT_EQ(SendMessageA(FrameWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&handOver)), 1);
    GUITHREADINFO front = {sizeof front};
    GetGUIThreadInfo(GetWindowThreadProcessId(FrameWindow, nullptr), &front);
    EXPECT_TRUE(front.hwndActive == dialog && front.hwndFocus != FrameWindow) << "the box stays in front";
    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    // Whatever happened, the frame window's thread must get out of the box.
    if (!WaitUntil([&] { return !IsWindow(dialog); })) {
      ADD_FAILURE() << "still open";
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    }
    done = true;
  });
  PostMessageA(FrameWindow, WM_COMMAND, IDM_ABOUT, 0);
  EXPECT_TRUE(WaitUntil([&] { return done.load(); }, 30000));
  watcher.join();
  EXPECT_TRUE(IsWindowEnabled(FrameWindow));

  // Away from the pointer, so that no real mouse move reaches it.
  POINT cursor;
  GetCursorPos(&cursor);
  HWND link = CreateWindowExA(0, TEXT_LINK_CLASS, TEXT_HOME_PAGE, WS_POPUP | WS_VISIBLE, cursor.x > 400 ? 20 : 600,
                              cursor.y > 300 ? 20 : 400, 180, 30, FrameWindow, nullptr, nullptr, nullptr);
  ASSERT_NE(link, nullptr);
  POINT rest, at;
  ASSERT_TRUE(WaitUntil([&] { return DrawnState(link, &rest) == LINK_NORMAL; }));
  for (size_t step = 0; step < std::size(CLICKS); ++step) {
    const auto& [message, keys, x, state, opens] = CLICKS[step];
    if (message == WM_PAINT) RedrawWindow(link, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    if (message != WM_PAINT) SendMessageA(link, message, keys, MAKELPARAM(x, 10));
    EXPECT_EQ(std::pair(DrawnState(link, &at), Opens.size()), std::pair(state, opens)) << "step " << step;
    // Hover and press draw into the client rectangle less one pixel at its
    // left and top: the centred text moves by none or one each way.
    const LONG dx = at.x - rest.x, dy = at.y - rest.y, most = state != LINK_NORMAL;
    EXPECT_TRUE(dx >= 0 && dx <= most && dy >= 0 && dy <= most) << "step " << step << " moved " << dx << "," << dy;
  }
  DestroyWindow(link);
  Send(WM_COMMAND, IDM_VISIT_HOME_PAGE);
  Send(WM_COMMAND, IDM_TELL_FRIENDS);
  EXPECT_EQ(Opens, (std::vector<std::string>{TEXT_HOME_PAGE, TEXT_HOME_PAGE, TEXT_HOME_PAGE, TEXT_MAIL_LINK}));
}

}  // namespace
