// Start-up, single instance, the hidden switch and the settings of the real exe.
#include <string>

#include "app/ids.h"
#include "tests/wine/program_fixture.h"

namespace {

using ProgramTest = RealProgramTest;

TEST_F(ProgramTest, AFirstStartCreatesEverySettingAndAnExitEndsWithCodeZero) {
  RunningProgram program;
  HWND window = StartedWindow(program);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(CountValues(REG_DWORD), 18);
  EXPECT_EQ(CountValues(REG_SZ), 3);
  EXPECT_EQ(CloseAndWait(program, window), 0);
}

TEST_F(ProgramTest, ASecondStartShowsTheRunningWindowAndEndsWithCodeZero) {
  RunningProgram first;
  HWND window = StartedWindow(first);
  ASSERT_NE(window, nullptr);
  SendMessageA(window, MSG_SET_SHOW_STATE, 2, 0);
  ASSERT_FALSE(IsWindowVisible(window));

  RunningProgram second;
  ASSERT_TRUE(StartProgramProcess(second));
  EXPECT_EQ(WaitForExit(second), 0);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(CountRunningPrograms(), 1);
  EXPECT_EQ(CloseAndWait(first, window), 0);
}

TEST_F(ProgramTest, TheHiddenSwitchStartsWithoutAWindowUntilTheProgramIsStartedAgain) {
  RunningProgram program;
  HWND window = StartedWindow(program, "/a");
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(IsWindowVisible(window));

  RunningProgram again;
  ASSERT_TRUE(StartProgramProcess(again));
  EXPECT_EQ(WaitForExit(again), 0);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(CloseAndWait(program, window), 0);
}

TEST_F(ProgramTest, OnlyAnExactTrailingSwitchHidesTheWindow) {
  for (const char* arguments : {"/A", "/a x"}) {
    RunningProgram program;
    HWND window = StartedWindow(program, arguments);
    ASSERT_NE(window, nullptr) << arguments;
    EXPECT_TRUE(IsWindowVisible(window)) << arguments;
    EXPECT_EQ(CloseAndWait(program, window), 0) << arguments;
  }
}

TEST_F(ProgramTest, AMovedWindowIsWhereTheNextStartShowsIt) {
  {
    RunningProgram program;
    HWND window = StartedWindow(program);
    ASSERT_NE(window, nullptr);
    SetWindowPos(window, nullptr, 123, 456, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(CloseAndWait(program, window), 0);
  }
  EXPECT_EQ(StoredDword("X1"), 123);
  EXPECT_EQ(StoredDword("Y1"), 456);

  RunningProgram program;
  HWND window = StartedWindow(program);
  ASSERT_NE(window, nullptr);
  RECT rect;
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.left, 123);
  EXPECT_EQ(rect.top, 456);
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
