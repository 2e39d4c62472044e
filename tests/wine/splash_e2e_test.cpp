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

  HWND frame = StartUpEnded(FindFrameWindow());
  ASSERT_TRUE(frame);
  EXPECT_FALSE(Visible(splash));
  const HWND foreground = GetForegroundWindow();
  const Box onFrame = BoxOf(frame);
  ASSERT_TRUE(RunXdotool("mousemove 5 5 mousemove " + std::to_string(onFrame.left + onFrame.width / 2) + " " +
                         std::to_string(onFrame.top + onFrame.height / 2)));
  ASSERT_TRUE(WaitUntil([&] { return Visible(splash); }));
  EXPECT_EQ(GetWindowLongA(splash, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_APPWINDOW), WS_EX_TOOLWINDOW);
  EXPECT_EQ(GetForegroundWindow(), foreground);

  ASSERT_TRUE(RunXdotool("mousemove 5 5"));
  EXPECT_TRUE(WaitUntil([&] { return !Visible(splash); }, 1000));
  EXPECT_EQ(CloseAndWait(program, frame), 0);
}

}  // namespace
