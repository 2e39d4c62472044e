// The splash and hint window in this process: the splash alone (StartSplash
// without the rest of start-up), or the hint after a whole start-up.
#include <tlhelp32.h>

#include <atomic>
#include <string>

#include "app/desktop_metrics.h"
#include "app/display_scale.h"
#include "app/ids.h"
#include "app/scale_rules.h"
#include "app/texts.h"
#include "imaging/enlarge.h"
#include "tests/wine/imaging_files.h"
#include "splash/splash.h"
#include "tests/wine/frame_window_fixture.h"

namespace {

std::atomic<int> ShowRequests;

LRESULT CALLBACK CountShowRequests(int code, WPARAM wParam, LPARAM lParam) {
  const CWPSTRUCT* sent = reinterpret_cast<CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && sent->message == MSG_SHOW_HINT && sent->wParam != 0) ++ShowRequests;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool Visible() { return IsWindowVisible(SplashWindow) != 0; }

int ThreadsOfThisProcess() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  int count = 0;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    count += entry.th32OwnerProcessID == GetCurrentProcessId();
  }
  CloseHandle(snapshot);
  return count;
}

class SplashTest : public FrameWindowTest, public testing::WithParamInterface<int> {};

TEST_P(SplashTest, SplashIsShapedToThePictureAtTheScreenCentreShownOnlyWhenOnAndMovesWhenDragged) {
  ProgramInstance = GetModuleHandleA(nullptr);
  CoInitialize(nullptr);
  RefreshDesktopMetrics();
  ProgramSettings = BUILT_IN_SETTINGS;
  ProgramSettings.Splash = GetParam();
  StartSplash();
  ASSERT_TRUE(SplashWindow);
  EXPECT_EQ(Visible(), GetParam() == 1);
  // Drawn for 96 DPI and enlarged smoothly at a larger scale (the suite runs again at 144 and 192 DPI).
  ASSERT_TRUE(DecodeImage(SPLASH_PICTURE_ID, nullptr));
  const int dpi = DpiOfWindow(nullptr);
  const int width = ScaleToDpi(LoaderWidth, dpi), height = ScaleToDpi(LoaderHeight, dpi);
  Pixels picture(width * height);
  ASSERT_EQ(EnlargeSmoothly(LoaderPixels, LoaderWidth, LoaderHeight, picture.data(), width, height), 1);
  const Box centred = {GetSystemMetrics(SM_CXSCREEN) / 2 - width / 2, GetSystemMetrics(SM_CYSCREEN) / 2 - height / 2, width, height};
  EXPECT_EQ(BoxOf(SplashWindow), centred);
  EXPECT_EQ(ShapeErrors(SplashWindow, picture.data(), width, height), 0);
  if (GetParam() != 1) return;
  // The picture fills its shape from its first row and column.
  HDC dc = GetDC(SplashWindow);
  int wrong = 0;
  for (int i = 0; i < width * height; i += 7) {
    const uint32_t pixel = picture[i], shown = GetPixel(dc, i % width, i / width);
    wrong += pixel != OUTSIDE_KEY && shown != RGB(pixel >> 16, pixel >> 8 & 0xFF, pixel & 0xFF);
  }
  ReleaseDC(SplashWindow, dc);
  EXPECT_EQ(wrong, 0);
  ASSERT_TRUE(RunXdotool(PointerOnto(SplashWindow) + " mousedown 1 mousemove_relative -- 40 30 mouseup 1"));
  EXPECT_TRUE(WaitUntil([&] { return BoxOf(SplashWindow) == Box{centred.left + 40, centred.top + 30, width, height}; }));
}

// The hint is an unshaped rectangle in the work area's corner, shown only when
// on and hidden again once the cursor leaves the frame's rectangle.
TEST_P(SplashTest, HintShowsOnlyWhenOnAndHidesOnceTheCursorLeavesTheFrameAndFollowsTheWorkAreaCorner) {
  const int hint = GetParam();
  WriteDword("Hint", static_cast<DWORD>(hint));
  const DWORD begun = GetTickCount();
  Start();
  ASSERT_TRUE(SplashWindow);
  // A quick start-up does not flash the splash: it stays a while after the frame window is ready.
  EXPECT_TRUE(Visible() && IsWindowEnabled(FrameWindow));
  ASSERT_TRUE(WaitUntil([] { return !Visible(); }, 2 * SPLASH_SHOWN_MS));
  EXPECT_GE(GetTickCount() - begun, SPLASH_SHOWN_MS);
  SendMessageA(SplashWindow, WM_NULL, 0, 0);  // the splash's thread has turned it into the hint
  RECT shape;
  EXPECT_EQ(GetWindowRgnBox(SplashWindow, &shape), ERROR);
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, CountShowRequests, nullptr, GetWindowThreadProcessId(SplashWindow, nullptr));
  const Box frame = Placed();
  SetCursorPos(frame.left + 2, frame.top + 2);  // inside the rectangle, outside the outline
  ShowHint(1);
  ShowHint(1);
  EXPECT_EQ(WaitUntil(Visible, 4 * HINT_TIMER_PERIOD_MS), hint == 1);
  EXPECT_EQ(WaitUntil([] { return !Visible(); }, 4 * HINT_TIMER_PERIOD_MS), hint != 1) << "stays while on the frame";
  SetCursorPos(frame.left - 40, frame.top + frame.height + 40);
  EXPECT_TRUE(WaitUntil([] { return !Visible(); }, 10 * HINT_TIMER_PERIOD_MS));
  EXPECT_FALSE(KillTimer(FrameWindow, HINT_TIMER_ID));
  SendMessageA(SplashWindow, WM_NULL, 0, 0);  // the queued requests have been handled
  EXPECT_EQ(ShowRequests.exchange(0), hint == 1 ? 1 : 0) << "a repeated request is no new request";
  UnhookWindowsHookEx(hook);

  const LONG width = ScaleToDpi(286, DpiOfWindow(nullptr)), height = ScaleToDpi(48, DpiOfWindow(nullptr));
  RECT original;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &original, 0);
  for (RECT work : {RECT{original.left, original.top, original.right - 100, original.bottom - 60}, original}) {
    SystemParametersInfoA(SPI_SETWORKAREA, 0, &work, 0);
    SendMessageA(SplashWindow, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    EXPECT_EQ(BoxOf(SplashWindow), (Box{work.right - width, work.bottom - height, width, height}));
  }
}

INSTANTIATE_TEST_SUITE_P(OnAndOff, SplashTest, testing::Values(1, 0));

TEST_F(FrameWindowTest, StartUpGoesOnWhenTheSplashIsLate) {
  SplashReadyWaitMs = 0;
  ProgramInstance = GetModuleHandleA(nullptr);
  CoInitialize(nullptr);
  const int threads = ThreadsOfThisProcess();
  const DWORD begun = GetTickCount();
  StartSplash();
  EXPECT_LT(GetTickCount() - begun, 1000u);
  EXPECT_EQ(SplashWindow, nullptr);
  WNDCLASSEXA registered = {sizeof registered};
  ASSERT_TRUE(WaitUntil([&] { return GetClassInfoExA(ProgramInstance, TEXT_SPLASH_CLASS, &registered) != 0; }));
  // The late window does not stay behind on the screen.
  EXPECT_TRUE(WaitUntil([] { return FindWindowA(TEXT_SPLASH_CLASS, nullptr) == nullptr; }));
  // The process must not end while the late thread is still ending: Wine kills it then.
  EXPECT_TRUE(WaitUntil([&] { return ThreadsOfThisProcess() <= threads; }));
}

}  // namespace
