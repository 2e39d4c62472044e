// The frame window procedure only distributes messages; each non-trivial
// message has a handler of its own, here or in the part that owns it.
#include "framewindow/frame_window.h"

#include <algorithm>

#include "app/desktop_metrics.h"
#include "app/display_scale.h"
#include "app/ids.h"
#include "app/program.h"
#include "app/scale_rules.h"
#include "app/settings.h"
#include "app/shared_windows.h"
#include "app/texts.h"
#include "desktop/autostart.h"
#include "desktop/presence.h"
#include "desktop/tray_icon.h"
#include "framewindow/context_menu.h"
#include "framewindow/ornament.h"
#include "framewindow/photo_frame_sources.h"
#include "framewindow/photo_placement.h"
#include "framewindow/photo_ways_in.h"
#include "framewindow/picture_worker.h"
#include "framewindow/slideshow.h"
#include "imaging/compositor.h"
#include "imaging/picture_types.h"
#include "splash/splash.h"

void StoreWindowRect() {
  // A minimised window reports a parking rectangle far off-screen; keeping
  // the last real one means the next start shows the window where it was.
  if (IsIconic(FrameWindow)) return;
  RECT rect;
  if (!GetWindowRect(FrameWindow, &rect)) return;
  Settings->X1 = rect.left;
  Settings->Y1 = rect.top;
  Settings->W1 = UnscaleFromDpi(rect.right - rect.left, FrameDpi);
  Settings->H1 = UnscaleFromDpi(rect.bottom - rect.top, FrameDpi);
}

namespace {

// Sent to every top-level window when the shell (and its tray) starts again.
UINT TaskbarCreatedMessage;

// The first window also makes what every ornament shares: the region
// buffer, the menu and the picture worker.
void StartSharedParts() {
  TaskbarCreatedMessage = RegisterWindowMessageA(TEXT_TASKBAR_CREATED_MESSAGE);
  RegionBufferHandle = GlobalAlloc(GMEM_MOVEABLE, REGION_BUFFER_SIZE);
  RegionBuffer = static_cast<RGNDATA*>(GlobalLock(RegionBufferHandle));
  BuildContextMenu();
  // The extension list is made here, once, before the worker reads it.
  PictureExtensions();
  const PictureWorkFunction work[PICTURE_KIND_COUNT] = {LoadPhotoWork, LoadFrameWork, ListSlidesWork, LoadPhotoWork};
  StartPictureWorker(work);
}

void MsgCreate(HWND window, const CREATESTRUCTA* creation) {
  AttachOrnament(window, creation);
  if (!ContextMenu) StartSharedParts();
  SetPictureOwnerWindow(PictureOwner, window);
  MakeBitmapSurface(FrameDC, Composed->photo, Settings->W2, Settings->H2, PLACEHOLDER_PHOTO_WIDTH,
                    PLACEHOLDER_PHOTO_HEIGHT);
  ResumeSlideshow();
}

void MsgPictureReady(WPARAM kind) {
  switch (kind) {
    case PICTURE_PHOTO:
      PhotoReady();
      break;
    case PICTURE_FRAME:
      FrameReady();
      break;
    case PICTURE_LISTING:
      SlideListingReady();
      break;
    case PICTURE_SLIDE:
      SlideReady();
      break;
  }
}

// The program ends with its last window; one ornament closed leaves the others.
void MsgDestroy(HWND window) {
  if (!DetachOrnament(window)) return;
  StopPictureWorker();
  UpdateTrayIcon(TRAY_ICON_REMOVE);
  PostQuitMessage(0);
}

void MsgSize(WPARAM kind) {
  if (kind == SIZE_MINIMIZED) {
    SendMessageA(FrameWindow, MSG_SET_SHOW_STATE, 2, 0);
  } else {
    if (kind == SIZE_RESTORED) RecordSystemRestore();
    SendMessageA(FrameWindow, MSG_RECOMPOSE, 0, 1);
  }
  StoreWindowRect();
}

void MsgPaint(HWND window) {
  PAINTSTRUCT paint;
  BeginPaint(window, &paint);
  SendMessageA(FrameWindow, MSG_RECOMPOSE, 1, 1);
  EndPaint(window, &paint);
}

void MsgGetMinMaxInfo(MINMAXINFO* limits) {
  limits->ptMinTrackSize = {30, 40};
  limits->ptMaxTrackSize = {DesktopMetrics.screenWidth, DesktopMetrics.screenHeight};
}

// On a monitor of another scale the window takes the rectangle the system
// suggests (its sides scaled) and remakes its picture and icons for it; the
// menu's pictures follow when its menu opens.
void MsgDpiChanged(WPARAM dpis, const RECT* suggested) {
  FrameDpi = ThisOrnament->dpi = HIWORD(dpis);
  SetWindowPos(FrameWindow, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
               suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageA(FrameWindow, MSG_RECOMPOSE, 0, 0);
}

// The hint stays while the cursor is anywhere over the window's rectangle,
// also where the outline leaves the desktop showing.
void MsgTimer() {
  POINT cursor;
  RECT rect;
  if (!GetCursorPos(&cursor) || !GetWindowRect(FrameWindow, &rect) || PtInRect(&rect, cursor)) return;
  ShowHint(0);
}

// Windows may end the process right after this message: a user who always
// logs off with the ornament running keeps every change.
void MsgEndSession(WPARAM ending) {
  if (!ending) return;
  ProgramEnding = true;
  WriteSettingsAtEnd();
}

// Any ornament's Close ends the program and keeps every ornament for the
// next start. From here on a start that comes finds the program ending and
// waits for it to go.
void MsgClose() {
  ProgramEnding = true;
  HWND windows[ORNAMENTS_MAX];
  const int count = OrnamentCount;
  std::copy(OrnamentWindows, OrnamentWindows + count, windows);
  for (int i = count - 1; i >= 0; --i) {
    if (windows[i]) DestroyWindow(windows[i]);
  }
}

// Photos from other starts go to the ornament used last, and the tray icon,
// whichever window it belongs to, acts on it.
bool ForwardToLastUsed(HWND window, UINT message) {
  return (message == WM_COPYDATA || message == MSG_TRAY_NOTIFY) && LastUsedWindow && window != LastUsedWindow;
}

LRESULT HandleFrameMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace

LRESULT CALLBACK FrameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (ForwardToLastUsed(window, message)) return SendMessageA(LastUsedWindow, message, wParam, lParam);
  const OrnamentSelection selection(window);
  return HandleFrameMessage(window, message, wParam, lParam);
}

namespace {

LRESULT HandleFrameMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // The shell's broadcast reaches every ornament; the tray icon is added once.
  if (message == TaskbarCreatedMessage && message != 0) {
    if (window == LastUsedWindow) RestoreTrayIconAfterShellRestart();
    return 0;
  }
  switch (message) {
    case WM_CREATE:
      MsgCreate(window, reinterpret_cast<const CREATESTRUCTA*>(lParam));
      return 0;
    case WM_CLOSE:
      MsgClose();
      return 0;
    case WM_DESTROY:
      MsgDestroy(window);
      return 0;
    case MSG_CLOSE_ORNAMENT:
      CloseOrnament(window);
      return 0;
    case WM_MOVE:
      StoreWindowRect();
      return 0;
    case WM_SIZE:
      HoldSlideshow(message);
      MsgSize(wParam);
      return 0;
    case WM_PAINT:
      MsgPaint(window);
      return 0;
    case WM_SETTINGCHANGE:
    case WM_USERCHANGED:
    case WM_DISPLAYCHANGE:
    case WM_THEMECHANGED:
      RefreshDesktopMetrics();
      return 0;
    case WM_DPICHANGED:
      MsgDpiChanged(wParam, reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_GETMINMAXINFO:
      MsgGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
      return 0;
    case WM_TIMER:
      if (wParam == SLIDE_TIMER_ID) {
        MsgSlideTimer();
      } else if (wParam == PICTURE_WATCH_TIMER_ID) {
        WatchPictureWorker(window);
      } else if (wParam == ICON_TIMER_ID) {
        ApplyPendingIcon();
      } else {
        MsgTimer();
      }
      return 0;
    case WM_ENDSESSION:
      MsgEndSession(wParam);
      return 0;
    case WM_KEYDOWN:
      MsgKeyDown(wParam, lParam);
      return 0;
    case WM_MOUSEMOVE:
      HoldSlideshow(message);
      MsgMouseMove();
      return 0;
    case WM_LBUTTONDOWN:
      MarkOrnamentUsed(ThisOrnament);
      MsgLButtonDown(wParam);
      return 0;
    case WM_LBUTTONUP:
      MsgLButtonUp();
      return 0;
    case WM_MOUSEWHEEL:
      MsgMouseWheel(wParam, lParam);
      return 0;
    case WM_CAPTURECHANGED:
      HoldSlideshow(message);
      MsgCaptureChanged();
      return 0;
    // The user's hand on the menu, a dialog (which disables the window), a
    // move; or the window shown again: the slideshow waits, then handling goes on.
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
    case WM_ENABLE:
    case WM_SHOWWINDOW:
    case WM_EXITSIZEMOVE:
      HoldSlideshow(message);
      break;
    case WM_DROPFILES:
      MarkOrnamentUsed(ThisOrnament);
      MsgDropFiles(reinterpret_cast<HDROP>(wParam));
      return 0;
    case WM_COPYDATA:
      return ProgramEnding ? 0 : MsgCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case WM_LBUTTONDBLCLK:
      SendMessageA(window, WM_COMMAND, IDM_MINIMIZE, 0);
      return 0;
    case WM_CONTEXTMENU:
      MarkOrnamentUsed(ThisOrnament);
      MsgContextMenu();
      return 0;
    case WM_INITMENUPOPUP:
      MsgInitMenuPopup(reinterpret_cast<HMENU>(wParam));
      return 0;
    case WM_COMMAND:
      MsgCommand(wParam);
      return 0;
    case MSG_RECOMPOSE:
      MsgRecompose(wParam, lParam);
      return 0;
    case MSG_SET_PHOTO:
      return MsgSetPhoto(wParam, lParam);
    case MSG_PICTURE_READY:
      MsgPictureReady(wParam);
      return 0;
    case MSG_PICTURES_PENDING:
      return AnyPictureWorkPending();
    case MSG_SET_FRAME:
      return MsgSetFrame(wParam, lParam);
    case MSG_TRAY_NOTIFY:
      MsgTrayNotify(wParam, lParam);
      return 0;
    case MSG_SET_TRAY_ICON:
      MsgSetTrayIcon(wParam, lParam);
      return 0;
    case MSG_SET_TOPMOST:
      MsgSetTopmost(wParam);
      return 0;
    case MSG_SET_AUTOSTART:
      MsgSetAutostart(wParam, lParam);
      return 0;
    case MSG_SET_TASKBAR:
      MsgSetTaskbar(wParam);
      return 0;
    case MSG_SET_SHOW_STATE:
      // Another start learns from the answer whether this program goes on.
      if (ProgramEnding) return 0;
      MsgSetShowState(wParam, lParam);
      return 1;
    case MSG_RESIZE_STEP:
      MsgResizeStep(wParam);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace
