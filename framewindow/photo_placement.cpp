#include "framewindow/photo_placement.h"

#include "app/display_scale.h"
#include "app/ids.h"
#include "app/settings.h"
#include "app/shared_windows.h"
#include "app/work_area_rules.h"
#include "framewindow/ornament.h"
#include "framewindow/placement_rules.h"
#include "splash/splash.h"

CursorPosFunction CursorPosCall = GetCursorPos;

namespace {

PhotoView CurrentView() { return {Settings->W3, Settings->H3, Settings->X2, Settings->Y2}; }

void StoreView(const PhotoView& view) {
  Settings->W3 = view.wideSide;
  Settings->H3 = view.highSide;
  Settings->X2 = view.left;
  Settings->Y2 = view.top;
}

// Without a first cursor position (another desktop has the input) there is
// nothing to measure the steps from: no drag.
void StartDrag(int& active) {
  if (!CursorPosCall(&ThisOrnament->drag.lastPoint)) return;
  active = 1;
  ThisOrnament->drag.pan = {};
  ThisOrnament->drag.zoom = StartZoomDrag(CurrentView());
  SetCursor(LoadCursorA(nullptr, IDC_SIZEALL));
  SetCapture(FrameWindow);
}

void ShowFrame(int32_t frameId) {
  if (frameId != Settings->FrameID) SendMessageA(FrameWindow, MSG_SET_FRAME, static_cast<WPARAM>(frameId), 0);
}

}  // namespace

void MsgLButtonDown(WPARAM keys) {
  if (keys & MK_CONTROL) {
    StartDrag(ThisOrnament->drag.panActive);
  } else if (keys & MK_SHIFT) {
    StartDrag(ThisOrnament->drag.zoomActive);
  } else {
    // The system's own move loop moves the window; its moves reach WM_MOVE.
    SetCursor(LoadCursorA(nullptr, IDC_HAND));
    SendMessageA(FrameWindow, WM_NCLBUTTONDOWN, HTCAPTION, 0);
  }
}

void MsgMouseMove() {
  ShowHint(1);
  if (ThisOrnament->drag.panActive != 1 && ThisOrnament->drag.zoomActive != 1) return;
  // Screen coordinates: the window itself does not move under the cursor.
  POINT cursor;
  if (!CursorPosCall(&cursor)) return;
  const int32_t dx = cursor.x - ThisOrnament->drag.lastPoint.x;
  const int32_t dy = cursor.y - ThisOrnament->drag.lastPoint.y;
  ThisOrnament->drag.lastPoint = cursor;
  RECT client = {};
  GetClientRect(FrameWindow, &client);
  const DragMeasures measures = {client.right, client.bottom, Settings->W2, Settings->H2};
  PhotoView view = CurrentView();
  if (ThisOrnament->drag.panActive == 1) PanView(view, dx, dy, measures, ThisOrnament->drag.pan);
  if (ThisOrnament->drag.zoomActive == 1) ZoomView(view, ZoomAmount(dx, dy), measures, ThisOrnament->drag.zoom);
  StoreView(view);
  SendMessageA(FrameWindow, MSG_RECOMPOSE, 0, 0);
}

void MsgLButtonUp() {
  if (ThisOrnament->drag.panActive == 1) {
    ThisOrnament->drag.panActive = 0;
    ReleaseCapture();
  }
  if (ThisOrnament->drag.zoomActive == 1) {
    ThisOrnament->drag.zoomActive = 0;
    ReleaseCapture();
  }
}

void MsgCaptureChanged() {
  ThisOrnament->drag.panActive = 0;
  ThisOrnament->drag.zoomActive = 0;
  ShowHint(0);
}

// A step near the screen's edge moves the window inward rather than past it.
void MsgResizeStep(WPARAM direction) {
  RECT rect;
  GetWindowRect(FrameWindow, &rect);
  const WindowBox box =
      ResizeStep(rect.left, rect.top, rect.right, rect.bottom, static_cast<int16_t>(HIWORD(direction)), FrameDpi);
  ScreenRect placed = {box.left, box.top, box.left + box.width, box.top + box.height};
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoA(MonitorFromWindow(FrameWindow, MONITOR_DEFAULTTONEAREST), &monitor)) {
    const RECT& work = monitor.rcWork;
    placed = KeepOnWorkArea(placed, {rect.left, rect.top, rect.right, rect.bottom},
                            {work.left, work.top, work.right, work.bottom});
  }
  MoveWindow(FrameWindow, placed.left, placed.top, box.width, box.height, TRUE);
}

void MsgMouseWheel(WPARAM wParam, LPARAM lParam) { SendMessageA(FrameWindow, MSG_RESIZE_STEP, wParam, lParam); }

void MsgKeyDown(WPARAM key, LPARAM keyData) {
  switch (key & 0xFF) {
    case VK_ADD:
    case VK_OEM_PLUS:
      SendMessageA(FrameWindow, MSG_RESIZE_STEP, 0xFFFFFFFF, keyData);
      break;
    case VK_SUBTRACT:
    case VK_OEM_MINUS:
      SendMessageA(FrameWindow, MSG_RESIZE_STEP, 1, keyData);
      break;
    case VK_F1:
      SendMessageA(FrameWindow, WM_COMMAND, IDM_ABOUT, 0);
      break;
    case VK_ESCAPE:
      SendMessageA(FrameWindow, WM_COMMAND, IDM_MINIMIZE, 0);
      break;
    case VK_PRIOR:
      ShowFrame(PreviousFrameId(Settings->FrameID));
      break;
    case VK_NEXT:
      ShowFrame(NextFrameId(Settings->FrameID));
      break;
    case VK_RIGHT:
      SendMessageA(FrameWindow, WM_COMMAND, IDM_SLIDES_NEXT, 0);
      break;
    case VK_LEFT:
      SendMessageA(FrameWindow, WM_COMMAND, IDM_SLIDES_PREVIOUS, 0);
      break;
  }
}
