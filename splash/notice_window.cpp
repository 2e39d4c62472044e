#include "splash/notice_window.h"

#include <windows.h>

#include <algorithm>

#include "app/display_scale.h"
#include "app/ids.h"
#include "app/program.h"
#include "app/scale_rules.h"
#include "app/settings.h"
#include "app/shared_windows.h"
#include "app/texts.h"
#include "app/wide_text.h"
#include "imaging/image_loader.h"
#include "imaging/owned_handle.h"

namespace {

// The hint picture's colours: a cream gradient, a brown line round it, dark
// brown words and a red heart.
constexpr COLORREF NOTICE_TOP = RGB(255, 250, 239);
constexpr COLORREF NOTICE_BOTTOM = RGB(247, 236, 213);
constexpr COLORREF NOTICE_BORDER = RGB(176, 138, 90);
constexpr COLORREF NOTICE_INK = RGB(59, 43, 27);
constexpr COLORREF NOTICE_HEART = RGB(217, 31, 72);
// In 96-DPI units, as the hint is drawn.
constexpr int NOTICE_TEXT_WIDTH_MAX = 300;
constexpr int NOTICE_PADDING = 7;
constexpr int NOTICE_HEART_SIDE = 12;
constexpr int NOTICE_GAP = 6;
constexpr int NOTICE_FONT_POINTS = 9;

// Made again only when the scale changes; the last one lives as long as the process.
HWND NoticeWindow;
HFONT NoticeFont;
int NoticeFontDpi;
int NoticeDpi = BASE_DPI;

int Scaled(int units) { return ScaleToDpi(units, NoticeDpi); }

HFONT FontForDpi() {
  if (!NoticeFont || NoticeFontDpi != NoticeDpi) {
    if (NoticeFont) DeleteObject(NoticeFont);
    NoticeFont = CreateFontW(-MulDiv(NOTICE_FONT_POINTS, NoticeDpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                             DEFAULT_PITCH | FF_SWISS, TEXT_NOTICE_FONT);
    NoticeFontDpi = NoticeDpi;
  }
  return NoticeFont;
}

COLORREF Between(COLORREF from, COLORREF to, int step, int steps) {
  const auto mix = [&](int a, int b) { return a + (b - a) * step / std::max(steps, 1); };
  return RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
             mix(GetBValue(from), GetBValue(to)));
}

// Two round lobes over a point, as the hint's heart.
void DrawHeart(HDC dc, int left, int top, int side) {
  OwnedBrush brush;
  brush.Reset(CreateSolidBrush(NOTICE_HEART));
  HGDIOBJ previousBrush = SelectObject(dc, brush.handle);
  HGDIOBJ previousPen = SelectObject(dc, GetStockObject(NULL_PEN));
  const int half = side / 2;
  Ellipse(dc, left, top, left + half + 2, top + half + 2);
  Ellipse(dc, left + side - half - 2, top, left + side + 1, top + half + 2);
  const POINT point[] = {{left, top + half / 2 + 2}, {left + side + 1, top + half / 2 + 2}, {left + half, top + side}};
  Polygon(dc, point, 3);
  SelectObject(dc, previousPen);
  SelectObject(dc, previousBrush);
}

// Where the words go: the very rectangle they were measured in, so that they
// wrap when drawn exactly as when measured.
RECT NoticeWords;

constexpr UINT NOTICE_TEXT_FORMAT = DT_LEFT | DT_NOPREFIX;
// A message that fits one line is drawn as one: Wine's word breaking can
// push its last character onto a line of its own.
UINT NoticeFormat = NOTICE_TEXT_FORMAT;

void MsgPaint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  for (int y = 0; y < client.bottom; ++y) {
    OwnedBrush row;
    row.Reset(CreateSolidBrush(Between(NOTICE_TOP, NOTICE_BOTTOM, y, client.bottom - 1)));
    const RECT line = {0, y, client.right, y + 1};
    FillRect(dc, &line, row.handle);
  }
  OwnedBrush border;
  border.Reset(CreateSolidBrush(NOTICE_BORDER));
  FrameRect(dc, &client, border.handle);
  DrawHeart(dc, Scaled(NOTICE_PADDING), Scaled(NOTICE_PADDING + 2), Scaled(NOTICE_HEART_SIDE));
  wchar_t text[NOTICE_TEXT_SIZE];
  GetWindowTextW(window, text, NOTICE_TEXT_SIZE);
  HGDIOBJ previousFont = SelectObject(dc, FontForDpi());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, NOTICE_INK);
  RECT words = NoticeWords;
  DrawTextW(dc, text, -1, &words, NoticeFormat | DT_NOCLIP);
  SelectObject(dc, previousFont);
  EndPaint(window, &paint);
}

LRESULT CALLBACK NoticeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_TIMER:
      HideNotice();
      return 0;
    case WM_PAINT:
      MsgPaint(window);
      return 0;
    // Screen readers and magnifiers ask which font the words are in.
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(FontForDpi());
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// A wide window, so that its text is every name as it is.
HWND MakeNoticeWindow() {
  wchar_t className[sizeof TEXT_NOTICE_CLASS];
  WidenUtf8(TEXT_NOTICE_CLASS, className, sizeof TEXT_NOTICE_CLASS);
  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = NoticeWindowProc;
  windowClass.hInstance = ProgramInstance;
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.lpszClassName = className;
  RegisterClassExW(&windowClass);
  return CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, className, L"", WS_POPUP, 0, 0, 0, 0,
                         nullptr, nullptr, ProgramInstance, nullptr);
}

// The frame window's rectangle (at start-up, where it is about to show) and
// its monitor's work area; a window put away counts as standing in the work
// area's bottom-right corner.
void FrameAndWorkArea(NoticeBox& frame, NoticeBox& work) {
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(FrameWindow, MONITOR_DEFAULTTOPRIMARY), &monitor);
  work = {monitor.rcWork.left, monitor.rcWork.top, monitor.rcWork.right, monitor.rcWork.bottom};
  RECT rect;
  if (ProgramSettings.Show != 2 && !IsIconic(FrameWindow) && GetWindowRect(FrameWindow, &rect)) {
    frame = {rect.left, rect.top, rect.right, rect.bottom};
  } else {
    frame = {work.right, work.bottom, work.right, work.bottom};
  }
}

}  // namespace

void ShowNotice(const char* text) {
  if (!NoticeWindow && !(NoticeWindow = MakeNoticeWindow())) return;
  wchar_t wide[NOTICE_TEXT_SIZE];
  WidenUtf8(text, wide, NOTICE_TEXT_SIZE);
  SetWindowTextW(NoticeWindow, wide);
  NoticeDpi = FrameWindow ? DpiOfWindow(FrameWindow) : DpiOfWindow(nullptr);
  // The words' size at the widest the notice may be, then the box round them.
  HDC dc = GetDC(NoticeWindow);
  HGDIOBJ previousFont = SelectObject(dc, FontForDpi());
  RECT words = {0, 0, Scaled(NOTICE_TEXT_WIDTH_MAX), 0};
  DrawTextW(dc, wide, -1, &words, NOTICE_TEXT_FORMAT | DT_SINGLELINE | DT_CALCRECT);
  NoticeFormat = NOTICE_TEXT_FORMAT | DT_SINGLELINE;
  if (words.right > Scaled(NOTICE_TEXT_WIDTH_MAX)) {
    words = {0, 0, Scaled(NOTICE_TEXT_WIDTH_MAX), 0};
    NoticeFormat = NOTICE_TEXT_FORMAT | DT_WORDBREAK | DT_EDITCONTROL;
    DrawTextW(dc, wide, -1, &words, NoticeFormat | DT_CALCRECT);
  }
  SelectObject(dc, previousFont);
  ReleaseDC(NoticeWindow, dc);
  const int width = words.right + Scaled(NOTICE_PADDING * 3 + NOTICE_HEART_SIDE);
  const int height = std::max<int>(words.bottom, Scaled(NOTICE_HEART_SIDE + 4)) + Scaled(NOTICE_PADDING * 2);
  NoticeWords = words;
  OffsetRect(&NoticeWords, Scaled(NOTICE_PADDING * 2 + NOTICE_HEART_SIDE), Scaled(NOTICE_PADDING));
  NoticeBox frame, work;
  FrameAndWorkArea(frame, work);
  const NoticeBox placed = PlaceNotice(frame, width, height, work, Scaled(NOTICE_GAP));
  SetWindowPos(NoticeWindow, HWND_TOPMOST, placed.left, placed.top, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(NoticeWindow, nullptr, FALSE);
  SetTimer(NoticeWindow, NOTICE_TIMER_ID, NOTICE_SHOWN_MS, nullptr);
}

void HideNotice() {
  if (!NoticeWindow) return;
  KillTimer(NoticeWindow, NOTICE_TIMER_ID);
  ShowWindow(NoticeWindow, SW_HIDE);
}

void NotifyRefusal(NoticeSubject subject, const char* path, const RefusalRecord& why, int fileCount) {
  char text[NOTICE_TEXT_SIZE];
  if (ComposeRefusalNotice(text, sizeof text, subject, path, why, fileCount)) ShowNotice(text);
}
