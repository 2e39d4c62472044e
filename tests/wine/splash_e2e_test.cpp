// The real program's splash during start-up and its hint beside the frame,
// driven with the mouse as a user would.
#include <string>

#include "app/texts.h"
#include "tests/wine/program_fixture.h"

namespace {

bool Visible(HWND window) { return IsWindowVisible(window) != 0; }

TEST_F(RealProgramTest, SplashAtStartUpThenTheHintWhileTheMouseIsOverTheFrame) {
  RunningProgram program;
  ASSERT_TRUE(StartProgramProcess(program));
  HWND splash = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (splash = FindWindowA(TEXT_SPLASH_CLASS, nullptr)) && Visible(splash); }));
  RECT rect;
  GetWindowRect(splash, &rect);
  EXPECT_EQ(rect.left, GetSystemMetrics(SM_CXSCREEN) / 2 - (rect.right - rect.left) / 2);
  EXPECT_EQ(rect.top, GetSystemMetrics(SM_CYSCREEN) / 2 - (rect.bottom - rect.top) / 2);

  HWND frame = StartUpEnded(FindFrameWindow());
  ASSERT_TRUE(frame);
  EXPECT_FALSE(Visible(splash));
  const HWND foreground = GetForegroundWindow();
  RECT frameRect, work;
  GetWindowRect(frame, &frameRect);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const std::string centre = std::to_string((frameRect.left + frameRect.right) / 2) + " " +
                             std::to_string((frameRect.top + frameRect.bottom) / 2);
  ASSERT_TRUE(RunXdotool("mousemove 5 5 mousemove " + centre));
  ASSERT_TRUE(WaitUntil([&] { return Visible(splash); }));
  GetWindowRect(splash, &rect);
  EXPECT_EQ(rect.right, work.right);
  EXPECT_EQ(rect.bottom, work.bottom);
  EXPECT_EQ(GetWindowLongA(splash, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_APPWINDOW), WS_EX_TOOLWINDOW);
  EXPECT_EQ(GetForegroundWindow(), foreground);

  ASSERT_TRUE(RunXdotool("mousemove 5 5"));
  EXPECT_TRUE(WaitUntil([&] { return !Visible(splash); }, 1000));
  EXPECT_EQ(CloseAndWait(program, frame), 0);
}

}  // namespace
