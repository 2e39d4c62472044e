// The main thread's side of the splash: the pictures, the thread and the wait
// for its window at start, then the hint for the frame window. Requests to the
// window are queued to its thread in order, so the frame window never waits on it.
#include "splash/splash.h"

#include <utility>

#include "app/desktop_metrics.h"
#include "app/display_scale.h"
#include "app/ids.h"
#include "app/scale_rules.h"
#include "app/settings.h"
#include "app/shared_windows.h"
#include "imaging/enlarge.h"
#include "imaging/image_loader.h"
#include "splash/splash_window.h"

HWND SplashWindow;
DWORD SplashReadyWaitMs = 30000;

namespace {

// Before the hint stage, or without a window, ShowHint has nothing to act on.
constexpr int HINT_UNAVAILABLE = -2;
constexpr int HINT_NOTHING_APPLIED = -1;

int HintShown = HINT_UNAVAILABLE;
HWND HintTimerWindow;

// The pictures are drawn for 96 DPI: on a screen of a larger scale they are
// enlarged smoothly, or shown as drawn when that cannot be done.
void ScalePicture(SplashPictureRecord& picture, int dpi) {
  const int width = ScaleToDpi(picture.width, dpi), height = ScaleToDpi(picture.height, dpi);
  if (width <= picture.width && height <= picture.height) return;
  Surface scaled;
  int32_t scaledWidth = 0, scaledHeight = 0;
  uint32_t* pixels = nullptr;
  if (!MakeDibSurface(nullptr, scaled, scaledWidth, scaledHeight, pixels, width, height) ||
      !EnlargeSmoothly(picture.pixels, picture.width, picture.height, pixels, scaledWidth, scaledHeight)) {
    return;
  }
  picture.surface = std::move(scaled);
  picture.width = scaledWidth;
  picture.height = scaledHeight;
  picture.pixels = pixels;
}

int TakePicture(ImageSource source, SplashPictureRecord& picture) {
  if (!DecodeImage(source, nullptr)) return 0;
  TakeLoaderSurface(picture.surface);
  picture.pixels = DibPixels(picture.surface, &picture.width, &picture.height);
  if (!picture.pixels) return 0;
  ScalePicture(picture, DpiOfWindow(nullptr));
  return 1;
}

}  // namespace

void StartSplash() {
  TakePicture(HINT_PICTURE_ID, HintPicture);
  if (!TakePicture(SPLASH_PICTURE_ID, SplashPicture)) return;
  SplashPosition = {DesktopMetrics.screenCentreX - SplashPicture.width / 2,
                    DesktopMetrics.screenCentreY - SplashPicture.height / 2};
  SplashShownAtStart = ProgramSettings.Splash == 1;
  SplashReady = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (!SplashReady) return;
  HANDLE thread = CreateThread(nullptr, 0, SplashThread, nullptr, 0, nullptr);
  if (!thread) return;
  CloseHandle(thread);
  WaitForSingleObject(SplashReady, SplashReadyWaitMs);
  int outcome = HAND_OVER_PENDING;
  if (!SplashHandOver.compare_exchange_strong(outcome, HAND_OVER_ABANDONED) && outcome == HAND_OVER_READY) {
    SplashWindow = SplashThreadWindow;
  }
}

void EnterHintMode() {
  if (!SplashWindow) return;
  SendNotifyMessageA(SplashWindow, MSG_ENTER_HINT_MODE, 0, 0);
  HintShown = HINT_NOTHING_APPLIED;
}

void ShowHint(int visible) {
  if (HintShown == HINT_UNAVAILABLE) return;
  const int request = visible != 0 && ProgramSettings.Hint == 1;
  if (request == HintShown) return;
  HintShown = request;
  SendNotifyMessageA(SplashWindow, MSG_SHOW_HINT, static_cast<WPARAM>(request), 0);
  // The timer is the window's the hint came up over.
  if (request) {
    HintTimerWindow = FrameWindow;
    SetTimer(HintTimerWindow, HINT_TIMER_ID, HINT_TIMER_PERIOD_MS, nullptr);
  } else if (HintTimerWindow) {
    KillTimer(std::exchange(HintTimerWindow, nullptr), HINT_TIMER_ID);
  }
}
