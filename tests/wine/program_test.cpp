// Start-up, single instance, the hidden switch and the settings of the real exe.
#include <string>

#include "app/ids.h"
#include "tests/wine/program_fixture.h"

namespace {

using ProgramTest = RealProgramTest;

TEST_F(ProgramTest, AFirstStartCreatesEverySettingAndTheNextStartShowsTheWindowWhereItWasMoved) {
  {
    RunningProgram program;
    HWND window = StartedWindow(program);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(CountValues(REG_DWORD), 18);
    EXPECT_EQ(CountValues(REG_SZ), 3);
    SetWindowPos(window, nullptr, 123, 456, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(CloseAndWait(program, window), 0);
  }
  RunningProgram program;
  HWND window = StartedWindow(program);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(BoxOf(window), (Box{123, 456, 100, 100}));
  EXPECT_EQ(CloseAndWait(program, window), 0);
}

TEST_F(ProgramTest, TheHiddenSwitchStartsWithoutAWindowUntilASecondStartShowsIt) {
  RunningProgram program;
  HWND window = StartedWindow(program, "/a");
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(IsWindowVisible(window));

  RunningProgram again;
  ASSERT_TRUE(StartProgramProcess(again));
  EXPECT_EQ(WaitForExit(again), 0);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(CountRunningPrograms(), 1);
  EXPECT_EQ(CloseAndWait(program, window), 0);
}

TEST_F(ProgramTest, TheEndOfTheSessionWritesTheSettingsBeforeTheProcessIsEnded) {
  WriteDword("FrameID", 2090);
  RunningProgram program;
  HWND window = StartedWindow(program);
  ASSERT_NE(window, nullptr);
  SetWindowPos(window, nullptr, 77, 88, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageA(window, WM_QUERYENDSESSION, 0, 0);
  SendMessageA(window, WM_ENDSESSION, TRUE, 0);
  TerminateProcess(program.process.hProcess, 1);
  WaitForExit(program);
  EXPECT_EQ(StoredDword("X1"), 77);
  EXPECT_EQ(StoredDword("Y1"), 88);
  EXPECT_EQ(StoredDword("FrameID"), 2090);
}

}  // namespace
