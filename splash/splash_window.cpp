// The splash and hint window and the thread that owns it. It paints and can
// be dragged while start-up keeps the main thread busy; nothing here reads or
// writes what the frame window owns.
#include "splash/splash_window.h"

#include "app/ids.h"
#include "app/program.h"
#include "app/shared_windows.h"
#include "app/texts.h"
#include "imaging/outline_scan.h"

SplashPictureRecord SplashPicture;
SplashPictureRecord HintPicture;
POINT SplashPosition;
int SplashShownAtStart;
HANDLE SplashReady;
std::atomic<int> SplashHandOver{HAND_OVER_PENDING};
HWND SplashThreadWindow;

namespace {

// 0 the splash, 1 the hint; only this thread reads or writes these.
int SplashStage;
// When the splash first painted (0: not yet), and the hint's last request,
// kept while the splash still shows.
DWORD SplashFirstPaint;
int HintRequested;
HDC SplashDC;
RegionBlock SplashRegion;

void AnchorHint(HWND window) {
  // Read here: the desktop metrics belong to the main thread.
  RECT work;
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) return;
  MoveWindow(window, work.right - HintPicture.width, work.bottom - HintPicture.height, HintPicture.width,
             HintPicture.height, FALSE);
}

// wParam 1 keeps the splash's region, as a repaint does.
void MsgRecompose(HWND window, WPARAM keepRegion) {
  const SplashPictureRecord& picture = SplashStage == 0 ? SplashPicture : HintPicture;
  if (SplashStage == 0 && keepRegion != 1) {
    ScanOutline(picture.pixels, picture.width, picture.height, &SplashRegion, nullptr, nullptr);
    HRGN shape = ExtCreateRegion(nullptr, sizeof SplashRegion, reinterpret_cast<const RGNDATA*>(&SplashRegion));
    if (shape) SetWindowRgn(window, shape, TRUE);
  }
  BitBlt(SplashDC, 0, 0, picture.width, picture.height, picture.surface.dc, 0, 0, SRCCOPY);
}

void MsgPaint(HWND window) {
  if (SplashStage == 0 && SplashFirstPaint == 0) SplashFirstPaint = GetTickCount() | 1;
  PAINTSTRUCT paint;
  BeginPaint(window, &paint);
  SendMessageA(window, MSG_RECOMPOSE, 1, 1);
  EndPaint(window, &paint);
}

// The system's move loop drags the splash; the hint stays where it is.
void MsgLButtonDown(HWND window) {
  if (SplashStage != 0) return;
  SetCursor(LoadCursorA(nullptr, IDC_HAND));
  SendMessageA(window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

// The hint lets every click through to the window under it: the frame may
// lie there, in the work area's corner.
void TurnIntoHint(HWND window) {
  KillTimer(window, SPLASH_TIMER_ID);
  ShowWindow(window, SW_HIDE);
  SplashStage = 1;
  SetWindowRgn(window, nullptr, TRUE);
  SetWindowLongA(window, GWL_EXSTYLE, GetWindowLongA(window, GWL_EXSTYLE) | WS_EX_LAYERED | WS_EX_TRANSPARENT);
  SetLayeredWindowAttributes(window, 0, 255, LWA_ALPHA);
  AnchorHint(window);
  if (HintRequested) ShowWindow(window, SW_SHOWNA);
}

// Start-up is done, but a splash seen for less than its time stays until
// then (a splash not yet painted counts from now); the frame window goes on
// meanwhile.
void MsgEnterHintMode(HWND window) {
  if (SplashStage != 0) return;
  const DWORD shownFor = SplashFirstPaint ? GetTickCount() - SplashFirstPaint : 0;
  if (!IsWindowVisible(window) || shownFor >= SPLASH_SHOWN_MS ||
      !SetTimer(window, SPLASH_TIMER_ID, SPLASH_SHOWN_MS - shownFor, nullptr)) {
    TurnIntoHint(window);
  }
}

void MsgShowHint(HWND window, WPARAM visible) {
  HintRequested = visible != 0;
  if (SplashStage == 1) ShowWindow(window, visible ? SW_SHOWNA : SW_HIDE);
}

LRESULT CALLBACK SplashWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      SplashDC = GetDC(window);
      return 0;
    case MSG_RECOMPOSE:
      MsgRecompose(window, wParam);
      return 0;
    case WM_PAINT:
      MsgPaint(window);
      return 0;
    case WM_LBUTTONDOWN:
      MsgLButtonDown(window);
      return 0;
    case MSG_ENTER_HINT_MODE:
      MsgEnterHintMode(window);
      return 0;
    case MSG_SHOW_HINT:
      MsgShowHint(window, wParam);
      return 0;
    case WM_TIMER:
      if (wParam == SPLASH_TIMER_ID) TurnIntoHint(window);
      return 0;
    // The hint follows the work area's corner. The splash stays whole where it
    // is: moved there it would be cut to the hint's size.
    case WM_SETTINGCHANGE:
    case WM_USERCHANGED:
    case WM_DISPLAYCHANGE:
    case WM_THEMECHANGED:
    // A drag of the splash that outlasts start-up ends with the hint in its corner.
    case WM_EXITSIZEMOVE:
      if (SplashStage == 1) AnchorHint(window);
      return 0;
    case WM_DESTROY:
      ReleaseSurface(SplashPicture.surface);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

DWORD WINAPI SplashThread(void*) {
  RegisterPopupClass(TEXT_SPLASH_CLASS, SplashWindowProc);
  HWND window = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, TEXT_SPLASH_CLASS, nullptr, WS_POPUP,
                                SplashPosition.x, SplashPosition.y, SplashPicture.width, SplashPicture.height,
                                nullptr, nullptr, ProgramInstance, nullptr);
  if (window) {
    SendMessageA(window, MSG_RECOMPOSE, 0, 0);
    if (SplashShownAtStart) ShowWindow(window, SW_SHOW);
  }
  SplashThreadWindow = window;
  int outcome = HAND_OVER_PENDING;
  if (!SplashHandOver.compare_exchange_strong(outcome, window ? HAND_OVER_READY : HAND_OVER_ABANDONED)) {
    // Start-up went on without this window: it must not stay on the screen.
    DestroyWindow(window);
    return 0;
  }
  SetEvent(SplashReady);
  if (!window) return 0;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
