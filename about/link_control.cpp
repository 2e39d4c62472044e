#include "about/link_control.h"

#include "app/display_scale.h"
#include "app/ids.h"
#include "app/program.h"
#include "app/texts.h"
#include "framewindow/context_menu.h"

HFONT LinkFont;

namespace {

int LinkFontDpi;

constexpr COLORREF LINK_NORMAL_COLOR = RGB(0, 0, 128);
constexpr COLORREF LINK_PRESSED_COLOR = RGB(224, 0, 0);
constexpr COLORREF LINK_HOVER_COLOR = RGB(0, 0, 255);
constexpr int LINK_TEXT_SIZE = 128;

// One set for all links: only one of them can hold the mouse.
int LinkHasCapture;
// The link that the current press started on; null once that press is over,
// so a press that began elsewhere never opens a link.
HWND PressedLink;

// The box's font is 8 points at its monitor's DPI, and so is the link's: a
// box on a monitor of another scale has the font remade for it.
HFONT LinkFontFor(int dpi) {
  if (LinkFont && LinkFontDpi == dpi) return LinkFont;
  LOGFONTA font = {};
  font.lfHeight = -MulDiv(8, dpi, 72);
  font.lfWeight = FW_BOLD;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfPitchAndFamily = FF_SWISS;
  lstrcpyA(font.lfFaceName, TEXT_LINK_FONT);
  HFONT made = CreateFontIndirectA(&font);
  if (!made) return LinkFont;
  if (LinkFont) DeleteObject(LinkFont);
  LinkFont = made;
  LinkFontDpi = dpi;
  return LinkFont;
}

void SendState(HWND window, unsigned state, LPARAM redraw) { SendMessageA(window, MSG_LINK_STATE, state, redraw); }

// The only place where the link draws itself.
void MsgLinkState(HWND window, WPARAM state, LPARAM redraw) {
  if (redraw != 1 && static_cast<WPARAM>(GetWindowLongPtrA(window, GWLP_USERDATA)) == state) return;
  SetWindowLongPtrA(window, GWLP_USERDATA, static_cast<LONG_PTR>(state));
  HDC dc = GetWindowDC(window);
  HGDIOBJ previousFont = SelectObject(dc, LinkFontFor(DpiOfWindow(window)));
  RECT rect;
  GetClientRect(window, &rect);
  // Hover and press push the text one pixel down and right, as a button would.
  rect.left += 1;
  rect.top += 1;
  switch (state) {
    case LINK_HOVER:
      SetCursor(LoadCursorA(nullptr, IDC_HAND));
      SetTextColor(dc, LINK_HOVER_COLOR);
      break;
    case LINK_PRESSED:
      SetTextColor(dc, LINK_PRESSED_COLOR);
      SetCursor(LoadCursorA(nullptr, IDC_HAND));
      break;
    case LINK_NORMAL:
      SetCursor(LoadCursorA(nullptr, IDC_ARROW));
      SetTextColor(dc, LINK_NORMAL_COLOR);
      rect.left -= 1;
      rect.top -= 1;
      break;
  }
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
  char text[LINK_TEXT_SIZE];
  GetWindowTextA(window, text, LINK_TEXT_SIZE);
  DrawTextA(dc, text, -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, previousFont);
  ReleaseDC(window, dc);
}

void MsgPaint(HWND window) {
  PAINTSTRUCT paint;
  BeginPaint(window, &paint);
  SendState(window, LINK_NORMAL, 1);
  EndPaint(window, &paint);
}

void MsgMouseMove(HWND window, WPARAM keys, LPARAM position) {
  if (LinkHasCapture != 1) {
    // Entering with the button up: whatever press came before has ended.
    if (!(keys & MK_LBUTTON)) PressedLink = nullptr;
    SetCapture(window);
    LinkHasCapture = 1;
    SendState(window, LINK_HOVER, 0);
    return;
  }
  RECT rect;
  GetWindowRect(window, &rect);
  const POINT point = {static_cast<short>(LOWORD(position)) + rect.left,
                       static_cast<short>(HIWORD(position)) + rect.top};
  if (!PtInRect(&rect, point)) {
    // The release comes first: its WM_CAPTURECHANGED draws the normal look.
    ReleaseCapture();
    LinkHasCapture = 0;
    SendState(window, LINK_NORMAL, 0);
  } else if ((keys & MK_LBUTTON) && PressedLink == window) {
    SendState(window, LINK_PRESSED, 0);
  } else {
    SendState(window, LINK_HOVER, 0);
  }
}

void MsgLeftButtonDown(HWND window) {
  PressedLink = window;
  SendState(window, LINK_PRESSED, 0);
}

void MsgLeftButtonUp(HWND window) {
  if (LinkHasCapture != 1) return;
  // Cleared before the release, so that its WM_CAPTURECHANGED draws nothing.
  LinkHasCapture = 0;
  ReleaseCapture();
  SendState(window, LINK_NORMAL, 0);
  if (PressedLink != window) return;
  PressedLink = nullptr;
  char address[LINK_TEXT_SIZE];
  GetWindowTextA(window, address, LINK_TEXT_SIZE);
  OpenWithShell(address);
}

void MsgCaptureChanged(HWND window) {
  if (LinkHasCapture != 1) return;
  LinkHasCapture = 0;
  SendState(window, LINK_NORMAL, 0);
}

}  // namespace

LRESULT CALLBACK LinkControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      MsgPaint(window);
      return 0;
    case WM_MOUSEMOVE:
      MsgMouseMove(window, wParam, lParam);
      return 0;
    case WM_LBUTTONDOWN:
      MsgLeftButtonDown(window);
      return 0;
    case WM_LBUTTONUP:
      MsgLeftButtonUp(window);
      return 0;
    case WM_CAPTURECHANGED:
      MsgCaptureChanged(window);
      return 0;
    case MSG_LINK_STATE:
      MsgLinkState(window, wParam, lParam);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void InitLinkControl() {
  LinkFontFor(DpiOfWindow(nullptr));

  WNDCLASSEXA linkClass = {};
  linkClass.cbSize = sizeof linkClass;
  linkClass.style = CS_VREDRAW | CS_HREDRAW | CS_BYTEALIGNWINDOW;
  linkClass.lpfnWndProc = LinkControlProc;
  linkClass.hInstance = ProgramInstance;
  linkClass.hCursor = LoadCursorA(nullptr, IDC_HAND);
  linkClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  linkClass.lpszClassName = TEXT_LINK_CLASS;
  RegisterClassExA(&linkClass);
}
