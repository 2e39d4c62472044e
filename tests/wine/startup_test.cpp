// Start-up and the settings store, in-process, against a private registry.
#include <gtest/gtest.h>

#include <string>

#include "app/desktop_metrics.h"
#include "app/program.h"
#include "app/settings.h"
#include "framewindow/frame_window.h"
#include "tests/wine/harness.h"

namespace {

class StartupTest : public testing::Test {
 protected:
  void SetUp() override { RedirectCurrentUser(); }
  void TearDown() override {
    if (IsWindow(FrameWindow)) DestroyWindow(FrameWindow);
    RestoreCurrentUser();
  }

  // Closes the window as the Exit command does and ends the run as the
  // entry point does.
  void CloseAndEnd() {
    SendMessageA(FrameWindow, WM_CLOSE, 0, 0);
    bool quit = false;
    ASSERT_TRUE(WaitUntil([&] {
      MSG message;
      if (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) quit = true;
      return quit;
    }));
    EndProgram(1);
  }
};

TEST_F(StartupTest, FirstRunWritesEveryBuiltInValueAndShowsTheWindowAtTheRightEdge) {
  ASSERT_EQ(StartProgram(), 1);
  EXPECT_EQ(CountValues(REG_DWORD), 18);
  EXPECT_EQ(CountValues(REG_SZ), 3);
  DWORD value = 0;
  ASSERT_TRUE(ReadDword("X1", &value));
  EXPECT_EQ(static_cast<LONG>(value), DesktopMetrics.workArea.right - 100);
  ASSERT_TRUE(ReadDword("Y1", &value));
  EXPECT_EQ(value, 32u);
  ASSERT_TRUE(ReadDword("FrameID", &value));
  EXPECT_EQ(value, 2008u);
  ASSERT_TRUE(ReadDword("X2", &value));
  EXPECT_EQ(static_cast<int32_t>(value), -21);
  std::string text;
  for (const char* name : {"Path", "Photo", "Frame"}) {
    ASSERT_TRUE(ReadString(name, &text)) << name;
    EXPECT_EQ(text, "") << name;
  }
  EXPECT_EQ(StartFrame, static_cast<ImageSource>(2008));
  EXPECT_EQ(StartPhoto, DEFAULT_PHOTO_ID);

  ASSERT_TRUE(WaitUntil([] { return IsWindowVisible(FrameWindow) != 0; }));
  RECT rect;
  GetWindowRect(FrameWindow, &rect);
  EXPECT_EQ(rect.right, DesktopMetrics.workArea.right);
  EXPECT_EQ(rect.top, 32);
  EXPECT_EQ(rect.right - rect.left, 100);
  EXPECT_EQ(rect.bottom - rect.top, 100);
}

}  // namespace
