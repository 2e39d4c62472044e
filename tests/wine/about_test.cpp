// The About box: its template as the exe carries it, how it opens and ends on
// the program's own frame window, and its link driven by mouse messages.
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "app/ids.h"
#include "app/texts.h"
#include "tests/wine/shell_recorder.h"

namespace {

// A walk over the fields, UTF-16 strings and aligned records of a DLGTEMPLATEEX.
struct TemplateReader {
  const BYTE* at;
  template <typename T>
  T Next() {
    T value;
    memcpy(&value, at, sizeof value);
    at += sizeof value;
    return value;
  }
  // Fixed fields by kind: Dword in hex, Word, Short and Byte in decimal.
  std::string Fields(const char* kinds) {
    std::string out;
    for (char text[16]; *kinds; out += text) {
      const char kind = *kinds++;
      if (kind == 'D') snprintf(text, sizeof text, "%lX ", Next<DWORD>());
      if (kind != 'D') snprintf(text, sizeof text, "%d ", kind == 'W' ? Next<WORD>() : kind == 'S' ? Next<short>() : Next<BYTE>());
    }
    return out;
  }
  // A string, or an ordinal as "#number"; then a bar.
  std::string Text() {
    if (Next<WORD>() == 0xFFFF) return std::string("#").append(std::to_string(Next<WORD>())).append("|");
    at -= sizeof(WORD);
    std::string text;
    for (WORD c; (c = Next<WORD>()) != 0;) text += c < 0x80 ? static_cast<char>(c) : '?';
    return text + "|";
  }
};

// Class names count without case, and a predefined class may travel as its
// ordinal (#128 Button, #130 Static): windres writes names in capitals.
std::string CanonicalClass(std::string name) {
  if (name == "#128|") return "BUTTON|";
  if (name == "#130|") return "STATIC|";
  CharUpperA(name.data());
  return name;
}

std::string Control(unsigned id, const char* layout, const char* windowClass, const std::string& text) {
  return std::to_string(id) + " " + layout + windowClass + "|" + text + "|0 ";
}

TEST(AboutTemplate, TheExeCarriesExactlyTheStylesFontAndControlsOfTheBox) {
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  lstrcpyA(strrchr(exe, '\\') + 1, "cherimo.exe");
  HMODULE module = LoadLibraryExA(exe, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(IDD_ABOUT), MAKEINTRESOURCEA(5));
  ASSERT_NE(found, nullptr);
  const BYTE* start = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
  TemplateReader read{start};
  // Version, signature, help id, extended style, style, controls, box; menu,
  // class, caption; points, weight, italic, character set, typeface.
  std::vector<std::string> lines(1);
  for (const char* kinds : {"WWDDDWSSSS", "", "", "", "WWBB", ""}) lines[0] += *kinds ? read.Fields(kinds) : read.Text();
  for (int index = 0; index < 8; ++index) {
    read.at += (4 - (read.at - start) % 4) % 4;
    // Help id, extended style, style, place and size; then the id.
    const std::string layout = read.Fields("DDDSSSS");
    const DWORD id = read.Next<DWORD>();
    const std::string windowClass = CanonicalClass(read.Text());
    const std::string text = read.Text();
    lines.push_back(std::to_string(id) + " " + layout + windowClass + text + read.Fields("W"));
  }
  const std::vector<std::string> expected = {
      "1 65535 0 88 80C80ADC 8 0 0 216 164 ||About Brivanta Cherimo|8 400 0 1 MS Shell Dlg|",
      Control(IDOK, "0 0 50010001 134 38 50 14 ", "BUTTON", "OK"),
      Control(IDC_ABOUT_LINK, "0 0 50010000 10 33 121 21 ", "BRIVANTALINKCLASS", TEXT_HOME_PAGE),
      Control(IDC_ABOUT_GROUP, "0 0 50000007 7 7 202 51 ", "BUTTON", ""),
      Control(IDC_ABOUT_ICON, "0 0 50000003 10 13 21 20 ", "STATIC", "#100"),
      Control(IDC_ABOUT_NOTICE, "0 0 50020000 41 13 126 18 ", "STATIC", TEXT_ABOUT_NOTICE),
      Control(IDC_SHORTCUTS_GROUP, "0 0 50000007 7 60 202 97 ", "BUTTON", TEXT_SHORTCUTS_CAPTION),
      Control(IDC_SHORTCUTS_KEYS, "0 0 50020000 14 71 188 50 ", "STATIC", TEXT_SHORTCUTS_KEYS),
      Control(IDC_SHORTCUTS_MOUSE, "0 0 50020000 14 125 188 25 ", "STATIC", TEXT_SHORTCUTS_MOUSE),
  };
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(read.at - start, static_cast<ptrdiff_t>(SizeofResource(module, found))) << "nothing after the last";
  FreeLibrary(module);
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

TEST_F(FrameWindowTest, F1AndTheMenuItemOpenTheAboutBoxEnterAndTheCloseButtonEndIt) {
  Start();
  OpenAndEnd(WM_KEYDOWN, VK_F1, WM_KEYDOWN, VK_RETURN);
  OpenAndEnd(WM_COMMAND, IDM_ABOUT, WM_SYSCOMMAND, SC_CLOSE);
}

constexpr COLORREF COLORS[] = {0, RGB(0, 0, 128), RGB(224, 0, 0), RGB(0, 0, 255)};  // by LINK_ state

// The link as its window shows it: the state whose colour most of the text has, and where the text begins.
struct Look {
  unsigned state = 0;
  POINT origin;
};

Look LookOf(HWND link) {
  RECT rect;
  GetClientRect(link, &rect);
  Look look = {0, {rect.right, rect.bottom}};
  int counts[4] = {};
  HDC dc = GetWindowDC(link);
  for (int y = 0; y < rect.bottom; ++y) {
    for (int x = 0; x < rect.right; ++x) {
      const COLORREF pixel = GetPixel(dc, x, y);
      for (unsigned state = LINK_NORMAL; state <= LINK_HOVER; ++state) {
        if (pixel != COLORS[state]) continue;
        ++counts[state];
        look.origin = {std::min<LONG>(look.origin.x, x), std::min<LONG>(look.origin.y, y)};
      }
    }
  }
  ReleaseDC(link, dc);
  for (unsigned state = LINK_NORMAL; state <= LINK_HOVER; ++state) {
    if (counts[state] > counts[look.state]) look.state = state;
  }
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

constexpr Step CLICKS[] = {
    // Hover, press, drag off and back, release: blue at the first move back,
    // red from the next, as the link remembers the press.
    {WM_MOUSEMOVE, 0, 5, LINK_HOVER, 0},         {WM_LBUTTONDOWN, MK_LBUTTON, 5, LINK_PRESSED, 0},
    {WM_MOUSEMOVE, MK_LBUTTON, -9, LINK_NORMAL, 0}, {WM_MOUSEMOVE, MK_LBUTTON, 5, LINK_HOVER, 0},
    {WM_MOUSEMOVE, MK_LBUTTON, 6, LINK_PRESSED, 0}, {WM_LBUTTONUP, 0, 6, LINK_NORMAL, 1},
    // Pressed, dragged off and released there: the release never reaches the link.
    {WM_MOUSEMOVE, 0, 5, LINK_HOVER, 1},         {WM_LBUTTONDOWN, MK_LBUTTON, 5, LINK_PRESSED, 1},
    {WM_MOUSEMOVE, MK_LBUTTON, -9, LINK_NORMAL, 1},
    // Passed over with the button up, pressed elsewhere and released on it.
    {WM_MOUSEMOVE, 0, 5, LINK_HOVER, 1},         {WM_MOUSEMOVE, 0, -9, LINK_NORMAL, 1},
    {WM_MOUSEMOVE, MK_LBUTTON, 5, LINK_HOVER, 1}, {WM_MOUSEMOVE, MK_LBUTTON, 6, LINK_HOVER, 1},
    {WM_LBUTTONUP, 0, 6, LINK_NORMAL, 1},
    // A repaint while resting on it shows it at rest until the mouse moves.
    {WM_MOUSEMOVE, 0, 5, LINK_HOVER, 1},         {WM_PAINT, 0, 5, LINK_NORMAL, 1},
    {WM_MOUSEMOVE, 0, 6, LINK_HOVER, 1},
    // One plain click.
    {WM_LBUTTONDOWN, MK_LBUTTON, 6, LINK_PRESSED, 1}, {WM_LBUTTONUP, 0, 6, LINK_NORMAL, 2},
};

TEST_F(ShellRecorderTest, TheLinkOpensOnlyOnAPressAndReleaseBothOnIt) {
  Start();
  // Away from the pointer, so that no real mouse move reaches it.
  POINT cursor;
  GetCursorPos(&cursor);
  HWND link = CreateWindowExA(0, TEXT_LINK_CLASS, TEXT_HOME_PAGE, WS_POPUP | WS_VISIBLE, cursor.x > 400 ? 20 : 600,
                              cursor.y > 300 ? 20 : 400, 180, 30, FrameWindow, nullptr, nullptr, nullptr);
  ASSERT_NE(link, nullptr);
  Look rest;
  ASSERT_TRUE(WaitUntil([&] { return (rest = LookOf(link)).state == LINK_NORMAL; }));
  for (const Step& step : CLICKS) {
    const int index = static_cast<int>(&step - CLICKS);
    if (step.message == WM_PAINT) RedrawWindow(link, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    if (step.message != WM_PAINT) SendMessageA(link, step.message, step.keys, MAKELPARAM(step.x, 10));
    const Look look = LookOf(link);
    EXPECT_EQ(look.state, step.state) << "step " << index;
    // Hover and press draw into the client rectangle less one pixel at its
    // left and top: the centred text moves by none or one each way.
    const LONG dx = look.origin.x - rest.origin.x, dy = look.origin.y - rest.origin.y, most = step.state != LINK_NORMAL;
    EXPECT_TRUE(dx >= 0 && dx <= most && dy >= 0 && dy <= most) << "step " << index << " moved " << dx << "," << dy;
    EXPECT_EQ(WaitForRecordedOpens(step.opens).size(), step.opens) << "step " << index;
  }
  EXPECT_EQ(WaitForRecordedOpens(2), std::vector<std::string>(2, TEXT_HOME_PAGE));
  DestroyWindow(link);
}

}  // namespace
